# CLI11, the header-only parser library, from Debian's libcli11-dev, as the target zemra::cli11.
# A native build finds it in /usr/include. A cross build must not search the build machine's
# /usr/include, whose headers are not the target's: it gets a folder of its own in the build tree
# that holds nothing but a link to CLI11's headers.
add_library(zemra_cli11 INTERFACE)
add_library(zemra::cli11 ALIAS zemra_cli11)

if(CMAKE_CROSSCOMPILING)
  set(ZEMRA_CLI11_HEADERS /usr/include/CLI CACHE PATH "Folder of CLI11's headers (CLI.hpp)")
  if(EXISTS ${ZEMRA_CLI11_HEADERS}/CLI.hpp)
    set(zemraCli11Include ${CMAKE_BINARY_DIR}/cli11-include)
    file(MAKE_DIRECTORY ${zemraCli11Include})
    file(CREATE_LINK ${ZEMRA_CLI11_HEADERS} ${zemraCli11Include}/CLI SYMBOLIC)
    target_include_directories(zemra_cli11 SYSTEM INTERFACE ${zemraCli11Include})
  endif()
endif()
