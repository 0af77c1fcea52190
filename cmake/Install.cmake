# What `cmake --install` puts where: the game, its menu entry, its icon in the hicolor theme, its
# AppStream data, its manual page and its licence, under the prefix's usual folders. Debian keeps
# games in /usr/games: the package build sets CMAKE_INSTALL_BINDIR=games (see `make package`).

set(QUILVARO_APP_ID com.dremwick.quilvaro)
# Addresses a packager sets (see the README). Left empty, the AppStream data and the package name
# no home page and no screenshot rather than one that leads nowhere.
set(QUILVARO_HOMEPAGE "" CACHE STRING "The game's home page, for the package and software centres")
set(QUILVARO_SCREENSHOT_URL "" CACHE STRING
    "Where docs/screenshot.png is published, for software centres (empty: none)")
set(QUILVARO_METAINFO_LINKS "")
if(QUILVARO_HOMEPAGE)
    string(APPEND QUILVARO_METAINFO_LINKS
           "\n  <url type=\"homepage\">${QUILVARO_HOMEPAGE}</url>\n")
endif()
if(QUILVARO_SCREENSHOT_URL)
    string(APPEND QUILVARO_METAINFO_LINKS "
  <screenshots>
    <screenshot type=\"default\">
      <caption>The board before the first game</caption>
      <caption xml:lang=\"de\">Das Brett vor dem ersten Spiel</caption>
      <caption xml:lang=\"ru\">Поле перед первой игрой</caption>
      <image>${QUILVARO_SCREENSHOT_URL}</image>
    </screenshot>
  </screenshots>
")
endif()

install(TARGETS quilvaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (the package's) also drops the compiler's notes, as Debian's strip does.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        set(QUILVARO_PROGRAM \"${CMAKE_INSTALL_BINDIR}/$<TARGET_FILE_NAME:quilvaro>\")
        if(NOT IS_ABSOLUTE \"\${QUILVARO_PROGRAM}\")
            set(QUILVARO_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/\${QUILVARO_PROGRAM}\")
        endif()
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                                --remove-section=.note \"\$ENV{DESTDIR}\${QUILVARO_PROGRAM}\"
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
")

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
