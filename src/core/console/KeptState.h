#pragma once
// What an installation or removal is about to change in the LonWorks folder, kept beforehand
// in one file of its own, so that a Windows Installer package's rollback can put it back
// exactly as it was and its commit can drop it (--keep, --restore, --forget).
//
// The file, written whole in one step, names the LonWorks folder, tells for each of the four
// folders whether it was there and for each of the six files whether it was kept (and how
// many bytes) or absent, and ends with the kept files' bytes in that order:
//
//   r7716-install kept state
//   lonworks C:\LonWorks
//   present C:\LonWorks\Import                (Import, Types, Types\User, Types\User\KR)
//   kept 29449 C:\LonWorks\Import\R7716.XIF   (the five files, then Types\loninst.cmd)
//   absent C:\LonWorks\Types\User\KR\R7716.ENU
//   <an empty line, then the bytes>
//
// Without the file nothing was kept, so nothing was changed either.
#include <string>
#include <vector>

#include "core/console/ConsoleRequest.h"
#include "core/install/FolderFiles.h"
#include "core/install/Installer.h"

namespace korva {

// Removes the kept state `state` from its folder's files; false when it stays.
bool ForgetKeptState(FolderFiles& stateFolder, const std::string& state);

// The kept state of what an installation into `layout` changes, read through `files` (the
// LonWorks folder's). Raises InstallError ("Cannot read <file> to keep it") when a file cannot
// be read or leads outside the LonWorks folder: no byte read from outside is ever kept.
std::string KeptStateText(const InstallLayout& layout, const Payload& payload, const CodePage& codePage,
                          FolderFiles& files, InstallSteps& steps);

// What --restore reports: one line per folder or file it changed back or could not, the
// errors, and the exit code.
struct RestoreOutcome {
    std::string lines;
    std::vector<std::string> errors;  // "Cannot restore <path>", ...
    ExitCode exitCode = ExitCode::Success;
};

// Puts back what the file `state` holds: the folders that were there, each kept file's bytes,
// no file that was absent, no folder that was absent (when it is empty), each through the
// files of its LonWorks folder as that folder resolves now, so that nothing outside it is
// written or removed; then removes `state`, or keeps it when something could not be put
// back. Usage when `state` is no kept state.
RestoreOutcome RestoreKeptState(const std::string& state, const Payload& payload, const CodePage& codePage,
                                InstallPlatform& platform, InstallSteps& steps);

}  // namespace korva
