# Prints the size of the built tool against its payload, as information after every link.
# Usage: cmake -DEXE=<exe> -DPAYLOAD_DIR=<resources/R7716> -P ReportExeSize.cmake
# The payload is the five device files the exe carries; the overhead is everything else
# (code, runtime, resources).
file(SIZE "${EXE}" exe_size)
set(payload 0)
foreach(ext IN ITEMS xif enu fpt fmt typ)
  file(SIZE "${PAYLOAD_DIR}/R7716.${ext}" size)
  math(EXPR payload "${payload} + ${size}")
endforeach()
math(EXPR overhead "${exe_size} - ${payload}")
get_filename_component(name "${EXE}" NAME)
message(STATUS "${name}: ${exe_size} bytes = payload ${payload} + overhead ${overhead} bytes")
