# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the posix thread
# model, for std::thread). The programs are linked statically, so they run
# without the compiler's DLLs beside them; with Qt's DLLs (windows-app.cmake,
# TINSORA_MINGW_SHARED_RUNTIME) they share the compiler's DLLs with Qt.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TINSORA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TINSORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TINSORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TINSORA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TINSORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(NOT TINSORA_MINGW_SHARED_RUNTIME)
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()
# -O2 as in the other builds: at -O3 this compiler warns falsely (-Wrestrict)
# inside std::string's operator+.
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG" CACHE STRING "Flags for release builds")

# ctest runs the Windows programs under Wine where it is installed: the wine
# command, or Debian's wine64 without it.
find_program(TINSORA_WINE NAMES wine)
if(NOT TINSORA_WINE)
  find_program(TINSORA_WINE NAMES wine64 PATHS /usr/lib/wine)
endif()
if(TINSORA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TINSORA_WINE})
endif()
