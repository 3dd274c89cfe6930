# The delivered programs (the window tool, its developer build, the console installer) are
# optimised at link time across their objects (about 14 KB less for the tool). They get their
# own copy of the core and the Win32 layer compiled for that; the libraries that the tests
# and tools link stay ordinary objects. Function-local statics without the guards for
# threads: the programs are single-threaded (1.5 KB). No run-time type information: nothing
# in them uses dynamic_cast or typeid; what exceptions need for their catch clauses is still
# generated (1 KB). The payload is data only: no LTO.
#
# The linker keeps the imports of every object it is given, used or not. The Win32 layer's
# objects that only the window needs (user32 and the like) are therefore a set of their own:
# the console installer imports kernel32 and advapi32 alone, and starts faster for it (about 20 ms
# under Wine).
#
#   R7716_PRODUCT_FLAGS               compile options of the programs' own objects
#   r7716_product_exe(TARGET [WINDOW]) adds the LTO objects (with WINDOW: the window's too) and
#                                     the product's compile and link options
set(R7716_PRODUCT_FLAGS "")
set(R7716_PRODUCT_OBJECTS "")
set(R7716_PRODUCT_WINDOW_OBJECTS "")
if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
  set(R7716_PRODUCT_FLAGS -flto -fno-threadsafe-statics $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)
  get_target_property(R7716_CORE_SOURCES r7716_core SOURCES)
  get_target_property(R7716_WIN32_WINDOW_SOURCES r7716_win32 SOURCES)
  set(R7716_WIN32_CONSOLE_SOURCES "")
  foreach(name Win32InstallPlatform Win32FolderFiles Win32ConsolePlatform Win32KernelCodePage Win32StandardUserStart)
    list(APPEND R7716_WIN32_CONSOLE_SOURCES ${PROJECT_SOURCE_DIR}/src/win32/${name}.cpp)
  endforeach()
  list(REMOVE_ITEM R7716_WIN32_WINDOW_SOURCES ${R7716_WIN32_CONSOLE_SOURCES})
  # Payload.cpp too (its data stays in the library): its one static then needs no guard, so
  # the library's guard functions stay out of the exe.
  add_library(r7716_product_lto OBJECT ${R7716_CORE_SOURCES} ${R7716_WIN32_CONSOLE_SOURCES}
              ${PROJECT_SOURCE_DIR}/src/payload/Payload.cpp)
  add_library(r7716_product_window_lto OBJECT ${R7716_WIN32_WINDOW_SOURCES})
  foreach(objects r7716_product_lto r7716_product_window_lto)
    target_include_directories(${objects} PRIVATE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${objects} PRIVATE r7716_product_info)
    target_compile_definitions(${objects} PRIVATE
      $<TARGET_PROPERTY:r7716_core,INTERFACE_COMPILE_DEFINITIONS>
      $<TARGET_PROPERTY:r7716_win32,INTERFACE_COMPILE_DEFINITIONS>)
    target_compile_options(${objects} PRIVATE ${R7716_PRODUCT_FLAGS})
  endforeach()
  set(R7716_PRODUCT_OBJECTS $<TARGET_OBJECTS:r7716_product_lto>)
  set(R7716_PRODUCT_WINDOW_OBJECTS $<TARGET_OBJECTS:r7716_product_window_lto>)
endif()

function(r7716_product_exe target)
  target_sources(${target} PRIVATE ${R7716_PRODUCT_OBJECTS})
  if("WINDOW" IN_LIST ARGN)
    target_sources(${target} PRIVATE ${R7716_PRODUCT_WINDOW_OBJECTS})
  endif()
  if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    target_compile_options(${target} PRIVATE ${R7716_PRODUCT_FLAGS})
    # One partition: the i686 compiler of Debian 12 stops with an internal error in some
    # partitionings of the tool's objects ("binds_to_current_def_p").
    target_link_options(${target} PRIVATE -s -flto=1 -flto-partition=one)
  endif()
endfunction()
