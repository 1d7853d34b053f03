# libxlsxwriter for the Windows build: Debian's source package, cross-built with the same
# mingw-w64 compilers against Debian's zlib for mingw-w64 (libz-mingw-w64-dev), as static
# libraries, so that zemra-convert.exe needs no DLL that Windows lacks. It is fetched and built
# once per build tree; a later build finds it there.
include(ExternalProject)

find_library(ZEMRA_MINGW_ZLIB NAMES libz.a REQUIRED
             DOC "Static zlib for mingw-w64 (Debian: libz-mingw-w64-dev)")

ExternalProject_Add(zemra_xlsxwriter_build
  PREFIX ${CMAKE_BINARY_DIR}/xlsxwriter
  DOWNLOAD_COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/debian-source.sh libxlsxwriter <SOURCE_DIR>
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake
    -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
    -DCMAKE_INSTALL_LIBDIR=lib
    -DBUILD_SHARED_LIBS=OFF
    -DZLIB_LIBRARY=${ZEMRA_MINGW_ZLIB}
  BUILD_BYPRODUCTS <INSTALL_DIR>/lib/libxlsxwriter.a)
ExternalProject_Get_Property(zemra_xlsxwriter_build INSTALL_DIR)

# The include folder must exist when the build is generated, before the library is built.
file(MAKE_DIRECTORY ${INSTALL_DIR}/include)
add_library(zemra_xlsxwriter INTERFACE)
target_include_directories(zemra_xlsxwriter SYSTEM INTERFACE ${INSTALL_DIR}/include)
target_link_libraries(zemra_xlsxwriter INTERFACE ${INSTALL_DIR}/lib/libxlsxwriter.a
                      ${ZEMRA_MINGW_ZLIB})
add_dependencies(zemra_xlsxwriter zemra_xlsxwriter_build)
