# The Debian package (cpack -G DEB in a Release build; scripts/package.sh).
# Only what install() names goes in: the two programs and the desktop data.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plexion)
set(CPACK_PACKAGE_VENDOR "The Plexion developers")
set(CPACK_PACKAGE_CONTACT "Plexion developers <plexion@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for the resources of 2D games")
set(CPACK_PACKAGE_DESCRIPTION
    "Plexion keeps a game's texts and parameters, bitmaps, sounds, animations,
trajectories and shapes, tile maps, colours and embedded files in one .dat
resource document that the game engine reads too. The package holds the
editor plexion and the command-line tool plexion-tool.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Dependencies come from the libraries the binaries really link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Plugins Qt loads at run time, which shlibdeps cannot see: the image formats
# (TIFF, ICO…), SVG rendering for metafiles, the X11 platform.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-image-formats-plugins, libqt6svg6, qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
