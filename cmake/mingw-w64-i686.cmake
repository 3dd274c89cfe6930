# Cross build with MinGW-w64, 32-bit (i686): compile-only on this machine.
set(R7716_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
