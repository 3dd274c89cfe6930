# The release zip, made by CPack's ZIP generator in the 64-bit build tree (scripts/release.sh):
#   R7716Tool-<version>/R7716Tool.exe, R7716Tool-dev.exe, r7716-install.exe   the tested builds
#   R7716Tool-<version>/R7716Tool-<version>-x64.msi   the package of r7716-install.exe, made by
#                                            scripts/release.sh beside the zip before it is packed
#   R7716Tool-<version>/x86/...              the 32-bit builds and a README.txt that says what they are
#   R7716Tool-<version>/README.md, SHA256SUMS (sha256sum format, every other file of the zip)
set(R7716_RELEASE_DIR ${PROJECT_SOURCE_DIR}/build/release)
set(R7716_RELEASE_X86_DIR "" CACHE PATH "Folder of the 32-bit build's exes for the release zip (build/windows-x86/bin)")
set(R7716_RELEASE_EXES R7716Tool R7716Tool-dev r7716-install)

install(TARGETS ${R7716_RELEASE_EXES} RUNTIME DESTINATION .)
install(FILES README.md ${R7716_RELEASE_DIR}/R7716Tool-${PROJECT_VERSION}-x64.msi DESTINATION .)
if(R7716_RELEASE_X86_DIR)
  foreach(exe IN LISTS R7716_RELEASE_EXES)
    install(FILES ${R7716_RELEASE_X86_DIR}/${exe}.exe DESTINATION x86)
  endforeach()
  install(FILES cmake/release-x86-README.txt DESTINATION x86 RENAME README.txt)
endif()
# Last: the checksums of everything installed before.
install(CODE [[
  set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${root}" "${root}/*")
  list(REMOVE_ITEM files SHA256SUMS)
  list(SORT files)
  set(sums "")
  foreach(file IN LISTS files)
    file(SHA256 "${root}/${file}" hash)
    string(APPEND sums "${hash}  ${file}\n")
  endforeach()
  file(WRITE "${root}/SHA256SUMS" "${sums}")
]])

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME R7716Tool)
set(CPACK_PACKAGE_VENDOR "${R7716_MAKER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME R7716Tool-${PROJECT_VERSION})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY ${R7716_RELEASE_DIR})
include(CPack)
