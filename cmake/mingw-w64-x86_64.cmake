# Cross build with MinGW-w64, 64-bit (x86_64): the build whose tests run under Wine.
set(R7716_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
