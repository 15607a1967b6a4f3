# Where `cmake --install` and the Debian package put things, as paths under the prefix, and
# the two the programs look in, relative to their own folder: the installed tree may then sit
# under any prefix (/usr/local, /usr in the package, a test's temporary folder).
include(GNUInstallDirs)

# The desktop entry, metainfo and icon names.
set(QUENDRA_APP_ID org.quendra.Quendra2000)

# GAMES.DAT, RULES.DAT and SOL.RGF.
set(QUENDRA_INSTALL_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/quendra2000)
# The audio module: a private module the program loads itself, so neither on the library
# path nor among the executables of libexec. It sits two folders below lib/: CPack gives a
# package with a shared object in lib/ or one folder below it ldconfig scripts, which this
# module does not need and which dpkg keeps listing after a removal, until a purge.
set(QUENDRA_INSTALL_MODULE_DIR ${CMAKE_INSTALL_LIBDIR}/quendra2000/modules)

file(RELATIVE_PATH QUENDRA_SHARE_DIR ${CMAKE_INSTALL_FULL_BINDIR}
    ${CMAKE_INSTALL_FULL_DATADIR}/quendra2000)
file(RELATIVE_PATH QUENDRA_AUDIO_DIR ${CMAKE_INSTALL_FULL_BINDIR}
    ${CMAKE_INSTALL_FULL_LIBDIR}/quendra2000/modules)

# The application icons the images generator draws, in the hicolor theme's layout.
set(QUENDRA_ICONS_DIR ${CMAKE_BINARY_DIR}/icons)
set(QUENDRA_ICON_SIZES 16 22 24 32 48 64 128 256)
