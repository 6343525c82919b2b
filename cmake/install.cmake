# Installation: `cmake --install build --prefix PREFIX` puts
#   PREFIX/libexec/vantorel/vantorel             the game
#   PREFIX/bin/vantorel                          the launcher (works from any folder;
#                                                VANTOREL_INSTALL_BINDIR names another
#                                                folder beside bin/, e.g. games/)
#   PREFIX/share/vantorel/DATA                   the generated data
#   PREFIX/share/applications/ID.desktop         the desktop entry
#   PREFIX/share/icons/hicolor/NxN/apps/ID.png   the icon at every common size
#   PREFIX/share/metainfo/ID.metainfo.xml        what software centres show
#   PREFIX/share/man/man6/vantorel.6             the manual page
# ID is the game's desktop id (cmake/version.cmake).
# The sizes the generator draws the icon at (tools/datagen/Art.h).
set(VANTOREL_ICON_SIZES 16 24 32 48 64 128 256 512)
set(VANTOREL_INSTALL_BINDIR bin CACHE STRING "Folder of PREFIX for the launcher")
install(TARGETS vantorel RUNTIME DESTINATION libexec/vantorel)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/packaging/vantorel-launcher.sh DESTINATION ${VANTOREL_INSTALL_BINDIR} RENAME vantorel)
install(DIRECTORY ${CMAKE_BINARY_DIR}/DATA DESTINATION share/vantorel)
foreach(size ${VANTOREL_ICON_SIZES})
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}.png DESTINATION share/icons/hicolor/${size}x${size}/apps
          RENAME ${VANTOREL_APP_ID}.png)
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/packaging/vantorel.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/${VANTOREL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${VANTOREL_APP_ID}.metainfo.xml DESTINATION share/metainfo)
configure_file(${PROJECT_SOURCE_DIR}/packaging/vantorel.6.in ${CMAKE_BINARY_DIR}/vantorel.6 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/vantorel.6 DESTINATION share/man/man6)
# The desktop entry names the launcher by its installed path, so that it
# starts from the menu even when PREFIX/bin is not on the desktop's PATH.
install(CODE "
  set(VT_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${VANTOREL_INSTALL_BINDIR}/vantorel\")
  set(VANTOREL_APP_ID \"${VANTOREL_APP_ID}\")
  configure_file(\"${PROJECT_SOURCE_DIR}/packaging/vantorel.desktop.in\"
                 \"${CMAKE_BINARY_DIR}/${VANTOREL_APP_ID}.desktop\" @ONLY)
  file(INSTALL \"${CMAKE_BINARY_DIR}/${VANTOREL_APP_ID}.desktop\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/share/applications\")
")
