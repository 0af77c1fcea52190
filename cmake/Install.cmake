# What `cmake --install` puts where: the game, its menu entry, its icon in the hicolor theme, its
# AppStream data, its manual page and its licence, under the prefix's usual folders. Debian keeps
# games in /usr/games: the package build sets CMAKE_INSTALL_BINDIR=games (see `make package`).

set(QUILVARO_APP_ID com.dremwick.quilvaro)
set(QUILVARO_HOMEPAGE "https://dremwick.example/quilvaro"
    CACHE STRING "The game's home page, named in its AppStream data")
set(QUILVARO_SCREENSHOT_URL "${QUILVARO_HOMEPAGE}/screenshot.png"
    CACHE STRING "Where the screenshot of docs/screenshot.png is published, for software centres")

install(TARGETS quilvaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The menu entry starts the game by its full path (not every desktop session has /usr/games on
# its PATH). The path is known only when installing, since `cmake --install --prefix` may change
# the prefix, so the entry is written then.
install(CODE "
    set(QUILVARO_EXEC \"${CMAKE_INSTALL_BINDIR}/quilvaro\")
    if(NOT IS_ABSOLUTE \"\${QUILVARO_EXEC}\")
        set(QUILVARO_EXEC \"\${CMAKE_INSTALL_PREFIX}/\${QUILVARO_EXEC}\")
    endif()
    configure_file(\"${CMAKE_CURRENT_SOURCE_DIR}/data/${QUILVARO_APP_ID}.desktop.in\"
                   \"${CMAKE_CURRENT_BINARY_DIR}/${QUILVARO_APP_ID}.desktop\" @ONLY)
")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${QUILVARO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

install(FILES data/${QUILVARO_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# Beside the SVG, the sizes drawn to the pixel grid (see scripts/render-icons).
foreach(size IN LISTS QUILVARO_ICON_SIZES)
    install(FILES data/icons/${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${QUILVARO_APP_ID}.png)
endforeach()

configure_file(data/${QUILVARO_APP_ID}.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/${QUILVARO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${QUILVARO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages are installed compressed where gzip is at hand, as Debian expects.
configure_file(data/quilvaro.6.in ${CMAKE_CURRENT_BINARY_DIR}/quilvaro.6 @ONLY)
find_program(QUILVARO_GZIP gzip)
if(QUILVARO_GZIP)
    add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/quilvaro.6.gz
        COMMAND ${QUILVARO_GZIP} -9nc ${CMAKE_CURRENT_BINARY_DIR}/quilvaro.6
                > ${CMAKE_CURRENT_BINARY_DIR}/quilvaro.6.gz
        DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/quilvaro.6 VERBATIM)
    add_custom_target(quilvaro_manpage ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/quilvaro.6.gz)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quilvaro.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
else()
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quilvaro.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endif()

install(FILES data/copyright README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
