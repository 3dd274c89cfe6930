# Test of CheckPayloadHeader.cmake: a complete header passes; one that lacks an image,
# defines one twice, or whose length and array size differ is refused and removed.
#   cmake -DCHECK_SCRIPT=<CheckPayloadHeader.cmake> -DWORK_DIR=<scratch folder> -P TestCheckPayloadHeader.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

function(section out ext)
  set(${out} "int ${ext}len = 2;\r\nchar ${ext}[2]={\r\n0x61,0xFF};\r\n\r\n" PARENT_SCOPE)
endfunction()
foreach(ext xif enu fpt fmt typ)
  section(s_${ext} ${ext})
endforeach()
set(empty "\r\n\r\n")

set(failures "")
# Checks one header text; `expected` is "ok" or a text the refusal must contain.
function(check name text expected)
  set(header "${WORK_DIR}/${name}.h")
  file(WRITE "${header}" "${text}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -DHEADER=${header} -P "${CHECK_SCRIPT}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REPLACE "\n" " " err_flat "${err}")
  string(REGEX REPLACE " +" " " err_flat "${err_flat}")
  string(FIND "${err_flat}" "${expected}" at)
  if(expected STREQUAL "ok")
    if(NOT rc EQUAL 0)
      string(APPEND failures "\n${name}: refused a complete header: ${err}")
    endif()
  elseif(rc EQUAL 0)
    string(APPEND failures "\n${name}: accepted")
  elseif(at EQUAL -1)
    string(APPEND failures "\n${name}: message lacks '${expected}': ${err}")
  elseif(EXISTS "${header}")
    string(APPEND failures "\n${name}: refused header was not removed")
  endif()
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

check(complete "${s_xif}${s_enu}${s_fpt}${s_fmt}${s_typ}" ok)
check(fpt_missing "${s_xif}${s_enu}${empty}${s_fmt}${s_typ}" "fptlen and fpt are missing")
check(all_missing "${empty}${empty}${empty}${empty}${empty}" "xiflen and xif are missing")
check(typ_twice "${s_xif}${s_enu}${s_fpt}${s_fmt}${s_typ}${s_typ}" "typlen/typ must be defined exactly once")
check(length_differs "${s_xif}int enulen = 3;\r\nchar enu[2]={\r\n0x61,0xFF};\r\n\r\n${s_fpt}${s_fmt}${s_typ}"
      "enulen = 3 does not match enu[2]")

if(failures)
  message(FATAL_ERROR "CheckPayloadHeader.cmake misjudged:${failures}")
endif()
