# web.cmake — the browser build's compile and link settings (Emscripten,
# configured by scripts/web/build.sh).
#   - every library comes from Debian's sources (scripts/web/deps.sh), never
#     from Emscripten's ports, which download from the internet;
#   - no threads (VANTOREL_THREADS is off): the message loop's wait and the
#     game's coroutines switch through Asyncify;
#   - C++ exceptions on, as the layer's parsers and start-up worker use them;
#   - what Emscripten's older libc++ lacks, supplied (web-compat/);
#   - SDL built from its sources needs two of Emscripten's JavaScript
#     functions kept that the ports' build would keep by itself.
add_compile_options(-fexceptions "SHELL:-include ${CMAKE_CURRENT_LIST_DIR}/web-compat/vt_web_compat.h")
add_link_options(-fexceptions)

file(WRITE ${CMAKE_BINARY_DIR}/web-library-functions.json "[\"$autoResumeAudioContext\", \"$dynCall\"]\n")

# Asyncify instruments every function that may reach an unwind, and takes
# every indirect call as one that may. The C libraries (SDL, Ogg, Vorbis,
# zlib, libpng) are never on the way to a wait: their callbacks read files
# or mix sound, and the layer's waits call Emscripten itself. So their
# functions are left as they are, all but the few that wait or sleep; that
# makes the WebAssembly smaller and the decoding and mixing cheaper. The
# names may hold wildcards (*).
set(vt_web_uninstrumented)
foreach(library SDL2 ogg vorbis vorbisfile png16 z)
  find_library(vt_web_lib_${library} NAMES lib${library}.a REQUIRED)
  execute_process(COMMAND ${CMAKE_NM} --defined-only ${vt_web_lib_${library}}
                  OUTPUT_VARIABLE symbols ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL "[0-9a-f]+ [Tt] [A-Za-z_][A-Za-z0-9_]*" functions "${symbols}")
  foreach(function IN LISTS functions)
    string(REGEX REPLACE "^[0-9a-f]+ [Tt] " "" function "${function}")
    if(NOT function MATCHES "[Dd]elay|[Ww]ait|[Ss]leep")
      list(APPEND vt_web_uninstrumented "\"${function}\"")
    endif()
  endforeach()
endforeach()
# The C++ and C library's own pieces that only look as if they might wait
# (an allocation's new-handler, a string's throw, a stream's write function):
# none calls back into the program.
foreach(function "operator new*" "operator delete*" "std::terminate*" "std::__2::basic_string*"
                 "std::__2::locale*" "std::__2::ctype*" "std::__2::char_traits*" "std::__2::__libcpp_locale_guard*"
                 "std::__2::__throw_*" "*::__throw_length_error*" "*::__throw_out_of_range*" "layer::d3d::logCall*"
                 vsnprintf snprintf vsprintf sprintf vfprintf fprintf printf fputs fwrite fflush)
  list(APPEND vt_web_uninstrumented "\"${function}\"")
endforeach()
list(REMOVE_DUPLICATES vt_web_uninstrumented)
list(JOIN vt_web_uninstrumented ", " vt_web_uninstrumented)
# Rewritten only when it changed: the links depend on it (VT_WEB_LINK_DEPENDS).
set(VT_WEB_LINK_DEPENDS ${CMAKE_BINARY_DIR}/web-uninstrumented.json)
file(WRITE ${VT_WEB_LINK_DEPENDS}.new "[${vt_web_uninstrumented}]\n")
file(COPY_FILE ${VT_WEB_LINK_DEPENDS}.new ${VT_WEB_LINK_DEPENDS} ONLY_IF_DIFFERENT)
set(VT_WEB_COMMON_LINK
  -sUSE_SDL=0 -sUSE_ZLIB=0 -sUSE_LIBPNG=0 -sUSE_OGG=0 -sUSE_VORBIS=0
  -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=131072 -sASYNCIFY_REMOVE=@${VT_WEB_LINK_DEPENDS}
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=134217728 -sTOTAL_STACK=5242880
  "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_BINARY_DIR}/web-library-functions.json")

# The page: its own index.html loads the packed DATA (Emscripten's file
# packager) and the game's script; the user's folders are kept in IndexedDB.
set(VT_WEB_GAME_LINK ${VT_WEB_COMMON_LINK}
  -sENVIRONMENT=web -sFORCE_FILESYSTEM=1 -lidbfs.js -sEXIT_RUNTIME=0
  "-sEXPORTED_RUNTIME_METHODS=[FS,IDBFS,addRunDependency,removeRunDependency,FS_createPath,FS_createDataFile,FS_createPreloadedFile]")
# The tools under node, on the machine's own files.
set(VT_WEB_NODE_LINK ${VT_WEB_COMMON_LINK} -sENVIRONMENT=node -sNODERAWFS=1 -sEXIT_RUNTIME=1
  "SHELL:--pre-js ${CMAKE_CURRENT_LIST_DIR}/web-compat/node-navigator.js")
