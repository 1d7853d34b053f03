# Cross build for 64-bit Windows with Debian's mingw-w64 compilers (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZEMRA_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZEMRA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZEMRA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZEMRA_MINGW_TRIPLET}-windres)

# Headers and libraries come from the mingw-w64 tree only, never from the build machine's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${ZEMRA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread are linked in, so every program runs on a bare Windows PC
# with nothing but the system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Test programs run under wine, in a wine prefix of the build's own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/run-under-wine.sh
    ${CMAKE_BINARY_DIR}/wine-prefix)
