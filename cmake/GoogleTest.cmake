# GoogleTest: Debian's package natively; compiled from /usr/src/googletest in a cross build.
include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # The Windows builds use the win32-thread compilers (no winpthreads in the tool), whose
  # C++ library has no std::mutex: GoogleTest takes its Notification from our port header,
  # found through -iquote before GoogleTest's own (it includes that header with quotes).
  target_compile_options(gtest PUBLIC "SHELL:-iquote ${CMAKE_CURRENT_LIST_DIR}/gtest-win32-threads")
else()
  find_package(GTest REQUIRED)
endif()
