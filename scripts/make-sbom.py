#!/usr/bin/env python3
"""Writes the release's bill of materials (SPDX 2.3 JSON) and THIRD-PARTY-NOTICES.txt into the
release stage (scripts/release.sh). The bill lists every program of the stage and each installer
package given with its SHA-256 sum, and the runtime libraries linked statically into the
programs: the Debian packages that hold the compiler's runtime archives (found by asking the
compiler and dpkg on this machine), with their versions and licences. The notices are those
packages' own copyright files. No current time: the document's time is SOURCE_DATE_EPOCH, its
namespace derived from the sums.

Usage: make-sbom.py --stage DIR --name NAME --version V --supplier ORG --namespace URL
                    --toolchain FOLDER COMPILER [--toolchain FOLDER COMPILER ...]
                    [--installer FILE PROGRAM ...]
  FOLDER: a folder of the stage whose *.exe were linked by COMPILER (. for the stage itself);
  FILE: an installer package of the stage that holds PROGRAM, a program of the stage."""
import argparse
import hashlib
import json
import os
import subprocess
import time
import urllib.parse

GCC_LICENCE = "GPL-3.0-or-later WITH GCC-exception-3.1"
# Each runtime part linked into a static MinGW-w64 C++ program: an archive that identifies it,
# what it is, and its licence. The package that holds the archive is asked of dpkg.
RUNTIME_PARTS = [
    ("libstdc++.a", "the GCC C++ runtime library (libstdc++)", GCC_LICENCE),
    ("libgcc.a", "the GCC runtime library (libgcc, libgcc_eh)", GCC_LICENCE),
    ("libmingwex.a", "the MinGW-w64 C runtime (crt2.o, libmingw32, libmingwex, libmsvcrt)", "ZPL-2.1"),
]
CRT_COMMENT = ("ZPL-2.1 is the licence of the MinGW-w64 runtime as a whole; files of it that are in "
               "the public domain or under other permissive notices are named in the package's "
               "copyright file, which THIRD-PARTY-NOTICES.txt holds.")


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout.strip()


def spdx_id(*parts):
    return "SPDXRef-" + "-".join("".join(c if c.isalnum() or c in ".-" else "-" for c in p) for p in parts)


def release_id(path):
    return spdx_id("Release", path)


def relationship(element, kind, related):
    return {"spdxElementId": element, "relationshipType": kind, "relatedSpdxElement": related}


def runtime_packages(compiler):
    """[(debian package, version, architecture, part, licence)] for the compiler's runtime."""
    found = []
    for archive, part, licence in RUNTIME_PARTS:
        path = os.path.realpath(run(compiler, "-print-file-name=" + archive))
        if not os.path.isabs(path) or not os.path.exists(path):
            raise SystemExit(f"make-sbom: {compiler} does not find {archive}")
        package = run("dpkg-query", "-S", path).split(":")[0]
        version, arch = run("dpkg-query", "-W", "-f=${Version} ${Architecture}", package).split()
        found.append((package, version, arch, part, licence))
    return found


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def main():
    ap = argparse.ArgumentParser()
    for option in ("stage", "name", "version", "supplier", "namespace"):
        ap.add_argument("--" + option, required=True)
    ap.add_argument("--toolchain", nargs=2, action="append", required=True, metavar=("FOLDER", "COMPILER"))
    ap.add_argument("--installer", nargs=2, action="append", default=[], metavar=("FILE", "PROGRAM"))
    args = ap.parse_args()
    epoch = int(os.environ["SOURCE_DATE_EPOCH"])

    packages, relationships, notices = [], [], {}

    def ours(path, purpose):  # one of the release's own files, which the document describes
        ref = release_id(path)
        packages.append({
            "SPDXID": ref, "name": path, "versionInfo": args.version, "packageFileName": path,
            "supplier": "Organization: " + args.supplier, "downloadLocation": "NOASSERTION",
            "filesAnalyzed": False, "primaryPackagePurpose": purpose,
            "checksums": [{"algorithm": "SHA256", "checksumValue": sha256(os.path.join(args.stage, path))}],
            "licenseConcluded": "NOASSERTION", "licenseDeclared": "NOASSERTION", "copyrightText": "NOASSERTION",
        })
        relationships.append(relationship("SPDXRef-DOCUMENT", "DESCRIBES", ref))
        return ref

    runtimes = {}  # SPDX id of a runtime package -> its entry
    for folder, compiler in args.toolchain:
        links = []
        for package, version, arch, part, licence in runtime_packages(compiler):
            ref = spdx_id("Debian", package)
            links.append(ref)
            if ref in runtimes:
                continue
            runtimes[ref] = {
                "SPDXID": ref, "name": package, "versionInfo": version,
                "supplier": "Organization: Debian", "downloadLocation": "NOASSERTION",
                "filesAnalyzed": False, "primaryPackagePurpose": "LIBRARY",
                "description": f"Debian package holding {part}, linked statically into the programs",
                "licenseConcluded": "NOASSERTION", "licenseDeclared": licence, "copyrightText": "NOASSERTION",
                "externalRefs": [{"referenceCategory": "PACKAGE-MANAGER", "referenceType": "purl",
                                  "referenceLocator": f"pkg:deb/debian/{urllib.parse.quote(package)}@"
                                                      f"{urllib.parse.quote(version)}?arch={arch}"}],
            }
            if licence == "ZPL-2.1":
                runtimes[ref]["licenseComments"] = CRT_COMMENT
            copyright_file = f"/usr/share/doc/{package}/copyright"
            with open(copyright_file, encoding="utf-8") as f:
                text = f.read()
            notices.setdefault(text, []).append((package, version, part, copyright_file))
        directory = os.path.join(args.stage, folder)
        for exe in sorted(e for e in os.listdir(directory) if e.endswith(".exe")):
            ref = ours(os.path.normpath(os.path.join(folder, exe)), "APPLICATION")
            relationships += [relationship(ref, "STATIC_LINK", r) for r in links]
    for installer, program in args.installer:
        relationships.append(relationship(ours(installer, "INSTALL"), "CONTAINS", release_id(program)))

    sums = "".join(p["checksums"][0]["checksumValue"] + p["packageFileName"] for p in packages)
    document = {
        "spdxVersion": "SPDX-2.3",
        "dataLicense": "CC0-1.0",
        "SPDXID": "SPDXRef-DOCUMENT",
        "name": args.name,
        "documentNamespace": f"{args.namespace}/{args.name}-{hashlib.sha256(sums.encode()).hexdigest()[:32]}",
        "creationInfo": {
            "created": time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(epoch)),
            "creators": ["Organization: " + args.supplier, "Tool: scripts/release.sh"],
        },
        "packages": packages + list(runtimes.values()),
        "relationships": relationships,
    }
    with open(os.path.join(args.stage, args.name + ".spdx.json"), "w", encoding="utf-8") as f:
        json.dump(document, f, indent=2)
        f.write("\n")

    with open(os.path.join(args.stage, "THIRD-PARTY-NOTICES.txt"), "w", encoding="utf-8") as f:
        f.write(f"Third-party notices of {args.name}\n\n"
                "The programs link these runtime libraries statically. The copyright files of the\n"
                "Debian packages that built them follow, as they stand on the build machine.\n")
        for text, holders in notices.items():
            f.write("\n" + "=" * 78 + "\n")
            for package, version, part, copyright_file in holders:
                f.write(f"{package} {version}: {part}\n")
            f.write(f"From {holders[0][3]}:\n" + "=" * 78 + "\n\n" + text)


if __name__ == "__main__":
    main()
