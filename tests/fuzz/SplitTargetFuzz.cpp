// Fuzz target: checking and splitting a target path, and the change of directory built on it.
// Input: lines split at '\n'. Byte 0 of line 0 holds options (bit 0: the list is linked to
// a drive chooser); the rest of line 0 is the target. Every further line adds to the fake
// machine of the unit tests: "d<path>" a folder, "h<path>" a hidden folder, "f<path>" a
// file, "c<path>" makes an existing folder the working directory, "x<text>" makes
// SetCurrentDirectory of exactly that text fail with code 5.
// Properties: SplitTargetPath never crashes and raises nothing but EInOutError; the working
// directory is back where it was afterwards, also after an error; a full target naming an
// existing folder is reached. ChangeDirectory to a full target either moves the list to
// the folder (working directory, current directory and rows agree) or raises EInOutError
// and leaves the rows, the highlight, the label, the current and the working directory as
// they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "FakeChooserPlatform.h"
#include "FuzzSupport.h"
#include "core/chooser/InOutError.h"

namespace {

using korva::AsciiLower;
using korva::AsciiUpper;
using korva::fuzz::Show;
using korva::testing::FakeChooserPlatform;

// "X:\name\name..." on a drive of the machine, with non-empty names made of characters
// Windows allows in a name (no control characters, none of < > : " / | ? *): the paths
// the fake machine can hold.
bool IsMachinePath(const std::string& path) {
    if (path.size() < 3 || path[1] != ':' || path[2] != '\\') return false;
    const std::string drives = "ACDEZacdez";
    if (drives.find(path[0]) == std::string::npos) return false;
    if (path.size() == 3) return true;
    std::string name;
    for (std::size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\') {
            if (name.empty()) return false;
            name.clear();
        } else if (static_cast<unsigned char>(path[i]) < 0x20 ||
                   std::string("<>:\"/|?*").find(path[i]) != std::string::npos) {
            return false;
        } else {
            name += path[i];
        }
    }
    return true;
}

// A target as the rows give them: a drive part and a path from its root.
bool IsFullTarget(const std::string& target) {
    if (target.size() >= 3 && target[1] == ':' && target[2] == '\\') return true;
    return target.size() >= 2 && target[0] == '\\' && target[1] == '\\';
}

// The folder a full drive path names, as the system reports it: no trailing backslash but
// at a drive root.
std::string Normalized(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

struct Machine {
    FakeChooserPlatform fs;
    std::vector<std::string> failing;
};

void BuildMachine(Machine& m, const std::vector<std::string>& lines) {
    korva::testing::MakeTypicalMachine(m.fs);
    const std::string start = m.fs.cwd;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        const char kind = lines[i][0];
        const std::string arg = lines[i].substr(1);
        if (kind == 'x') {
            if (arg != start) m.failing.push_back(arg);
            continue;
        }
        if (!IsMachinePath(arg)) continue;
        if (kind == 'd') m.fs.AddDir(arg);
        else if (kind == 'h') m.fs.AddDir(arg, korva::kAttrHidden);
        else if (kind == 'f' && arg.size() > 3 && !m.fs.FileAttributes(arg)) m.fs.AddFile(arg);
        else if (kind == 'c' && m.fs.IsDirectory(arg)) m.fs.SetCwd(arg);
    }
    // Failures last, so that building the machine is not affected by them.
    for (const std::string& text : m.failing) m.fs.failures["SetWorkingDirectory " + text] = 5;
    m.fs.calls.clear();
}

void CheckSplit(const std::vector<std::string>& lines, const std::string& target) {
    Machine m;
    BuildMachine(m, lines);
    korva::DirectoryListModel list(m.fs);
    list.HandleWindowCreated();
    const std::string before = m.fs.cwd;
    const bool existing = IsMachinePath(target) && m.fs.IsDirectory(target) &&
                          m.fs.drives.at(AsciiUpper(target[0])).hasMedium;

    korva::SplitTarget split;
    int error = 0;
    try {
        split = list.SplitTargetPath(target);
    } catch (const korva::EInOutError& e) {
        error = e.ErrorCode();
        FUZZ_CHECK(error != 0, "target %s: EInOutError with code 0", Show(target).c_str());
        FUZZ_CHECK(e.Message() == korva::MakeInOutError(error).Message(), "target %s: message %s for code %d",
                   Show(target).c_str(), Show(e.Message()).c_str(), error);
    }
    // The working directory is changed back, unless the machine refuses the way back itself.
    const bool wayBackRefused = m.fs.failures.count("SetWorkingDirectory " + before) != 0;
    FUZZ_CHECK(wayBackRefused || m.fs.cwd == before, "target %s: working directory %s afterwards, was %s (error %d)",
               Show(target).c_str(), Show(m.fs.cwd).c_str(), Show(before).c_str(), error);
    if (error != 0) return;

    const bool hasDriveLetter = target.size() >= 2 && target[1] == ':';
    FUZZ_CHECK(split.driveLetter == (hasDriveLetter ? target[0] : '\0'), "target %s: drive letter %d",
               Show(target).c_str(), split.driveLetter);
    if (existing && m.failing.empty()) {
        // Reaching the folder the way a change of directory does: the drive, then the folder part.
        FUZZ_CHECK(m.fs.SetWorkingDirectory(std::string(1, target[0]) + ":") == 0, "target %s: drive refused",
                   Show(target).c_str());
        if (!split.folderPart.empty())
            FUZZ_CHECK(m.fs.SetWorkingDirectory(split.folderPart) == 0, "target %s: folder part %s refused",
                       Show(target).c_str(), Show(split.folderPart).c_str());
        FUZZ_CHECK(AsciiLower(m.fs.cwd) == AsciiLower(Normalized(target)), "target %s: folder part %s leads to %s",
                   Show(target).c_str(), Show(split.folderPart).c_str(), Show(m.fs.cwd).c_str());
    }
}

void CheckChangeDirectory(const std::vector<std::string>& lines, const std::string& target, bool linkChooser) {
    Machine m;
    BuildMachine(m, lines);
    korva::testing::FakeChooserWindow window(m.fs);
    if (!linkChooser) window.chooser.SetDirList(nullptr);
    window.Create();
    korva::DirectoryListModel& list = window.list;
    const bool existing = IsMachinePath(target) && m.fs.IsDirectory(target) &&
                          m.fs.drives.at(AsciiUpper(target[0])).hasMedium;

    const std::vector<korva::DirectoryRow> rows = list.Rows();
    const std::string current = list.CurrentDirectory(), cwd = m.fs.cwd, label = window.label;
    const int highlighted = list.HighlightedRow(), changes = window.changes;
    int error = 0;
    try {
        list.ChangeDirectory(target);
    } catch (const korva::EInOutError& e) {
        error = e.ErrorCode();
    }
    const char* how = linkChooser ? "with chooser" : "without chooser";
    if (error != 0) {
        FUZZ_CHECK(list.Rows() == rows && list.HighlightedRow() == highlighted,
                   "target %s (%s): error %d changed the rows", Show(target).c_str(), how, error);
        FUZZ_CHECK(list.CurrentDirectory() == current, "target %s (%s): error %d moved the current directory to %s",
                   Show(target).c_str(), how, error, Show(list.CurrentDirectory()).c_str());
        const bool wayBackRefused = m.fs.failures.count("SetWorkingDirectory " + cwd) != 0;
        FUZZ_CHECK(wayBackRefused || m.fs.cwd == cwd,
                   "target %s (%s): error %d left the working directory in %s, was %s", Show(target).c_str(), how,
                   error, Show(m.fs.cwd).c_str(), Show(cwd).c_str());
        FUZZ_CHECK(window.label == label && window.changes == changes, "target %s (%s): error %d changed the label",
                   Show(target).c_str(), how, error);
        FUZZ_CHECK(!existing || !m.failing.empty(), "target %s (%s): existing folder refused with %d",
                   Show(target).c_str(), how, error);
        return;
    }
    FUZZ_CHECK(m.fs.cwd == list.CurrentDirectory(), "target %s (%s): working directory %s, list in %s",
               Show(target).c_str(), how, Show(m.fs.cwd).c_str(), Show(list.CurrentDirectory()).c_str());
    const int cur = list.HighlightedRow();  // the current row, after the rebuild
    FUZZ_CHECK(cur >= 0 && list.RowPath(cur) == list.CurrentDirectory(), "target %s (%s): current row path %s",
               Show(target).c_str(), how, Show(list.RowPath(cur)).c_str());
    if (window.changes != changes) {
        const std::string caption = korva::ShortenPathToWidth(list.CurrentDirectory(), window.measure,
                                                              korva::kDirectoryListWidth, m.fs.AnsiCodePage());
        FUZZ_CHECK(window.pathField == window.label && window.label == caption,
                   "target %s (%s): path field %s, label %s", Show(target).c_str(), how, Show(window.pathField).c_str(),
                   Show(window.label).c_str());
    }
    if (existing && m.failing.empty())
        FUZZ_CHECK(AsciiLower(list.CurrentDirectory()) == AsciiLower(Normalized(target)),
                   "target %s (%s): list moved to %s", Show(target).c_str(), how,
                   Show(list.CurrentDirectory()).c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const std::vector<std::string> lines = korva::fuzz::Lines(data + 1, size - 1);
    const std::string& target = lines[0];
    CheckSplit(lines, target);
    if (IsFullTarget(target)) CheckChangeDirectory(lines, target, (data[0] & 1) != 0);
    return 0;
}
