# Cross-compiling for Windows (i686) with Debian's mingw-w64 (posix threading flavour).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER   i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# This kernel runs no 32-bit code: the 32-bit Wine runs under qemu-i386 (scripts/wine32-setup).
get_filename_component(PELOX_WINE32 ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine32 ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PELOX_WINE32})
