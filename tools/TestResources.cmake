# The committed device files must be exactly what make_resources.py writes (so a line-end
# conversion or a hand edit of resources/R7716 is caught).
#   cmake -DPYTHON=<python3> -DSCRIPT=<make_resources.py> -DRESOURCE_DIR=<folder> -DWORK_DIR=<scratch> -P TestResources.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND "${PYTHON}" "${SCRIPT}" "${WORK_DIR}" RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "make_resources.py failed: ${err}")
endif()
foreach(ext xif enu fpt fmt typ)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK_DIR}/R7716.${ext}" "${RESOURCE_DIR}/R7716.${ext}"
                  RESULT_VARIABLE same)
  if(NOT same EQUAL 0)
    message(FATAL_ERROR "${RESOURCE_DIR}/R7716.${ext} differs from what make_resources.py writes")
  endif()
endforeach()
