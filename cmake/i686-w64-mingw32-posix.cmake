# The 32-bit test programs: GoogleTest needs the posix thread model, which the shipped programs
# (cmake/i686-w64-mingw32.cmake) do without.
set(SW_MINGW_TRIPLE i686-w64-mingw32)
set(SW_MINGW_THREADS posix)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
