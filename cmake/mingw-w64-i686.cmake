# Cross build with MinGW-w64, 32-bit (i686): its tests run under the 32-bit Wine of
# scripts/wine32.sh.
set(R7716_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
