# Test of r7716-genheader against the header the build generated.
#   cmake -DGENHEADER=<tool> [-DEMULATOR=<runner>] [-DWINDOWS_PATHS=ON] [-DPYTHON=<python3>]
#         -DREFERENCE=<reference_header.py> -DBUILD_HEADER=<R7716.h> -DRESOURCE_DIR=<folder>
#         -DWORK_DIR=<scratch folder> -P TestGenHeader.cmake
# Checks that the tool, given only the path field, writes base name + "h" next to the
# sources with exactly the build's header; that an independent reference writer gives the
# same bytes; that a missing source is reported and gives an empty section; and that wrong
# usage is refused.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/src")
foreach(ext xif enu fpt fmt typ)
  file(COPY "${RESOURCE_DIR}/R7716.${ext}" DESTINATION "${WORK_DIR}/src")
endforeach()

# The path field as the tool's user would type it.
function(path_field out path)
  if(WINDOWS_PATHS)
    string(REPLACE "/" "\\" path "${path}")
    set(path "Z:${path}")
  endif()
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

function(run_tool rc_out err_out)
  execute_process(COMMAND ${EMULATOR} "${GENHEADER}" ${ARGN}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${rc_out} "${rc}" PARENT_SCOPE)
  set(${err_out} "${err}" PARENT_SCOPE)
endfunction()

set(failures "")

# 1. Default output name: base name + "h", next to the sources.
file(WRITE "${WORK_DIR}/src/R7716.h" "an older header, longer than nothing, to be replaced")
path_field(field "${WORK_DIR}/src/R7716.xif")
run_tool(rc err "${field}")
if(NOT rc EQUAL 0)
  string(APPEND failures "\ntool failed (${rc}): ${err}")
else()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK_DIR}/src/R7716.h" "${BUILD_HEADER}"
                  RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    string(APPEND failures "\nR7716.h written by the tool differs from the build's header")
  endif()
endif()

# 2. An independent reference writer gives the same bytes.
if(PYTHON)
  execute_process(COMMAND "${PYTHON}" "${REFERENCE}" "${WORK_DIR}/src/R7716.xif" "${WORK_DIR}/reference.h"
                  RESULT_VARIABLE rc)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK_DIR}/reference.h" "${BUILD_HEADER}"
                  RESULT_VARIABLE same)
  if(NOT rc EQUAL 0 OR NOT same EQUAL 0)
    string(APPEND failures "\nthe reference writer's header differs from the build's header")
  endif()
endif()

# 3. A missing source: reported on stderr, its section is empty, the header still written (-o).
file(REMOVE "${WORK_DIR}/src/R7716.fpt")
path_field(out "${WORK_DIR}/partial.h")
run_tool(rc err -o "${out}" "${field}")
file(READ "${WORK_DIR}/partial.h" partial HEX)
file(READ "${BUILD_HEADER}" full HEX)
string(FIND "${full}" "696e74206670746c656e" fpt_at)   # "int fptlen"
string(FIND "${full}" "696e7420666d746c656e" fmt_at)   # "int fmtlen"
string(SUBSTRING "${full}" 0 ${fpt_at} before)
string(SUBSTRING "${full}" ${fmt_at} -1 after)
if(NOT rc EQUAL 0 OR NOT err MATCHES "R7716\\.fpt is missing or unreadable")
  string(APPEND failures "\nmissing source not reported (${rc}): ${err}")
elseif(NOT partial STREQUAL "${before}0d0a0d0a${after}")
  string(APPEND failures "\nmissing source did not give exactly an empty fpt section")
endif()

# 4. Wrong usage is refused with status 2 and writes nothing.
run_tool(rc err)
run_tool(rc2 err2 -o)
run_tool(rc3 err3 -x "${field}")
if(NOT rc EQUAL 2 OR NOT rc2 EQUAL 2 OR NOT rc3 EQUAL 2)
  string(APPEND failures "\nwrong usage not refused with status 2 (${rc}, ${rc2}, ${rc3})")
endif()

if(failures)
  message(FATAL_ERROR "r7716-genheader:${failures}")
endif()
