# The game's name, version and desktop id, made once from project(VERSION) and
# written into the build folder for everything that needs them:
#   generated/Version.h   WindowCaption and VersionText, for the game (target vt_version)
#   version.sh            VT_CAPTION, VT_VERSION, VT_RELEASE_DATE and VT_APP_ID, for the
#                         shell checks (source it from the build folder)
set(VANTOREL_CAPTION "Vantorel version${PROJECT_VERSION}")
# The reverse-DNS id the desktop knows the game by: its desktop entry, icons,
# AppStream metadata, window class and audio stream. Provisional: the project
# has no public home yet, and vantorel.org is not ours; the id changes (with a
# <replaces> entry in the metadata) once there is one.
set(VANTOREL_APP_ID "org.vantorel.Vantorel")
set(VANTOREL_APP_NAME "Vantorel")

file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/Version.h @ONLY CONTENT
"// Version.h — written by the build from the project's version.
#pragma once

constexpr char WindowCaption[] = \"@VANTOREL_CAPTION@\";
constexpr char VersionText[] = \"@VANTOREL_APP_NAME@ @PROJECT_VERSION@\";
")
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/version.sh @ONLY CONTENT
"# Written by the build from the project's version.
VT_CAPTION='@VANTOREL_CAPTION@'
VT_VERSION='@PROJECT_VERSION@'
VT_RELEASE_DATE='@VANTOREL_RELEASE_DATE@'
VT_APP_ID='@VANTOREL_APP_ID@'
")

add_library(vt_version INTERFACE)
target_include_directories(vt_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
