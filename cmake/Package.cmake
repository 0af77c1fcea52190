# `make package`: a Debian package built by CPack. Its dependencies are the Debian packages the
# game needs at run time: the Qt 6 libraries it links (found by dpkg-shlibdeps), the platform
# plugins and the Liberation fonts that stand in for Arial and Courier New.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quilvaro)
set(CPACK_PACKAGE_VENDOR Dremwick)
set(CPACK_PACKAGE_CONTACT "Dremwick <quilvaro@dremwick.example>"
    CACHE STRING "The package's maintainer, name and address")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game: move coloured balls and clear lines of five")
set(CPACK_PACKAGE_DESCRIPTION
    "Balls of six colours lie on a 9 by 9 board. Click a ball, then a free cell: the ball\n"
    "travels there when a path of free cells joins the two. Five or more balls of one\n"
    "colour in a row, a column or a diagonal disappear and bring a point each. A move that\n"
    "clears nothing brings three new balls, announced in advance. Up to 100 players keep\n"
    "their best results.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUILVARO_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
# Qt's own texts (the standard buttons) in the player's language, beside the game's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)

# The package installs under /usr with the paths the project was configured with, so that the
# menu entry names the game's real place (/usr/games/quilvaro).
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
