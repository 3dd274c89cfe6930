# Checks a generated payload header: each of the five images must be defined by exactly
# one length object and one array of the same, nonzero size. A source file that was
# missing or unreadable when the header was generated leaves its image out; such a
# header must not be built into the tool. On failure the header is removed, so the next
# build generates it again.
#   cmake -DHEADER=<R7716.h> [-DSOURCE_DIR=<folder of the sources>] -P CheckPayloadHeader.cmake
if(NOT DEFINED HEADER)
  message(FATAL_ERROR "CheckPayloadHeader: HEADER not given")
endif()
if(NOT EXISTS "${HEADER}")
  message(FATAL_ERROR "Payload header ${HEADER} was not generated")
endif()

file(STRINGS "${HEADER}" declarations REGEX "^(int|char) ")
set(problems "")
foreach(ext xif enu fpt fmt typ)
  set(lengths "")
  set(dims "")
  foreach(line IN LISTS declarations)
    if(line MATCHES "^int ${ext}len = ([0-9]+);")
      list(APPEND lengths "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^char ${ext}\\[([0-9]+)\\]={")
      list(APPEND dims "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  list(LENGTH lengths nl)
  list(LENGTH dims nd)
  set(source "the source file ${ext}")
  if(DEFINED SOURCE_DIR)
    set(source "${SOURCE_DIR}/R7716.${ext}")
  endif()
  if(nl EQUAL 0 AND nd EQUAL 0)
    string(APPEND problems "\n  ${ext}len and ${ext} are missing: ${source} was missing, unreadable or empty")
  elseif(NOT nl EQUAL 1 OR NOT nd EQUAL 1)
    string(APPEND problems "\n  ${ext}len/${ext} must be defined exactly once each (found ${nl} and ${nd})")
  elseif(NOT lengths STREQUAL dims)
    string(APPEND problems "\n  ${ext}len = ${lengths} does not match ${ext}[${dims}]")
  endif()
endforeach()

if(problems)
  file(REMOVE "${HEADER}")
  message(FATAL_ERROR "Payload header ${HEADER} cannot be built into the tool; all ten objects "
                      "(xiflen, xif, enulen, enu, fptlen, fpt, fmtlen, fmt, typlen, typ) must be present:${problems}")
endif()
