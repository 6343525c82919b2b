# mingw-w64.cmake — CMake toolchain for the Windows build of the game with
# Debian's mingw-w64: 32-bit i686-w64-mingw32, the game's own platform, unless
# VANTOREL_WINDOWS_TRIPLE names x86_64-w64-mingw32 (only for running the Wine
# check where the kernel runs no 32-bit code).
#
# - Thread model win32: the game's threads are Win32 threads (CreateThread)
#   and it uses no std::thread, so the runtime needs no winpthread.
# - -static: libgcc and libstdc++ are linked in, so the executable needs only
#   system DLLs plus the DirectX runtime's d3dx9_43.dll.
# - -msse2 -mfpmath=sse: float arithmetic rounds to single precision, as the
#   game's rules expect (the x87 unit keeps extra precision: 0.7f * 220 would
#   truncate to 153 instead of 154).
# - VANTOREL_WINDOWS_DEPS: the folder holding the static Ogg and Vorbis
#   libraries (scripts/windows/deps.sh); pkg-config looks only there.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT VANTOREL_WINDOWS_TRIPLE)
  set(VANTOREL_WINDOWS_TRIPLE i686-w64-mingw32)
endif()
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${VANTOREL_WINDOWS_TRIPLE})
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VANTOREL_WINDOWS_TRIPLE VANTOREL_WINDOWS_DEPS)

set(CMAKE_C_COMPILER ${VANTOREL_WINDOWS_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${VANTOREL_WINDOWS_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${VANTOREL_WINDOWS_TRIPLE}-windres)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
  set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
endif()
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

if(VANTOREL_WINDOWS_DEPS)
  set(CMAKE_FIND_ROOT_PATH ${VANTOREL_WINDOWS_DEPS})
  set(ENV{PKG_CONFIG_LIBDIR} ${VANTOREL_WINDOWS_DEPS}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
