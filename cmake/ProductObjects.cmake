# The delivered programs (the window tool, its developer build, the console installer) are
# optimised at link time across their objects (about 14 KB less for the tool). They get their
# own copy of the core and the Win32 layer compiled for that; the libraries that the tests
# and tools link stay ordinary objects. Function-local statics without the guards for
# threads: the programs are single-threaded (1.5 KB). No run-time type information: nothing
# in them uses dynamic_cast or typeid; what exceptions need for their catch clauses is still
# generated (1 KB). The payload is data only: no LTO.
#
#   R7716_PRODUCT_FLAGS          compile options of the programs' own objects
#   r7716_product_exe(TARGET)    adds the LTO objects and the product's compile and link options
set(R7716_PRODUCT_FLAGS "")
set(R7716_PRODUCT_OBJECTS "")
if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
  set(R7716_PRODUCT_FLAGS -flto -fno-threadsafe-statics $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>)
  get_target_property(R7716_CORE_SOURCES r7716_core SOURCES)
  get_target_property(R7716_WIN32_SOURCES r7716_win32 SOURCES)
  # Payload.cpp too (its data stays in the library): its one static then needs no guard, so
  # the library's guard functions stay out of the exe.
  add_library(r7716_product_lto OBJECT ${R7716_CORE_SOURCES} ${R7716_WIN32_SOURCES}
              ${PROJECT_SOURCE_DIR}/src/payload/Payload.cpp)
  target_include_directories(r7716_product_lto PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(r7716_product_lto PRIVATE r7716_product_info)
  target_compile_definitions(r7716_product_lto PRIVATE
    $<TARGET_PROPERTY:r7716_core,INTERFACE_COMPILE_DEFINITIONS>
    $<TARGET_PROPERTY:r7716_win32,INTERFACE_COMPILE_DEFINITIONS>)
  target_compile_options(r7716_product_lto PRIVATE ${R7716_PRODUCT_FLAGS})
  set(R7716_PRODUCT_OBJECTS $<TARGET_OBJECTS:r7716_product_lto>)
endif()

function(r7716_product_exe target)
  target_sources(${target} PRIVATE ${R7716_PRODUCT_OBJECTS})
  if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    target_compile_options(${target} PRIVATE ${R7716_PRODUCT_FLAGS})
    target_link_options(${target} PRIVATE -s -flto=1)
  endif()
endfunction()
