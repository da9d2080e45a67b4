# Cross-compiles the same program for 64-bit Windows on Linux with MinGW-w64;
# its tests run under 64-bit Wine, also on machines without 32-bit code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
