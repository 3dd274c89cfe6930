#!/usr/bin/env bash
# Installs Debian packages when they are missing: the given ones, or, without arguments,
# what building and testing need. Usage: scripts/setup.sh [PACKAGE...]
set -euo pipefail
packages=("$@")
[ $# -gt 0 ] || packages=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev python3
          g++-mingw-w64-x86-64 g++-mingw-w64-i686
          wine wine64 xvfb xauth fonts-wine wixl msitools
          clang libclang-rt-14-dev clang-format
          osslsigncode openssl softhsm2 libengine-pkcs11-openssl
          strip-nondeterminism python3-olefile)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
