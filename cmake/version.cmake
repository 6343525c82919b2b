# The game's window caption, made once from project(VERSION) and written into
# the build folder for everything that needs it:
#   generated/Version.h   WindowCaption, for the game (target vt_version)
#   version.sh            VT_CAPTION, for the shell checks that look for the
#                         game's window (source it from the build folder)
set(VANTOREL_CAPTION "Vantorel version${PROJECT_VERSION}")

file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/Version.h @ONLY CONTENT
"// Version.h — written by the build from the project's version.
#pragma once

constexpr char WindowCaption[] = \"@VANTOREL_CAPTION@\";
")
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/version.sh @ONLY CONTENT
"# Written by the build from the project's version.
VT_CAPTION='@VANTOREL_CAPTION@'
")

add_library(vt_version INTERFACE)
target_include_directories(vt_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
