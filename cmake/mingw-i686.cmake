# The shipped program: 32-bit Windows. ctest runs its tests through Wine's 32-bit loader.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZOLT_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
