# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (the
# variant with POSIX threads, so that std::thread works):
#
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# The programs link the compiler's runtime (libgcc, libstdc++, winpthread)
# statically: a built .exe runs on its own, under Windows or Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SC_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SC_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SC_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${SC_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SC_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# Built programs run under Wine (test discovery, ctest).
find_program(SC_WINE NAMES wine64 wine)
if(SC_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SC_WINE})
endif()
