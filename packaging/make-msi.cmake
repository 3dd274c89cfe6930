# Makes the Windows Installer package of r7716-install.exe (packaging/r7716-install.wxs) with
# wixl and msibuild (msitools):
#
#   cmake -P packaging/make-msi.cmake CONSOLE_EXE OUT [VERSION]
#
#   CONSOLE_EXE  the 64-bit r7716-install.exe to package (as built, or signed)
#   OUT          the package to write, or a folder to write R7716Tool-<version>-x64.msi into
#   VERSION      the package's version; the product's own (src/ProductInfo.cmake) when not given
#
# The same input gives the same bytes: the ProductCode is derived from the version
# (r7716_product_code, src/ProductInfo.cmake), every time in the package (the summary
# information's, the program's in the cabinet) is SOURCE_DATE_EPOCH, by default the time of
# the last commit, and the package code is a name-based UUID of the package's SHA-256 as made
# with a placeholder code: any change of the package, and only a change, gives it another
# package code.
cmake_minimum_required(VERSION 3.25)
set(here ${CMAKE_CURRENT_LIST_DIR})
include(${here}/../src/ProductInfo.cmake)

if(CMAKE_ARGC LESS 5 OR CMAKE_ARGC GREATER 6)
  message(FATAL_ERROR "usage: cmake -P packaging/make-msi.cmake CONSOLE_EXE OUT [VERSION]")
endif()
file(REAL_PATH "${CMAKE_ARGV3}" exe)
file(REAL_PATH "${CMAKE_ARGV4}" out)
set(version ${R7716_VERSION})
if(CMAKE_ARGC EQUAL 6)
  set(version ${CMAKE_ARGV5})
endif()
if(NOT version MATCHES "^[0-9]+\\.[0-9]+(\\.[0-9]+)?$")
  message(FATAL_ERROR "make-msi: a package version is MAJOR.MINOR[.BUILD], not '${version}'")
endif()
if(NOT EXISTS "${exe}" OR IS_DIRECTORY "${exe}")
  message(FATAL_ERROR "make-msi: no program ${exe}")
endif()
if(IS_DIRECTORY "${out}")
  set(out "${out}/R7716Tool-${version}-x64.msi")
endif()

set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(epoch STREQUAL "")
  execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${here} OUTPUT_VARIABLE epoch
                  OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "make-msi: no SOURCE_DATE_EPOCH and no commit to take the time from")
  endif()
endif()
if(NOT epoch MATCHES "^[0-9]+$")
  message(FATAL_ERROR "make-msi: SOURCE_DATE_EPOCH is seconds since 1970, not '${epoch}'")
endif()

set(stage "${out}.parts")
function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${stage} RESULT_VARIABLE failed OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(failed)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "make-msi: ${command} failed (${failed}):\n${output}")
  endif()
endfunction()

r7716_product_code(${version} product_code)

# The program in a folder of its own with the commit's time: the cabinet keeps the file's
# time (in local time, hence TZ=UTC).
file(REMOVE_RECURSE "${stage}")
file(MAKE_DIRECTORY "${stage}")
file(COPY_FILE "${exe}" "${stage}/r7716-install.exe")
run(touch -m -d @${epoch} "${stage}/r7716-install.exe")

set(msi "${stage}/package.msi")  # wixl finds the program in its working directory
run(${CMAKE_COMMAND} -E env TZ=UTC
    wixl -a x64 -o "${msi}" -D "Title=${R7716_APP_TITLE}" -D "Maker=${R7716_MAKER}" -D "Version=${version}"
    -D "UpgradeCode=${R7716_UPGRADE_CODE}" -D "ProductCode=${product_code}"
    "${here}/r7716-install.wxs")
# What wixl 0.101 cannot say: the RemoveFile rows (it knows no RemoveFile element) of the log
# and of the state kept for a rollback, on the final removal only (their folder is
# FINALREMOVALFOLDER, which is set then and empty otherwise); and the rollback and commit
# actions' type and source (it knows no exe from the Binary table and drops
# Execute="rollback" and "commit"): an exe from the Binary table (2), run as SYSTEM (2048) in
# the script (1024) of the rollback (256) or the commit (512), its exit code ignored (64).
# Then, since wixl makes a random package code and takes the current time: a placeholder code
# and the commit's time first, and last the code derived from the package's bytes.
set(platform "x64\;1033")  # the summary information's template, platform;language (one argument to run())
run(msibuild "${msi}"
    -q "INSERT INTO `RemoveFile` (`FileKey`, `Component_`, `FileName`, `DirProperty`, `InstallMode`) VALUES ('RemoveLog', 'Program', 'r7716-install.log', 'FINALREMOVALFOLDER', 2)"
    -q "INSERT INTO `RemoveFile` (`FileKey`, `Component_`, `FileName`, `DirProperty`, `InstallMode`) VALUES ('RemoveKeptState', 'Program', 'r7716-install.rollback', 'FINALREMOVALFOLDER', 2)"
    -q "UPDATE `CustomAction` SET `Type` = 3394, `Source` = 'RollbackProgram' WHERE `Action` = 'InstallResourceFilesRollback' OR `Action` = 'RemoveResourceFilesRollback'"
    -q "UPDATE `CustomAction` SET `Type` = 3650, `Source` = 'RollbackProgram' WHERE `Action` = 'DropKeptState'"
    -s "${R7716_APP_TITLE}" "${R7716_MAKER}" "${platform}" "{00000000-0000-0000-0000-000000000000}")
# Debian's Python, which has python3-olefile (a python3 of pyenv's earlier on PATH has not).
run(/usr/bin/python3 "${here}/set-msi-times.py" "${msi}" ${epoch})
file(SHA256 "${msi}" package_sha256)
string(UUID package_code NAMESPACE ${R7716_UPGRADE_CODE} NAME "Package ${package_sha256}" TYPE SHA1 UPPER)
run(msibuild "${msi}" -s "${R7716_APP_TITLE}" "${R7716_MAKER}" "${platform}" "{${package_code}}")  # keeps the times

file(RENAME "${msi}" "${out}")
file(REMOVE_RECURSE "${stage}")
message(STATUS "make-msi: ${out} (version ${version}, ProductCode ${product_code})")
