#pragma once
// A fake machine for the folder chooser's tests: drives, a tree of folders and files, a
// working directory with one current directory per drive, and a log of every call. Any
// operation can be made to fail (`failures`, keyed by "Operation" or "Operation argument").
// Paths are looked up without regard to case, as Windows does; the folder listings keep
// the order in which entries were added, which stands for the order the system finds them.
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/chooser/ChooserPlatform.h"
#include "core/chooser/DirectoryListModel.h"
#include "core/chooser/DriveChooserModel.h"
#include "core/common/Ascii.h"

namespace korva::testing {

class FakeChooserPlatform : public ChooserPlatform {
public:
    struct Drive {
        int type = kDriveFixed;
        bool hasMedium = true;                     // false: every access gives "not ready" (21)
        std::optional<std::string> label = "";     // nullopt: the volume query fails
        std::uint32_t flags = kFsCaseIsPreserved;  // file-system flags of the volume
        std::optional<std::string> remote;         // WNetGetConnectionA's answer, if any
    };

    // Key: upper-case letter; '\\' stands for every network share.
    std::map<char, Drive> drives;
    std::map<std::string, int> failures;  // value: the error code a failing change returns
    std::vector<std::string> calls;
    unsigned errorMode = 0;
    std::string cwd;
    std::map<char, std::string> driveCwd;
    // The locale's case-insensitive order; by default ASCII case-folding.
    std::function<int(const std::string&, const std::string&, bool)> compare;
    const CodePage* codePage = &ascii_;

    void AddDrive(char letter) { AddDrive(letter, Drive{}); }
    void AddDrive(char letter, Drive drive) {
        drives[AsciiUpper(letter)] = std::move(drive);
        if (letter != '\\') AddDir(std::string(1, AsciiUpper(letter)) + ":\\");
    }

    // Adds a folder (and any missing parent) and lists it in its parent.
    void AddDir(const std::string& path, std::uint32_t attributes = 0) {
        const std::string full = Canonical(path);
        if (nodes_.count(Key(full))) return;
        Node node{full, attributes | kAttrDirectory, {}};
        if (!IsRoot(full)) {
            ListInParent(full, attributes | kAttrDirectory);
            node.listing = {{".", kAttrDirectory}, {"..", kAttrDirectory}};
        }
        nodes_[Key(full)] = std::move(node);
    }
    void AddFile(const std::string& path, std::uint32_t attributes = kAttrArchive) {
        const std::string full = Canonical(path);
        ListInParent(full, attributes);
        nodes_[Key(full)] = Node{full, attributes, {}};
    }
    // Lists an entry in a folder without creating anything it names.
    void AddListing(const std::string& folder, const std::string& name, std::uint32_t attributes) {
        nodes_.at(Key(Canonical(folder))).listing.push_back({name, attributes});
    }
    void RemoveDir(const std::string& path) {
        const std::string full = Canonical(path);
        const std::string key = Key(full);
        for (auto it = nodes_.begin(); it != nodes_.end();) {
            if (it->first == key || it->first.rfind(key + "\\", 0) == 0) it = nodes_.erase(it);
            else ++it;
        }
        auto parent = nodes_.find(Key(Parent(full)));
        if (parent != nodes_.end()) {
            auto& list = parent->second.listing;
            std::string name = AsciiLower(full.substr(full.rfind('\\') + 1));
            list.erase(std::remove_if(list.begin(), list.end(),
                                      [&](const FolderEntry& e) { return AsciiLower(e.name) == name; }),
                       list.end());
        }
    }
    void SetCwd(const std::string& path) {
        cwd = Display(nodes_.at(Key(Canonical(path))).path);
        if (cwd.size() > 1 && cwd[1] == ':') driveCwd[AsciiUpper(cwd[0])] = cwd;
    }
    int CallCount(const std::string& prefix) const {
        return static_cast<int>(
            std::count_if(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
    }

    // ChooserPlatform
    std::uint32_t LogicalDrives() override {
        calls.push_back("LogicalDrives");
        std::uint32_t bits = 0;
        for (auto& [letter, drive] : drives)
            if (letter >= 'A' && letter <= 'Z') bits |= std::uint32_t{1} << (letter - 'A');
        return bits;
    }
    int DriveType(const std::string& root) override {
        calls.push_back("DriveType " + root);
        if (Fails("DriveType", root)) return kDriveUnknown;
        auto it = drives.find(AsciiUpper(root.empty() ? '?' : root[0]));
        return it == drives.end() ? kDriveNoRootDir : it->second.type;
    }
    std::optional<VolumeInformation> VolumeInfo(const std::string& root) override {
        calls.push_back("VolumeInfo " + root);
        if (Fails("VolumeInfo", root)) return std::nullopt;
        const Drive* drive = DriveOf(Canonical(root));
        if (!drive || !drive->hasMedium || !drive->label) return std::nullopt;
        return VolumeInformation{*drive->label, drive->flags};
    }
    unsigned ChangeErrorMode(unsigned mode) override {
        calls.push_back("ChangeErrorMode " + std::to_string(mode));
        unsigned previous = errorMode;
        errorMode = mode;
        return previous;
    }
    std::optional<std::string> NetworkConnection(const std::string& localName) override {
        calls.push_back("NetworkConnection " + localName);
        if (Fails("NetworkConnection", localName)) return std::nullopt;
        auto it = drives.find(AsciiUpper(localName.empty() ? '?' : localName[0]));
        if (it == drives.end()) return std::nullopt;
        return it->second.remote;
    }
    int SetWorkingDirectory(const std::string& path) override {
        calls.push_back("SetWorkingDirectory " + path);
        if (int code = Fails("SetWorkingDirectory", path)) return code;
        const std::string full = Canonical(path);
        const Drive* drive = DriveOf(full);
        if (!drive) return 3;
        if (!drive->hasMedium) return 21;
        auto it = nodes_.find(Key(full));
        if (it == nodes_.end()) return nodes_.count(Key(Parent(full))) ? 2 : 3;
        if ((it->second.attributes & kAttrDirectory) == 0) return 267;
        cwd = Display(it->second.path);
        if (cwd.size() > 1 && cwd[1] == ':') driveCwd[AsciiUpper(cwd[0])] = cwd;
        return 0;
    }
    std::string WorkingDirectory() override {
        calls.push_back("WorkingDirectory");
        return cwd;
    }
    std::optional<std::uint32_t> FileAttributes(const std::string& path) override {
        calls.push_back("FileAttributes " + path);
        if (Fails("FileAttributes", path)) return std::nullopt;
        const std::string full = Canonical(path);
        const Drive* drive = DriveOf(full);
        if (!drive || !drive->hasMedium) return std::nullopt;
        auto it = nodes_.find(Key(full));
        if (it == nodes_.end()) return std::nullopt;
        return it->second.attributes;
    }
    std::unique_ptr<FolderSearch> FindFirst(const std::string& pattern) override {
        calls.push_back("FindFirst " + pattern);
        if (Fails("FindFirst", pattern)) return nullptr;
        if (pattern.size() < 3 || pattern.compare(pattern.size() - 3, 3, "*.*") != 0) return nullptr;
        const std::string full = Canonical(pattern.substr(0, pattern.size() - 3));
        const Drive* drive = DriveOf(full);
        if (!drive || !drive->hasMedium) return nullptr;
        auto it = nodes_.find(Key(full));
        if (it == nodes_.end() || (it->second.attributes & kAttrDirectory) == 0) return nullptr;
        return std::make_unique<Search>(it->second.listing);
    }
    int Compare(const std::string& a, const std::string& b, bool ignoreCase) override {
        if (compare) return compare(a, b, ignoreCase);
        const std::string x = ignoreCase ? AsciiLower(a) : a, y = ignoreCase ? AsciiLower(b) : b;
        return x < y ? -1 : x == y ? 0 : 1;
    }
    const CodePage& AnsiCodePage() const override { return *codePage; }

private:
    struct Node {
        std::string path;  // canonical, in the case it was created with
        std::uint32_t attributes = kAttrDirectory;
        std::vector<FolderEntry> listing;
    };
    class Search : public FolderSearch {
    public:
        explicit Search(std::vector<FolderEntry> entries) : entries_(std::move(entries)) {}
        bool Next(FolderEntry& entry) override {
            if (next_ >= entries_.size()) return false;
            entry = entries_[next_++];
            return true;
        }

    private:
        std::vector<FolderEntry> entries_;
        std::size_t next_ = 0;
    };

    static std::string Key(const std::string& canonical) { return AsciiLower(canonical); }
    static bool IsUnc(const std::string& p) { return p.size() >= 2 && p[0] == '\\' && p[1] == '\\'; }
    static bool IsRoot(const std::string& p) {
        if (p.size() == 3 && p[1] == ':') return true;
        return IsUnc(p) && std::count(p.begin() + 2, p.end(), '\\') == 1;
    }
    // The way the system reports a folder: roots end with a backslash.
    static std::string Display(const std::string& canonical) {
        return IsUnc(canonical) && IsRoot(canonical) ? canonical + "\\" : canonical;
    }
    static std::string Parent(const std::string& canonical) {
        if (IsRoot(canonical)) return canonical;
        std::size_t cut = canonical.rfind('\\');
        std::string parent = canonical.substr(0, cut);
        return parent.size() == 2 && parent[1] == ':' ? parent + "\\" : parent;
    }

    int Fails(const std::string& op, const std::string& arg) const {
        auto it = failures.find(op + " " + arg);
        if (it == failures.end()) it = failures.find(op);
        return it == failures.end() ? 0 : (it->second ? it->second : 5);
    }
    const Drive* DriveOf(const std::string& canonical) const {
        if (canonical.empty()) return nullptr;
        auto it = drives.find(IsUnc(canonical) ? '\\' : AsciiUpper(canonical[0]));
        return it == drives.end() ? nullptr : &it->second;
    }

    // Resolves a path against the working directory and the drives' current directories.
    std::string Canonical(const std::string& path) const {
        std::string full;
        if (path.size() >= 2 && path[1] == ':') {
            const char letter = AsciiUpper(path[0]);
            const std::string rest = path.substr(2);
            auto dc = driveCwd.find(letter);
            const std::string base = dc != driveCwd.end() ? dc->second : std::string(1, letter) + ":\\";
            full = rest.empty() ? base : rest[0] == '\\' ? std::string(1, letter) + ":" + rest : Join(base, rest);
        } else if (IsUnc(path)) {
            full = path;
        } else if (!path.empty() && path[0] == '\\') {
            full = IsUnc(cwd) ? UncRoot(cwd) + path : cwd.substr(0, 2) + path;
        } else {
            full = Join(cwd, path);
        }
        while (full.size() > 1 && full.back() == '\\' && !(full.size() == 3 && full[1] == ':')) full.pop_back();
        return full;
    }
    static std::string Join(const std::string& base, const std::string& name) {
        if (name.empty()) return base;
        return base + (!base.empty() && base.back() == '\\' ? "" : "\\") + name;
    }
    static std::string UncRoot(const std::string& p) {
        std::size_t server = p.find('\\', 2);
        std::size_t share = server == std::string::npos ? std::string::npos : p.find('\\', server + 1);
        return share == std::string::npos ? p : p.substr(0, share);
    }

    void ListInParent(const std::string& full, std::uint32_t attributes) {
        const std::string parent = Parent(full);
        if (!nodes_.count(Key(parent))) AddDir(parent);
        nodes_[Key(parent)].listing.push_back({full.substr(full.rfind('\\') + 1), attributes});
    }

    AsciiCodePage ascii_;
    std::map<std::string, Node> nodes_;
};

// The machine most tests start from: a floppy A:, the system drive C: labelled Windows
// with a LonWorks installation, a CD-ROM D: without medium, a fixed E: and a network Z:.
// The working directory is C:\Program Files\LonWorks; E:'s own current directory E:\Work.
inline void MakeTypicalMachine(FakeChooserPlatform& fs) {
    fs.AddDrive('A', {kDriveRemovable, true, "FLOPPY", kFsCaseIsPreserved, std::nullopt});
    fs.AddDrive('C', {kDriveFixed, true, "Windows", kFsCaseIsPreserved, std::nullopt});
    fs.AddDrive('D', {kDriveCdRom, false, std::nullopt, 0, std::nullopt});
    fs.AddDrive('E', {kDriveFixed, true, "", kFsCaseIsPreserved, std::nullopt});
    fs.AddDrive('Z', {kDriveRemote, true, "Share", kFsCaseIsPreserved, "\\\\Server\\Share"});
    // Entries in the order the system finds them, not sorted.
    for (const char* dir : {"C:\\Program Files\\LonWorks\\Types", "C:\\Program Files\\LonWorks\\bin",
                            "C:\\Program Files\\LonWorks\\Import", "C:\\Program Files\\LonWorks\\LNS",
                            "C:\\Program Files\\LonWorks\\apps", "C:\\Program Files\\Common Files",
                            "C:\\LonWorks\\Types\\User\\KR", "C:\\Windows", "C:\\Temp", "E:\\Work\\Sub"})
        fs.AddDir(dir);
    fs.AddDir("C:\\Program Files\\LonWorks\\.svn", kAttrHidden);
    fs.AddDir("C:\\Program Files\\LonWorks\\Catalog", kAttrSystem);
    fs.AddFile("C:\\Program Files\\LonWorks\\readme.txt");
    fs.AddFile("C:\\pagefile.sys", kAttrHidden | kAttrSystem);
    fs.SetCwd("E:\\Work");
    fs.SetCwd("C:\\Program Files\\LonWorks");
}

// The text of the chooser's selected entry, as the drop-down shows it; "" when none is.
inline std::string SelectedEntry(const DriveChooserModel& chooser) {
    const int index = chooser.SelectedIndex();
    return index < 0 ? std::string() : chooser.Entries()[static_cast<std::size_t>(index)].text;
}

// The drive letter of the selected entry; '\0' when none is selected.
inline char SelectedLetter(const DriveChooserModel& chooser) {
    const std::string entry = SelectedEntry(chooser);
    return entry.empty() ? '\0' : entry[0];
}

// The texts of the list's subfolder rows, in their order.
inline std::vector<std::string> SubfolderRows(const DirectoryListModel& list) {
    std::vector<std::string> names;
    for (const DirectoryRow& row : list.Rows())
        if (row.kind == RowKind::Subfolder) names.push_back(row.text);
    return names;
}

// The main window's part of the folder chooser: the drive chooser linked to the directory
// list, the list linked to the hidden label, OnChange copying the label into the path field.
struct FakeChooserWindow {
    explicit FakeChooserWindow(FakeChooserPlatform& platform, int pixelsPerChar = 6)
        : fs(platform),
          chooser(platform),
          list(platform),
          measure([pixelsPerChar](const std::string& text) { return static_cast<int>(text.size()) * pixelsPerChar; }) {
        chooser.SetDirList(&list);
        list.SetDirLabel(DirLabelLink{measure, [this](const std::string& caption) {
                                          label = caption;
                                          ++labelUpdates;
                                      }});
        pathField = fs.WorkingDirectory();
        list.OnChange = [this](DirectoryListModel&) {
            ++changes;
            pathField = label;
        };
    }
    // The main window is shown: the list builds its rows, the chooser its entries.
    void Create() {
        list.HandleWindowCreated();
        chooser.HandleWindowCreated();
    }
    std::vector<std::string> RowTexts() const {
        std::vector<std::string> texts;
        for (const DirectoryRow& row : list.Rows()) texts.push_back(row.text);
        return texts;
    }

    FakeChooserPlatform& fs;
    DriveChooserModel chooser;
    DirectoryListModel list;
    TextMeasure measure;  // the label's font: a fixed width per character
    std::string label;
    std::string pathField;
    int labelUpdates = 0;
    int changes = 0;
};

}  // namespace korva::testing
