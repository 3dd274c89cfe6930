# The release zip, made by CPack's ZIP generator in the 64-bit build tree from the stage that
# scripts/release.sh fills (the release's layout is set there):
#   R7716Tool-<version>/R7716Tool.exe, R7716Tool-dev.exe, r7716-install.exe   the tested builds
#   R7716Tool-<version>/R7716Tool-<version>-x64.msi   the package of the 64-bit r7716-install.exe
#                                            (signed when signing; also beside the zip)
#   R7716Tool-<version>/x86/...              the 32-bit builds and a README.txt that says what they are
#   R7716Tool-<version>/README.md, docs/deployment.md   for the integrator and the administrator
#   R7716Tool-<version>/docs/*.png           the pictures those two link to (not docs/development.md)
#   R7716Tool-<version>/R7716Tool-<version>.spdx.json, THIRD-PARTY-NOTICES.txt
#   R7716Tool-<version>/SHA256SUMS           sha256sum format, every other file of the zip
# The compiler, whose runtime libraries the bill of materials names (both Windows trees).
set(R7716_CXX_COMPILER "${CMAKE_CXX_COMPILER}" CACHE INTERNAL "")
set(R7716_RELEASE_STAGE "" CACHE PATH "Folder with the release's files, filled by scripts/release.sh")
if(R7716_RELEASE_STAGE)
  install(DIRECTORY ${R7716_RELEASE_STAGE}/ DESTINATION .)
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
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_SOURCE_DIR}/build/release)
include(CPack)
