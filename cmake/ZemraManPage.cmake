# zemra_add_man_page(NAME SECTION): docs/man/NAME.SECTION.in configured with the project's
# version and release date, and installed compressed as Debian wants manual pages.
function(zemra_add_man_page name section)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${name}.${section})
  configure_file(${PROJECT_SOURCE_DIR}/docs/man/${name}.${section}.in ${page} @ONLY)
  add_custom_command(OUTPUT ${page}.gz
                     COMMAND gzip -9 --no-name --keep --force ${page}
                     DEPENDS ${page}
                     COMMENT "Compressing the manual page ${name}(${section})")
  add_custom_target(${name}-man-page ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
  set_property(GLOBAL APPEND PROPERTY ZEMRA_MAN_PAGES ${page})
endfunction()
