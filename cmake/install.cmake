# Installation: `cmake --install build --prefix PREFIX` puts
#   PREFIX/libexec/vantorel/vantorel             the game
#   PREFIX/bin/vantorel                          the launcher (works from any folder)
#   PREFIX/share/vantorel/DATA                   the generated data
#   PREFIX/share/applications/vantorel.desktop   the desktop entry
#   PREFIX/share/icons/hicolor/256x256/apps/vantorel.png
install(TARGETS vantorel RUNTIME DESTINATION libexec/vantorel)
install(PROGRAMS ${PROJECT_SOURCE_DIR}/packaging/vantorel-launcher.sh DESTINATION bin RENAME vantorel)
install(DIRECTORY ${CMAKE_BINARY_DIR}/DATA DESTINATION share/vantorel)
install(FILES ${CMAKE_BINARY_DIR}/icons/vantorel.png DESTINATION share/icons/hicolor/256x256/apps OPTIONAL)
# The desktop entry names the launcher by its installed path, so that it
# starts from the menu even when PREFIX/bin is not on the desktop's PATH.
install(CODE "
  set(VT_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/bin/vantorel\")
  configure_file(\"${PROJECT_SOURCE_DIR}/packaging/vantorel.desktop.in\"
                 \"${CMAKE_BINARY_DIR}/vantorel.desktop\" @ONLY)
  file(INSTALL \"${CMAKE_BINARY_DIR}/vantorel.desktop\"
       DESTINATION \"\${CMAKE_INSTALL_PREFIX}/share/applications\")
")
