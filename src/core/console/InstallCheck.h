#pragma once
// The detection rule: are the files an installation writes there, and do they hold what it
// would write? Reads only.
#include <string>
#include <vector>

#include "core/common/CodePage.h"
#include "core/install/FolderFiles.h"
#include "core/install/Installer.h"

namespace korva {

// A file's state as the check finds it (Outside: it leads outside the LonWorks folder); a
// removal turns Current into Removed, or into Failed when the file cannot be removed; a
// restore reports Restored, Removed or Failed.
enum class FileState { Current, Missing, Different, Unreadable, Outside, Removed, Failed, Restored };

struct CheckedFile {
    std::string path;
    FileState state;
};

// One of the six files an installation writes, and the bytes it writes there (nothing for a
// command file whose folder the OEM code page cannot spell).
struct ExpectedFile {
    std::string path;
    std::optional<std::string> bytes;
};

// The five resource files, then loninst.cmd, in the order they are written.
std::vector<ExpectedFile> ExpectedFiles(const InstallLayout& layout, const Payload& payload, const CodePage& codePage);

// Current when the file reads back as `expected` byte for byte; Different when it does not,
// or when there is nothing it could be expected to hold (a command file whose folder the OEM
// code page cannot spell is never current).
FileState JudgeFile(const FileContents& installed, const std::optional<std::string>& expected);

// The six files, each judged against the bytes an installation would write there.
std::vector<CheckedFile> CheckInstallation(const InstallLayout& layout, const Payload& payload,
                                           const CodePage& codePage, FolderFiles& files);

// The state as one word: "current", "missing", "different", "unreadable", "outside",
// "removed", "failed", "restored".
const char* StateWord(FileState state);

// "current    C:\LonWorks\Import\R7716.XIF\r\n": the state, padded, then the file.
std::string CheckLine(const CheckedFile& file);

}  // namespace korva
