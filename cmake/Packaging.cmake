# make package: a Debian package with both programs, their manual pages (made from their own
# help, so they never drift), the window's desktop entry and icon, and the README.
include(GNUInstallDirs)

set(MORAV_MAN_DIR ${PROJECT_BINARY_DIR}/man)
set(morav_manpages)
function(morav_manpage program summary)
  set(page ${MORAV_MAN_DIR}/${program}.1)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${MORAV_MAN_DIR}
    COMMAND $<TARGET_FILE:${program}> --help | ${PROJECT_SOURCE_DIR}/scripts/manpage
            ${program} ${PROJECT_VERSION} "${summary}" > ${page}
    DEPENDS ${program} ${PROJECT_SOURCE_DIR}/scripts/manpage
    VERBATIM)
  set(morav_manpages ${morav_manpages} ${page} PARENT_SCOPE)
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

morav_manpage(morav-update "upgrade a Morav product's database from the command line")
if(TARGET morav-updater)
  morav_manpage(morav-updater "the desktop window of the Morav database updater")
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/morav-updater.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/morav-updater.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
add_custom_target(manpages ALL DEPENDS ${morav_manpages})
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/morav-updater)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morav-updater)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Morav updater developers <updater@morav.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Morav database updater: upgrades the products' SQL Server and Access databases")
set(CPACK_PACKAGE_DESCRIPTION
    "Brings a Morav product's database up to the shape its new version expects: tables, columns, keys, indexes, reference rows, views, functions, procedures and triggers. Includes morav-update (command line) and morav-updater (desktop window), and an embedded engine for trying upgrades without a server.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION database)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
