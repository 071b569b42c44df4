# The Debian package of the Linux checker: the program in /usr/bin, its manual page and the user
# guide. The dist target builds it with CPack, beside the release zip.
# The version players see: the zip's name, the package's, --version and the manual page.
set(SW_RELEASE "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
configure_file(cli/statwarden-cli.1 cli/statwarden-cli.1 @ONLY)
add_custom_command(OUTPUT cli/statwarden-cli.1.gz
  COMMAND gzip -9nkf statwarden-cli.1
  DEPENDS "${CMAKE_BINARY_DIR}/cli/statwarden-cli.1"
  WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/cli"
  VERBATIM)
add_custom_target(manual_page DEPENDS cli/statwarden-cli.1.gz)

install(TARGETS statwarden-cli RUNTIME DESTINATION bin)
install(FILES "${CMAKE_BINARY_DIR}/cli/statwarden-cli.1.gz" DESTINATION share/man/man1)
install(FILES resources/USER-GUIDE.txt DESTINATION share/doc/statwarden-cli)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME statwarden-cli)
set(CPACK_PACKAGE_VERSION "${SW_RELEASE}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Statwarden developers")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "checks Warcraft II maps for changed unit statistics
statwarden-cli reads the unit data of Warcraft II maps (*.pud), compares seven
statistics of every unit (build time, basic attack, piercing damage, gold, wood
and oil cost, hit points) with the game's standard values and lists every
difference; with --all, every field of the units and upgrades. It prints a
table, the report lines of the Statwarden window, or JSON.")
include(CPack)
