# The same program and tests as 64-bit Windows code, for machines whose kernel cannot run
# 32-bit Linux programs and so cannot start Wine's 32-bit loader (only wine64 runs there).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZOLT_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
