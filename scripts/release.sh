#!/usr/bin/env bash
# Makes the release zip build/release/R7716Tool-<version>.zip: builds both Windows presets,
# runs their tests under Wine, the 32-bit build's under the 32-bit Wine of scripts/wine32.sh
# (the zip holds the programs they tested; skipped with --no-tests when the caller has just
# run them), stages copies of the six programs and
# of README.md and docs/deployment.md with the pictures they link to (found by
# scripts/check-links.sh --targets; the maintainers' docs stay out), signs the programs when
# asked, makes the package R7716Tool-<version>-x64.msi of the staged r7716-install.exe
# (packaging/make-msi.cmake) and signs it, writes the bill of materials and the notices, packs
# with CPack's ZIP generator and makes the zip reproducible (strip-nondeterminism). The
# package lies in the zip and beside it.
#
# Usage: scripts/release.sh [--no-tests] [SIGNING] [--timestamp URL]
#   --sign PFX_FILE                           sign with the key and certificate of a PKCS#12 file
#   --sign PKCS11_URI --cert CERT_FILE --pkcs11-module MODULE
#                                             sign with a key on a hardware token or HSM
#   --signatures-from PUBLISHED_ZIP           attach the signatures of a published release to
#                                             this build instead (see docs/development.md: a rebuilt
#                                             release then equals the published one byte for byte)
#   --timestamp URL                           add an RFC 3161 time stamp from that server
# The password of the PKCS#12 file or the token's PIN is read from the environment variable
# R7716_SIGN_PASSWORD; it reaches osslsigncode through a pipe and openssl by the variable's
# name, never on a command line. Every time in the release is the last commit's time
# (SOURCE_DATE_EPOCH, from git unless set): the same commit signed with the same certificate
# gives the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() { echo "release: $*" >&2; exit 1; }
tests=1 sign="" cert="" module="" published="" timestamp=""
key_options=() timestamp_options=()
while [ $# -gt 0 ]; do
  case $1 in
    --no-tests) tests=0; shift; continue ;;
    --sign | --cert | --pkcs11-module | --signatures-from | --timestamp)
      [ $# -ge 2 ] || fail "$1 needs a value" ;;
    *) fail "unknown option $1 (usage: see the head of scripts/release.sh)" ;;
  esac
  case $1 in
    --sign) sign=$2 ;;
    --cert) cert=$2 ;;
    --pkcs11-module) module=$2 ;;
    --signatures-from) published=$(realpath "$2") ;;
    --timestamp) timestamp=$2 ;;
  esac
  shift 2
done
[ -z "$sign" ] || [ -z "$published" ] || fail "--sign and --signatures-from exclude each other"
[ -n "$sign" ] || [ -z "$cert$module$timestamp" ] || fail "--cert, --pkcs11-module and --timestamp go with --sign"
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
scripts/setup.sh

# Nothing of an earlier release stays, and a refused or failed release leaves no zip.
stage=$PWD/build/release-stage release=$PWD/build/release
rm -rf "$release" "$stage"
work=$(mktemp -d "${TMPDIR:-/tmp}/r7716-release.XXXXXX")
trap 'status=$?; rm -rf "$work"; [ $status = 0 ] || rm -rf "$release"' EXIT

# The documents the release carries, with the pictures they link to.
documents=(README.md docs/deployment.md)
for document in "${documents[@]}"; do
  [ -f "$document" ] || fail "$document is missing: the release carries README.md and docs/deployment.md with the pictures they link to"
done

# osslsigncode with the key's options; the password or PIN through a pipe on descriptor 3.
signtool() {
  osslsigncode "$1" "${key_options[@]}" -readpass /dev/fd/3 "${@:2}" 3< <(printf '%s' "$R7716_SIGN_PASSWORD")
}

# The signing key and certificate are checked before the build: readable, the password or PIN
# right (a trial signature of a small script), the certificate for code signing and in force.
if [ -n "$sign" ]; then
  [ -n "${R7716_SIGN_PASSWORD+set}" ] || fail "--sign: put the password or PIN into the environment variable R7716_SIGN_PASSWORD"
  case $sign in
    pkcs11:*)
      [ -n "$cert" ] && [ -n "$module" ] || fail "--sign $sign needs --cert CERT_FILE and --pkcs11-module MODULE"
      for file in "$cert" "$module"; do [ -f "$file" ] && [ -r "$file" ] || fail "cannot read $file"; done
      key_options=(-pkcs11module "$module" -certs "$cert" -key "$sign") ;;
    *)
      [ -f "$sign" ] && [ -r "$sign" ] || fail "cannot read the signing file $sign"
      key_options=(-pkcs12 "$sign") ;;
  esac
  printf 'exit 0\r\n' >"$work/trial.ps1"
  signtool sign -in "$work/trial.ps1" -out "$work/trial-signed.ps1" >"$work/trial.log" 2>&1 ||
    { echo "release: cannot sign with $sign: wrong password or PIN in R7716_SIGN_PASSWORD, or no key and certificate there" >&2
      grep -v '^[0-9A-F]*:error:' "$work/trial.log" | sed 's/^/  /' >&2; exit 1; }
  if [ -n "$cert" ]; then
    openssl x509 -in "$cert" -out "$work/cert.pem" 2>/dev/null || fail "$cert holds no certificate (PEM)"
  else
    openssl pkcs12 -in "$sign" -passin env:R7716_SIGN_PASSWORD -nokeys -clcerts -out "$work/cert.pem" 2>/dev/null ||
      openssl pkcs12 -legacy -in "$sign" -passin env:R7716_SIGN_PASSWORD -nokeys -clcerts -out "$work/cert.pem"
  fi
  subject=$(openssl x509 -in "$work/cert.pem" -noout -subject)
  openssl x509 -in "$work/cert.pem" -noout -ext extendedKeyUsage 2>/dev/null | grep -q 'Code Signing' ||
    fail "the certificate ($subject) is not for code signing: its extended key usage lacks codeSigning"
  openssl x509 -in "$work/cert.pem" -noout -checkend 0 >/dev/null ||
    fail "the certificate ($subject) has expired ($(openssl x509 -in "$work/cert.pem" -noout -enddate))"
  [ -z "$timestamp" ] || timestamp_options=(-ts "$timestamp")
elif [ -n "$published" ]; then
  mkdir "$work/published"
  (cd "$work/published" && cmake -E tar xf "$published") || fail "cannot unpack $published"
fi

echo "== release: the 32-bit build"
programs=(R7716Tool R7716Tool-dev r7716-install)
cmake --preset windows-x86 >/dev/null
if [ $tests = 1 ]; then
  cmake --build --preset windows-x86 -j2
  scripts/wine32.sh scripts/with-wine.sh build/windows-x86/wineprefix ctest --preset windows-x86
else
  cmake --build --preset windows-x86 -j2 --target "${programs[@]}"
fi

echo "== release: the 64-bit build"
cmake --preset windows -DR7716_RELEASE_STAGE="$stage" >/dev/null
if [ $tests = 1 ]; then
  cmake --build --preset windows -j2
  scripts/with-wine.sh build/windows/wineprefix ctest --preset windows
else
  cmake --build --preset windows -j2 --target "${programs[@]}"
fi

fact() { sed -n "s/^set($1 \"\{0,1\}\([^\"]*\)\"\{0,1\})\$/\1/p" src/ProductInfo.cmake; }
version=$(fact R7716_VERSION) title=$(fact R7716_APP_TITLE) maker=$(fact R7716_MAKER) web_host=$(fact R7716_WEB_HOST)
top=R7716Tool-$version msi=R7716Tool-$version-x64.msi

echo "== release: stage${sign:+ and sign}${published:+ and attach the signatures of $published}"
mkdir -p "$stage/x86"
for program in "${programs[@]}"; do
  cp build/windows/bin/$program.exe "$stage/"
  cp build/windows-x86/bin/$program.exe "$stage/x86/"
done
# The documents and the pictures they link to, each at its place relative to the others.
for document in "${documents[@]}"; do
  mkdir -p "$stage/$(dirname "$document")" && cp "$document" "$stage/$document"
done
targets=$(scripts/check-links.sh --targets "${documents[@]}") || fail "cannot read the links of ${documents[*]}"
while read -r picture; do
  case $picture in ../* | /*) fail "README.md or docs/deployment.md links to $picture, outside the source tree" ;; esac
  [ -f "$picture" ] || fail "README.md or docs/deployment.md links to $picture, which is missing"
  mkdir -p "$stage/$(dirname "$picture")" && cp "$picture" "$stage/$picture"
done < <(grep -iE '\.(png|jpe?g|gif|svg|webp)$' <<<"$targets" | sort -u)
cp cmake/release-x86-README.txt "$stage/x86/README.txt"

# Signs FILE (relative to the stage) in place: the signing time is the commit's. An MSI's
# signature covers its streams' metadata too (MsiDigitalSignatureEx).
sign_staged() {
  local file=$stage/$1 msi_options=()
  [[ $1 != *.msi ]] || msi_options=(-add-msi-dse)
  if [ -n "$published" ]; then
    [ -f "$work/published/$top/$1" ] || fail "$published holds no $top/$1"
    rm -f "$work/signature"
    osslsigncode extract-signature -in "$work/published/$top/$1" -out "$work/signature" >"$work/sign.log" 2>&1 ||
      fail "$top/$1 in $published carries no signature"
    # Its verdict needs the signer's CA; the comparison below is the check.
    osslsigncode attach-signature "${msi_options[@]}" -sigin "$work/signature" -in "$file" -out "$file.signed" >"$work/sign.log" 2>&1 || true
    cmp -s "$file.signed" "$work/published/$top/$1" ||
      fail "$1 of this build with the published signature differs from the published $1: the build is not the one that was signed"
  else
    signtool sign -h sha256 -time "$SOURCE_DATE_EPOCH" -n "$title" "${timestamp_options[@]}" "${msi_options[@]}" \
      -in "$file" -out "$file.signed" >"$work/sign.log" 2>&1 ||
      { echo "release: signing $1 failed" >&2; sed 's/^/  /' "$work/sign.log" >&2; exit 1; }
  fi
  mv "$file.signed" "$file"
  echo "release: ${published:+attached the published signature to }${sign:+signed }$1"
}
if [ -n "$sign$published" ]; then
  for program in "${programs[@]}"; do sign_staged $program.exe; sign_staged x86/$program.exe; done
fi

echo "== release: the package of the staged r7716-install.exe"
cmake -P packaging/make-msi.cmake "$stage/r7716-install.exe" "$stage/$msi"
[ -z "$sign$published" ] || sign_staged "$msi"

echo "== release: bill of materials and notices"
compiler() { sed -n 's/^R7716_CXX_COMPILER:INTERNAL=//p' "$1/CMakeCache.txt"; }
python3 scripts/make-sbom.py --stage "$stage" --name "$top" --version "$version" --supplier "$maker" \
  --namespace "https://$web_host/spdx" \
  --toolchain . "$(compiler build/windows)" --toolchain x86 "$(compiler build/windows-x86)" \
  --installer "$msi" r7716-install.exe

echo "== release: pack"
(cd build/windows && cpack --config CPackConfig.cmake)
zip=build/release/$top.zip
# CPack adds the entries in the order the file system lists them, with DOS times in the
# builder's time zone and the builder's user and group ids: strip-nondeterminism sorts them by
# name and sets every time to the commit's (the DOS time in UTC), the ids to 0 and the modes
# to 644 and 755.
strip-nondeterminism --type zip --timestamp "$SOURCE_DATE_EPOCH" "$zip"
cp "$stage/$msi" build/release/

# The zip as a user gets it: every file listed in SHA256SUMS, every sum right.
(cd "$work" && cmake -E tar xf "$OLDPWD/$zip")
(cd "$work/$top" && sha256sum --quiet -c SHA256SUMS &&
  [ "$(find . -type f ! -name SHA256SUMS | wc -l)" = "$(wc -l < SHA256SUMS)" ]) ||
  fail "SHA256SUMS does not cover the zip"
echo "release: $zip ($(sha256sum "$zip" | cut -d' ' -f1)) and build/release/$msi"
(cd "$work" && find "$top" -type f | sort)
