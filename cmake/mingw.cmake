# Cross-compiling for Windows with mingw-w64; SW_MINGW_TRIPLE names the target and
# SW_MINGW_THREADS the compilers' thread model: posix for GoogleTest, which needs std::mutex;
# win32 for what ships, whose runtime imports nothing that Windows XP lacks (the posix model's
# runtime imports GetTickCount64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${SW_MINGW_TRIPLE}-gcc-${SW_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${SW_MINGW_TRIPLE}-g++-${SW_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${SW_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${SW_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
