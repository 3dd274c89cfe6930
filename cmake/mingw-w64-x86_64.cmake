# Cross build with MinGW-w64, 64-bit (x86_64): its tests run under the machine's Wine.
set(R7716_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
