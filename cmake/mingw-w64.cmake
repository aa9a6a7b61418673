# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix threads):
# used by scripts/windows.sh with PLUVEXA_CORE_ONLY.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The programs and tests carry the C and C++ runtimes: one file each, run
# under Wine or copied to Windows without MinGW's libraries beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
find_program(PLUVEXA_WINE wine)
if(PLUVEXA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${PLUVEXA_WINE}")
endif()
