# Cross-building for 64-bit Windows with Debian's MinGW-w64 compilers (posix threads, which Qt's
# MinGW build needs). Chain-loaded by the Qt tree's qt-cmake:
#   <qt>/bin/qt-cmake -DQT_CHAINLOAD_TOOLCHAIN_FILE=<this file> -S . -B build/windows
# Tests then run through wine64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_AR /usr/bin/${triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${triple}-gcc-ranlib-posix CACHE FILEPATH "")
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
if(EXISTS /usr/lib/wine/wine64)
    set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()
# The runtime DLLs the program needs beside it (libstdc++, libgcc, winpthread).
set(TOCKLET_MINGW_RUNTIME_DIRS /usr/lib/gcc/${triple}/12-posix /usr/${triple}/lib)
