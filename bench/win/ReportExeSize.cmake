# Prints the size of the built tool against its payload, so a size regression is seen in
# every build. Usage: cmake -DEXE=<exe> -DPAYLOAD_DIR=<resources/R7716> -P ReportExeSize.cmake
# The payload is the five device files the exe carries; the overhead is everything else
# (code, runtime, resources), which should stay within 64 KB.
set(limit 65536)
file(SIZE "${EXE}" exe_size)
set(payload 0)
foreach(ext IN ITEMS xif enu fpt fmt typ)
  file(SIZE "${PAYLOAD_DIR}/R7716.${ext}" size)
  math(EXPR payload "${payload} + ${size}")
endforeach()
math(EXPR overhead "${exe_size} - ${payload}")
get_filename_component(name "${EXE}" NAME)
set(line "${name}: ${exe_size} bytes = payload ${payload} + overhead ${overhead} bytes (limit ${limit})")
if(overhead GREATER limit)
  message(WARNING "${line}: over the limit")
else()
  message(STATUS "${line}")
endif()
