# The Debian package of the Linux checker: the program in /usr/bin, its manual page, the user
# guide, the copyright and the changelog (cmake/debian). The dist target builds it with CPack,
# beside the release zip.
# The version players see: the zip's name, the package's, --version and the manual page.
set(SW_RELEASE "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
configure_file(cli/statwarden-cli.1 cli/statwarden-cli.1 @ONLY)
add_custom_command(OUTPUT cli/statwarden-cli.1.gz
  COMMAND gzip -9nkf statwarden-cli.1
  DEPENDS "${CMAKE_BINARY_DIR}/cli/statwarden-cli.1"
  WORKING_DIRECTORY "${CMAKE_BINARY_DIR}/cli"
  VERBATIM)
add_custom_command(OUTPUT debian/changelog.gz
  COMMAND "${CMAKE_COMMAND}" -E make_directory debian
  COMMAND gzip -9nc "${CMAKE_SOURCE_DIR}/cmake/debian/changelog" > debian/changelog.gz
  DEPENDS "${CMAKE_SOURCE_DIR}/cmake/debian/changelog"
  WORKING_DIRECTORY "${CMAKE_BINARY_DIR}")
add_custom_target(manual_page DEPENDS cli/statwarden-cli.1.gz debian/changelog.gz)

install(TARGETS statwarden-cli RUNTIME DESTINATION bin)
install(FILES "${CMAKE_BINARY_DIR}/cli/statwarden-cli.1.gz" DESTINATION share/man/man1)
install(FILES resources/USER-GUIDE.txt cmake/debian/copyright "${CMAKE_BINARY_DIR}/debian/changelog.gz"
        DESTINATION share/doc/statwarden-cli)
# What lintian asks for that the package cannot honestly give, each with its reason.
install(FILES cmake/debian/lintian-overrides DESTINATION share/lintian/overrides
        RENAME statwarden-cli)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME statwarden-cli)
set(CPACK_PACKAGE_VERSION "${SW_RELEASE}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Statwarden developers")
# A tool for players, not a game: Debian's games section is for games, in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "checks Warcraft II maps for changed unit statistics
statwarden-cli reads the unit data of Warcraft II maps (*.pud), compares seven
statistics of every unit (build time, basic attack, piercing damage, gold, wood
and oil cost, hit points) with the game's standard values and lists every
difference; with --all, every field of the units and upgrades. It prints a
table, the report lines of the Statwarden window, or JSON.")
include(CPack)
