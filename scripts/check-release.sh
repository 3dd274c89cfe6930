#!/usr/bin/env bash
# The release's checks, one line each, with a throwaway CA, code-signing certificate (also on a
# SoftHSM2 token), server certificate and loopback time-stamp authority, removed at the end.
# Leaves build/release signed, for the tests that use it afterwards. Usage: scripts/check-release.sh
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d "${TMPDIR:-/tmp}/r7716-check-release.XXXXXX")
trap '[ -z "${tsa_pid:-}" ] || kill "$tsa_pid"; rm -rf "$work"' EXIT
export R7716_SIGN_PASSWORD="throwaway $RANDOM$RANDOM"
epoch=$(git log -1 --format=%ct)

certificate() { # NAME EXTENDED_KEY_USAGE: NAME.key, NAME.pem issued by the CA, NAME.pfx
  openssl req -newkey rsa:2048 -nodes -keyout "$work/$1.key" -out "$work/$1.csr" -subj "/CN=R7716 test $1" 2>/dev/null
  printf 'basicConstraints=CA:false\nkeyUsage=critical,digitalSignature\nextendedKeyUsage=%s\n' "$2" >"$work/$1.ext"
  openssl x509 -req -in "$work/$1.csr" -CA "$work/ca.pem" -CAkey "$work/ca.key" -CAcreateserial -days 30 \
    -extfile "$work/$1.ext" -out "$work/$1.pem" 2>/dev/null
  openssl pkcs12 -export -inkey "$work/$1.key" -in "$work/$1.pem" -out "$work/$1.pfx" -passout env:R7716_SIGN_PASSWORD
}
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/ca.key" -out "$work/ca.pem" -days 30 -subj "/CN=R7716 test CA" \
  -addext basicConstraints=critical,CA:true -addext keyUsage=critical,keyCertSign 2>/dev/null
certificate signer codeSigning
certificate server serverAuth
certificate tsa critical,timeStamping

# The signer's key on a SoftHSM2 token whose PIN is the password (a test token: PIN on the command line).
export SOFTHSM2_CONF=$work/softhsm2.conf
mkdir "$work/tokens" && echo "directories.tokendir = $work/tokens" >"$SOFTHSM2_CONF"
openssl pkcs8 -topk8 -nocrypt -in "$work/signer.key" -out "$work/signer.p8"
softhsm2-util --init-token --free --label r7716-test --so-pin 0000 --pin "$R7716_SIGN_PASSWORD" >/dev/null
softhsm2-util --import "$work/signer.p8" --token r7716-test --label signer --id 01 --pin "$R7716_SIGN_PASSWORD" >/dev/null

# An RFC 3161 time-stamp authority on loopback: openssl ts answers each request.
echo 01 >"$work/tsa.serial" && printf '[tsa]\ndefault_tsa = t\n[t]\nserial = %s/tsa.serial\nsigner_cert = %s/tsa.pem\nsigner_key = %s/tsa.key\nsigner_digest = sha256\ndefault_policy = 1.3.6.1.4.1.4146.2.3\ndigests = sha256\ness_cert_id_alg = sha256\n' \
  "$work" "$work" "$work" >"$work/tsa.cnf"
python3 -c 'import http.server as h, subprocess, sys
class TSA(h.BaseHTTPRequestHandler):
    def do_POST(self):
        reply = subprocess.run(["openssl", "ts", "-reply", "-config", sys.argv[1], "-queryfile", "/dev/stdin", "-out", "/dev/stdout"],
                               input=self.rfile.read(int(self.headers["Content-Length"])), capture_output=True).stdout
        self.send_response(200); self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(reply))); self.end_headers(); self.wfile.write(reply)
    def log_message(self, *args): pass
server = h.HTTPServer(("127.0.0.1", 0), TSA); print(server.server_port, flush=True); server.serve_forever()' \
  "$work/tsa.cnf" >"$work/tsa.port" &
tsa_pid=$!

# osslsigncode and openssl with each command line logged, to show that none holds the password.
mkdir "$work/bin" && for tool in osslsigncode openssl; do
  printf '#!/bin/sh\necho "%s $*" >>"%s"\nexec %s "$@"\n' $tool "$work/command-lines" "$(command -v $tool)" >"$work/bin/$tool"
  chmod +x "$work/bin/$tool"
done

release() { scripts/release.sh --no-tests "$@"; }
unpacked() { rm -rf "$work/zip" && mkdir "$work/zip" && (cd "$work/zip" && cmake -E tar xf "$OLDPWD"/build/release/*.zip) && echo "$work"/zip/*; }
verified() { # [--tsa]: every program and package in the zip signed by the CA's certificate at the commit's time
  local top file count=0
  top=$(unpacked) || return 1
  for file in $(cd "$top" && find . -name '*.exe' -o -name '*.msi' | sort); do
    osslsigncode verify -CAfile "$work/ca.pem" -TSA-CAfile "$work/ca.pem" -in "$top/$file" >"$work/verify.log" 2>&1 &&
      grep -qF "Signing time: $(LC_ALL=C date -u -d @"$epoch" '+%b %e %H:%M:%S %Y') GMT" "$work/verify.log" &&
      { [ "${1:-}" != --tsa ] || grep -q "Timestamp Server Signature verification: ok" "$work/verify.log"; } ||
      { echo "$file:"; cat "$work/verify.log"; return 1; }
    echo "verified $file"; count=$((count + 1))
  done
  [ $count = 7 ]  # six programs and the MSI
}
sbom_matches() { # SPDX 2.3; each program and package of the zip with its sum, each program with three runtime packages
  python3 -c 'import glob, hashlib, json, os, sys
top = sys.argv[1]
[doc] = [json.load(open(path)) for path in glob.glob(os.path.join(top, "*.spdx.json"))]
assert (doc["spdxVersion"], doc["dataLicense"], doc["SPDXID"]) == ("SPDX-2.3", "CC0-1.0", "SPDXRef-DOCUMENT")
assert doc["name"] and doc["documentNamespace"] and doc["creationInfo"]["creators"]
packages = {p["SPDXID"]: p for p in doc["packages"] if p["name"] and p["downloadLocation"] and not p["filesAnalyzed"]}
links = {}
for r in doc["relationships"]:
    links.setdefault(r["spdxElementId"], []).append((r["relationshipType"], packages[r["relatedSpdxElement"]]))
ours = {p["packageFileName"]: p for p in packages.values() if "packageFileName" in p}
assert set(ours) == {os.path.relpath(f, top) for e in ("exe", "msi") for f in glob.glob(f"{top}/**/*.{e}", recursive=True)}
for name, p in ours.items():
    assert p["checksums"][0]["checksumValue"] == hashlib.sha256(open(os.path.join(top, name), "rb").read()).hexdigest(), name
    if name.endswith(".exe"):
        runtimes = [r for kind, r in links[p["SPDXID"]] if kind == "STATIC_LINK" and r["versionInfo"] and r["licenseDeclared"] != "NOASSERTION"]
        assert len(runtimes) == len(links[p["SPDXID"]]) == 3, name
    else:
        assert links[p["SPDXID"]] == [("CONTAINS", ours["r7716-install.exe"])], name' "$(unpacked)"
}
documents_linked() { # README.md and docs/deployment.md, not the maintainers' guide; every link of theirs resolves in the zip
  local top; top=$(unpacked) && (cd "$top" && find README.md docs | sort) && [ -f "$top/docs/deployment.md" ] &&
    [ ! -e "$top/docs/development.md" ] && scripts/check-links.sh "$top"
}
msi_holds_signed_program() { # the file it installs and the copy its rollback actions run
  local top; top=$(unpacked) && rm -rf "$work/msi" && msiextract -C "$work/msi" "$top"/*.msi &&
    cmp "$(find "$work/msi" -name r7716-install.exe)" "$top/r7716-install.exe" &&
    msiinfo extract "$top"/*.msi Binary.RollbackProgram | cmp - "$top/r7716-install.exe"
}
refused() { # PASSWORD TEXT RELEASE_OPTION...: refused with TEXT before the build, an earlier zip gone, no password shown
  mkdir -p build/release && cp "$work/pfx.zip" build/release/earlier.zip
  ! R7716_SIGN_PASSWORD=$1 release "${@:3}" >"$work/refused.log" 2>&1 && cat "$work/refused.log" && grep -qF "$2" "$work/refused.log" &&
    ! grep -q "== release" "$work/refused.log" && ! ls build/release/*.zip 2>/dev/null && ! grep -qF "$1" "$work/refused.log"
}
password_hidden() {
  PATH=$work/bin:$PATH release --sign "$pfx" && grep '^osslsigncode sign' "$work/command-lines" &&
    ! grep -F "$R7716_SIGN_PASSWORD" "$work/command-lines"
}
same_as_pfx() { cmp build/release/*.zip "$work/pfx.zip"; }
runs_under_wine() { scripts/with-wine.sh build/windows/wineprefix wine "$(unpacked)/r7716-install.exe" --version; }
time_stamped() { release --sign "$pfx" --timestamp "http://127.0.0.1:$(cat "$work/tsa.port")" && verified --tsa; }
attached() { release --signatures-from "$work/pfx.zip" && same_as_pfx; }
token_signed() { release --sign "$token" --cert "$work/signer.pem" --pkcs11-module /usr/lib/softhsm/libsofthsm2.so && same_as_pfx; }

passed=0 failed=0
check() { # NAME COMMAND...
  if "${@:2}" >"$work/check.log" 2>&1; then echo "ok    $1"; passed=$((passed + 1))
  else echo "FAIL  $1"; sed 's/^/      /' "$work/check.log"; failed=$((failed + 1)); fi
}
pfx=$work/signer.pfx token="pkcs11:token=r7716-test;object=signer;type=private"
check "release signed with a PKCS#12 file, the password on no command line" password_hidden
cp build/release/*.zip "$work/pfx.zip"
check "each program and the MSI: signature verified against the CA, signing time the commit's" verified
check "the MSI holds the signed console program" msi_holds_signed_program
check "bill of materials: SPDX 2.3; its programs, package and sums those of the zip" sbom_matches
check "README.md and docs/deployment.md in the zip (not docs/development.md), every link of theirs resolving there" documents_linked
check "the signed console program runs under Wine" runs_under_wine
check "wrong password: refused before the build, no zip" refused "not the password" "wrong password" --sign "$pfx"
check "unreadable file: refused, no zip" refused "$R7716_SIGN_PASSWORD" "cannot read" --sign "$work/missing.pfx"
check "certificate without codeSigning: refused, no zip" refused "$R7716_SIGN_PASSWORD" "not for code signing" --sign "$work/server.pfx"
check "time stamp from a loopback RFC 3161 server, verified" time_stamped
check "the published signatures attached to this build give the published zip" attached
check "a key on a PKCS#11 token (SoftHSM2) signs the same bytes as the PKCS#12 file" token_signed
check "signed release made again elsewhere, later: identical" scripts/check-reproducible.sh --sign "$pfx"
echo "check-release: $passed passed, $failed failed"
[ "$failed" = 0 ]
