# `make package`: a Debian package built by CPack. Its dependencies are the Debian packages the
# game needs at run time: the Qt 6 libraries it links (found by dpkg-shlibdeps), the platform
# plugins and the Liberation fonts that stand in for Arial and Courier New.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quilvaro)
set(CPACK_PACKAGE_VENDOR Dremwick)
# The maintainer, "Name <address>": QUILVARO_MAINTAINER, which a packager sets. Without it, the one
# the machine already knows: DEBFULLNAME and DEBEMAIL as Debian's own tools read them, else git's
# user.name and user.email, else the login and the host name, so that `make package` builds a
# package for oneself with nothing set. The configure step says which one it took.
set(QUILVARO_MAINTAINER "" CACHE STRING
    "The package's maintainer, \"Name <address>\" (empty: taken from the machine)")
set(CPACK_PACKAGE_CONTACT "${QUILVARO_MAINTAINER}")
set(quilvaro_maintainer_from "QUILVARO_MAINTAINER")
if(NOT CPACK_PACKAGE_CONTACT AND "$ENV{DEBEMAIL}" MATCHES "<")
    set(CPACK_PACKAGE_CONTACT "$ENV{DEBEMAIL}")
    set(quilvaro_maintainer_from "DEBEMAIL")
elseif(NOT CPACK_PACKAGE_CONTACT AND NOT "$ENV{DEBEMAIL}" STREQUAL ""
       AND NOT "$ENV{DEBFULLNAME}" STREQUAL "")
    set(CPACK_PACKAGE_CONTACT "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
    set(quilvaro_maintainer_from "DEBFULLNAME and DEBEMAIL")
endif()
find_package(Git QUIET)
if(NOT CPACK_PACKAGE_CONTACT AND GIT_EXECUTABLE)
    execute_process(COMMAND ${GIT_EXECUTABLE} config user.name
                    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
                    OUTPUT_VARIABLE quilvaro_git_name OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND ${GIT_EXECUTABLE} config user.email
                    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
                    OUTPUT_VARIABLE quilvaro_git_email OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(quilvaro_git_name AND quilvaro_git_email)
        set(CPACK_PACKAGE_CONTACT "${quilvaro_git_name} <${quilvaro_git_email}>")
        set(quilvaro_maintainer_from "git's user.name and user.email")
    endif()
endif()
if(NOT CPACK_PACKAGE_CONTACT)
    execute_process(COMMAND id -un OUTPUT_VARIABLE quilvaro_login
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    cmake_host_system_information(RESULT quilvaro_host QUERY FQDN)
    if(quilvaro_login AND quilvaro_host)
        set(CPACK_PACKAGE_CONTACT "${quilvaro_login} <${quilvaro_login}@${quilvaro_host}>")
        set(quilvaro_maintainer_from "the login and the host name")
    endif()
endif()
if(CPACK_PACKAGE_CONTACT AND NOT QUILVARO_MAINTAINER)
    message(STATUS "Package maintainer: ${CPACK_PACKAGE_CONTACT} (from ${quilvaro_maintainer_from}; "
                   "a packager sets QUILVARO_MAINTAINER)")
endif()
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackageCheck.cmake)

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game: move coloured balls and clear lines of five")
# Debian shows the description's lines as they are: at most 79 characters each.
set(CPACK_PACKAGE_DESCRIPTION
    "Balls of six colours lie on a 9 by 9 board. Click a ball, then a free cell:\n"
    "the ball travels there when a path of free cells joins the two. Five or more\n"
    "balls of one colour in a row, a column or a diagonal disappear and bring a\n"
    "point each. A move that clears nothing brings three new balls, announced in\n"
    "advance. Up to 100 players keep their best results.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(QUILVARO_HOMEPAGE)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUILVARO_HOMEPAGE})
endif()
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
# Qt's own texts (the standard buttons) in the player's language, beside the game's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)

# The package's changelog, signed by its maintainer, and lintian's overrides with their reasons:
# installed only by a build that names a maintainer, a package's. The game is its own upstream (a
# native package), so Debian names the changelog changelog.gz.
if(CPACK_PACKAGE_CONTACT AND QUILVARO_GZIP)
    set(QUILVARO_CHANGELOG_SIGNATURE "${CPACK_PACKAGE_CONTACT}")
    configure_file(data/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
    add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        COMMAND ${QUILVARO_GZIP} -9nc ${CMAKE_CURRENT_BINARY_DIR}/changelog
                > ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog VERBATIM)
    add_custom_target(quilvaro_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
    install(FILES data/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
            RENAME quilvaro)
endif()

# The package installs under /usr with the paths the project was configured with, so that the
# menu entry names the game's real place (/usr/games/quilvaro).
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
