# Cross build with MinGW-w64 for R7716_MINGW_ARCH (i686 or x86_64), included by the two
# toolchain files. The win32-thread compilers: the -posix ones link winpthreads into every
# program through libstdc++'s exception runtime (about 25 KB of the tool); GoogleTest is built
# without thread support for them (cmake/GoogleTest.cmake).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${R7716_MINGW_ARCH})
set(CMAKE_C_COMPILER ${R7716_MINGW_ARCH}-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER ${R7716_MINGW_ARCH}-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER ${R7716_MINGW_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${R7716_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
