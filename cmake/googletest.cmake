# GoogleTest for the test programs: the build machine's package in a native build, compiled from
# Debian's source package (googletest) in a cross build.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(GTest REQUIRED)
  return()
endif()

set(ZEMRA_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
if(NOT EXISTS ${ZEMRA_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${ZEMRA_GOOGLETEST_SOURCE} (Debian: googletest)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "")
set(INSTALL_GTEST OFF CACHE BOOL "")

# GoogleTest is compiled with its own warnings, not with ours, and its headers are system headers
# to the tests.
get_directory_property(zemraCompileOptions COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(${ZEMRA_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${zemraCompileOptions}")
