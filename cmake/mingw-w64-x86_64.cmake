# Cross-building the Windows programs with Debian's mingw-w64 (64-bit). The posix thread
# model compiler is used, so that std::thread and std::mutex exist; everything is linked
# statically, so the programs need no DLL beyond Windows' own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VOCAPAN_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VOCAPAN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VOCAPAN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VOCAPAN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VOCAPAN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
