# The product's facts, each defined once. The top CMakeLists.txt takes the version for
# project(); src/ProductInfo.h.in carries them into the code, the resource scripts and the
# tests; packaging/make-msi.cmake into the Windows Installer package.
set(R7716_VERSION 1.2)
# The application title: the caption of the message boxes, the task list's name and the
# package's name in Add/Remove Programs.
set(R7716_APP_TITLE "KORVA Updates Tool - Lon R7716")
# The main window's caption: two blanks after KORVA, unlike the title.
set(R7716_MAIN_CAPTION "KORVA  Updates Tool - Lon R7716")
# The maker as the version resources (CompanyName) and the package (Publisher) name it.
set(R7716_MAKER "KORVA Example Meters")
# The maker's web host (the link label's text) and the product page the link opens.
set(R7716_WEB_HOST "www.korva.example")
set(R7716_PRODUCT_PAGE_PATH "/korva/english/ugruppe/energiez.htm")
# The package's UpgradeCode: fixed for the product, never changed (a new one would make a
# new version install beside the old one instead of replacing it).
set(R7716_UPGRADE_CODE "CB6AC15E-BCF0-4D25-A8DC-8E835EA9B4EC")
# The package's ProductCode for a version: a name-based UUID of the UpgradeCode and the
# version, the same for every build of that version (a detection rule can name it).
function(r7716_product_code version out)
  string(UUID code NAMESPACE ${R7716_UPGRADE_CODE} NAME "ProductCode ${version}" TYPE SHA1 UPPER)
  set(${out} "{${code}}" PARENT_SCOPE)
endfunction()
