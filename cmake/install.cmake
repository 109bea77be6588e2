# What `cmake --install` puts where: the launcher and the tool in bin, the game in libexec, the
# default pictures and settings in share/zembro, the desktop entry, metadata, icons and manual pages.
include(GNUInstallDirs)
# Debian keeps games in /usr/games: its package sets this to "games".
set(ZEMBRO_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR} CACHE STRING "Where the launcher and the tool go")
install(PROGRAMS packaging/zembro-launcher.sh DESTINATION ${ZEMBRO_INSTALL_BINDIR} RENAME zembro)
install(TARGETS zembro-tool RUNTIME DESTINATION ${ZEMBRO_INSTALL_BINDIR})
install(TARGETS zembro RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/zembro)
install(DIRECTORY ${CMAKE_BINARY_DIR}/run/Immagini ${CMAKE_BINARY_DIR}/run/Contatori
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zembro)
install(FILES ${CMAKE_BINARY_DIR}/resources/Option.opt DESTINATION ${CMAKE_INSTALL_DATADIR}/zembro)
install(FILES packaging/org.zembro.Zembro.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES packaging/org.zembro.Zembro.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${CMAKE_BINARY_DIR}/resources/icon102-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME org.zembro.Zembro.png)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/resources/icon102.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME org.zembro.Zembro.svg)
install(FILES man/zembro.6 man/zembro-tool.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
