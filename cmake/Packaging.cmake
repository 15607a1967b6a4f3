# The Debian package: `cmake --build build --target package` (or `make package`) writes
# build/quendra2000_<version>_<arch>.deb with what `cmake --install` installs, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quendra2000)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quendra 2000 developers")
set(CPACK_PACKAGE_CONTACT "The Quendra 2000 developers <quendra2000@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "collection of patience (solitaire) card games")
set(CPACK_PACKAGE_DESCRIPTION
    "Quendra 2000 plays a catalogue of patience games, from Klondike, FreeCell and Spider to
games played with two packs, each one described by data and played by one rule engine. It
keeps statistics, hi-scores and series for several players, saves and holds games, finds
hints and lets a game's rules be changed into a game of one's own. quendra-cli lists, deals,
plays and solves the same games from the command line.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The build keeps debug information; the package does not.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the programs and the audio module link, found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

include(CPack)
