// Fuzz target: the rows of the directory list and the path of each row.
// Input: lines split at '\n'. Byte 0 of line 0 holds options: bit 0 double-byte code page;
// bits 1 and 2 the volume's FS_CASE_SENSITIVE and FS_CASE_IS_PRESERVED flags; bit 3 the
// volume query fails; bit 4 the folder search fails; bits 5 and 6 the form of the current
// directory: the rest of line 0 as it stands, or behind "C:\", "\\srv\share\" or "\\".
// Every further line is a folder entry the search finds: its first byte the attributes,
// the rest the name.
// Properties, for a current directory of the form the system reports (a drive root or a
// share root followed by non-empty names): one ancestor row per level and the current row
// last of them, highlighted; RowPath of the current row is the current directory; each
// ancestor's path is its parent's path plus its text; each subfolder's path is the current
// directory plus its name; the subfolders are the visible folders found, sorted without
// regard to case, without duplicates, the first found kept. For any current directory: no
// crash, and rows out of range give no path.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/chooser/DirectoryListModel.h"

namespace {

using korva::AsciiLower;
using korva::fuzz::Characters;
using korva::fuzz::EndsWith;
using korva::fuzz::Show;
using korva::fuzz::StartsWith;

// A machine with one folder: its volume flags and what a search of it finds.
class OneFolderPlatform : public korva::ChooserPlatform {
public:
    OneFolderPlatform(std::string cwd, const korva::CodePage& cp) : cwd_(std::move(cwd)), cp_(cp) {}

    std::optional<korva::VolumeInformation> volume;
    bool searchFails = false;
    std::vector<korva::FolderEntry> listing;
    std::vector<std::string> volumeRoots, patterns;

    std::uint32_t LogicalDrives() override { return 1u << 2; }
    int DriveType(const std::string&) override { return korva::kDriveFixed; }
    std::optional<korva::VolumeInformation> VolumeInfo(const std::string& root) override {
        volumeRoots.push_back(root);
        return volume;
    }
    unsigned ChangeErrorMode(unsigned) override { return 0; }
    std::optional<std::string> NetworkConnection(const std::string&) override { return std::nullopt; }
    int SetWorkingDirectory(const std::string&) override { return 5; }
    std::string WorkingDirectory() override { return cwd_; }
    std::optional<std::uint32_t> FileAttributes(const std::string&) override { return std::nullopt; }
    std::unique_ptr<korva::FolderSearch> FindFirst(const std::string& pattern) override {
        patterns.push_back(pattern);
        if (searchFails) return nullptr;
        return std::make_unique<Search>(listing);
    }
    int Compare(const std::string& a, const std::string& b, bool ignoreCase) override {
        const std::string x = ignoreCase ? AsciiLower(a) : a, y = ignoreCase ? AsciiLower(b) : b;
        return x < y ? -1 : x == y ? 0 : 1;
    }
    const korva::CodePage& AnsiCodePage() const override { return cp_; }

private:
    class Search : public korva::FolderSearch {
    public:
        explicit Search(std::vector<korva::FolderEntry> entries) : entries_(std::move(entries)) {}
        bool Next(korva::FolderEntry& entry) override {
            if (next_ >= entries_.size()) return false;
            entry = entries_[next_++];
            return true;
        }

    private:
        std::vector<korva::FolderEntry> entries_;
        std::size_t next_ = 0;
    };
    std::string cwd_;
    const korva::CodePage& cp_;
};

bool HasBackslash(const std::string& text, const korva::CodePage& cp) {
    for (const std::string& c : Characters(text, cp))
        if (c == "\\") return true;
    return false;
}

// Splits a text at its single-byte backslashes.
std::vector<std::string> SplitAtBackslashes(const std::string& text, const korva::CodePage& cp) {
    std::vector<std::string> parts(1);
    for (const std::string& c : Characters(text, cp)) {
        if (c == "\\") parts.emplace_back();
        else parts.back() += c;
    }
    return parts;
}

struct Form {
    bool wellFormed = false;
    std::string root;                // "C:\" or "\\srv\share\"
    std::vector<std::string> names;  // the levels below the root
};

// The forms the system reports: "X:\" or "\\server\share\" followed by non-empty names
// separated by single backslashes, with no backslash at the end (but for the root).
Form ReadForm(const std::string& dir, const korva::CodePage& cp) {
    Form form;
    std::string rest;
    if (dir.size() >= 3 && ((dir[0] >= 'A' && dir[0] <= 'Z') || (dir[0] >= 'a' && dir[0] <= 'z')) && dir[1] == ':' &&
        dir[2] == '\\') {
        form.root = dir.substr(0, 3);
        rest = dir.substr(3);
    } else if (StartsWith(dir, "\\\\")) {
        const std::vector<std::string> parts = SplitAtBackslashes(dir.substr(2), cp);
        if (parts.size() < 3 || parts[0].empty() || parts[1].empty()) return form;
        form.root = "\\\\" + parts[0] + "\\" + parts[1] + "\\";
        rest = dir.substr(form.root.size());
    } else {
        return form;
    }
    if (!rest.empty()) {
        form.names = SplitAtBackslashes(rest, cp);
        for (const std::string& name : form.names)
            if (name.empty()) return form;
    }
    form.wellFormed = true;
    return form;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const korva::AsciiCodePage ascii;
    static const korva::fuzz::DoubleByteCodePage doubleByte;
    if (size < 1) return 0;
    const unsigned options = data[0];
    const korva::CodePage& cp = (options & 1) ? static_cast<const korva::CodePage&>(doubleByte) : ascii;
    std::vector<std::string> lines = korva::fuzz::Lines(data + 1, size - 1);
    static const char* const kForms[4] = {"", "C:\\", "\\\\srv\\share\\", "\\\\"};
    const std::string current = kForms[(options >> 5) & 3] + lines[0];

    OneFolderPlatform platform(current, cp);
    std::uint32_t flags = ((options & 2) ? korva::kFsCaseSensitive : 0) |
                          ((options & 4) ? korva::kFsCaseIsPreserved : 0);
    if (!(options & 8)) platform.volume = korva::VolumeInformation{"Label", flags};
    platform.searchFails = (options & 16) != 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        platform.listing.push_back({lines[i].substr(1), static_cast<std::uint32_t>(lines[i][0]) & 0x3F});
    }

    korva::DirectoryListModel list(platform);
    list.HandleWindowCreated();
    const std::vector<korva::DirectoryRow>& rows = list.Rows();
    const int count = static_cast<int>(rows.size());

    // Any current directory: the rows are ancestors, then at most one current row, then
    // subfolders; the highlight is on the current row, the last that is not a subfolder.
    int firstSubfolder = 0;
    while (firstSubfolder < count && rows[firstSubfolder].kind != korva::RowKind::Subfolder) ++firstSubfolder;
    const int cur = firstSubfolder - 1;
    for (int r = firstSubfolder; r < count; ++r)
        FUZZ_CHECK(rows[r].kind == korva::RowKind::Subfolder, "dir %s: row %d after the subfolders is not one",
                   Show(current).c_str(), r);
    for (int r = 0; r + 1 < firstSubfolder; ++r)
        FUZZ_CHECK(rows[r].kind == korva::RowKind::Ancestor, "dir %s: row %d before the current row is not an ancestor",
                   Show(current).c_str(), r);
    FUZZ_CHECK(list.HighlightedRow() == cur, "dir %s: highlight %d, first subfolder %d", Show(current).c_str(),
               list.HighlightedRow(), firstSubfolder);
    FUZZ_CHECK(list.RowPath(-1).empty() && list.RowPath(count).empty(), "dir %s: a row out of range has a path",
               Show(current).c_str());
    // Texts are shown as stored unless the volume is read and neither preserves case nor is
    // case-sensitive; then lower-cased.
    const bool shownAsStored = !platform.volume || (flags & 3) != 0;
    std::vector<std::string> paths;
    for (int r = 0; r < count; ++r) {
        paths.push_back(list.RowPath(r));
        const std::string shown = list.DrawRow(r, korva::ItemRect{0, 16 * r, 361, 16 * r + 16}).text;
        const std::string expectedShown = shownAsStored ? rows[r].text : cp.Lower(rows[r].text);
        FUZZ_CHECK(shown == expectedShown, "dir %s: row %d shown as %s (volume flags %u)", Show(current).c_str(), r,
                   Show(shown).c_str(), flags);
    }

    // The subfolders: the visible folders found, sorted, one per name regardless of case.
    std::vector<std::string> visible;
    if (!platform.searchFails) {
        for (const korva::FolderEntry& e : platform.listing) {
            if (e.attributes & (korva::kAttrHidden | korva::kAttrSystem | korva::kAttrVolumeLabel)) continue;
            if (!(e.attributes & korva::kAttrDirectory) || e.name == "." || e.name == "..") continue;
            visible.push_back(e.name);
        }
    }
    for (int r = firstSubfolder; r < count; ++r) {
        const std::string& text = rows[r].text;
        if (r > firstSubfolder)
            FUZZ_CHECK(AsciiLower(rows[r - 1].text) < AsciiLower(text), "dir %s: subfolders %s and %s out of order",
                       Show(current).c_str(), Show(rows[r - 1].text).c_str(), Show(text).c_str());
        std::size_t k = 0;
        while (k < visible.size() && AsciiLower(visible[k]) != AsciiLower(text)) ++k;
        FUZZ_CHECK(k < visible.size() && visible[k] == text, "dir %s: subfolder row %s is not the first found",
                   Show(current).c_str(), Show(text).c_str());
    }
    for (const std::string& name : visible) {
        bool listed = false;
        for (int r = firstSubfolder; r < count && !listed; ++r) listed = AsciiLower(rows[r].text) == AsciiLower(name);
        FUZZ_CHECK(listed, "dir %s: visible folder %s has no row", Show(current).c_str(), Show(name).c_str());
    }

    const Form form = ReadForm(current, cp);
    if (!form.wellFormed) return 0;

    FUZZ_CHECK(platform.volumeRoots.size() == 1 && platform.volumeRoots[0] == form.root, "dir %s: volume of %s queried",
               Show(current).c_str(), platform.volumeRoots.empty() ? "nothing" : Show(platform.volumeRoots[0]).c_str());
    const std::string pattern = current + (EndsWith(current, "\\") && form.names.empty() ? "" : "\\") + "*.*";
    FUZZ_CHECK(platform.patterns.size() == 1 && platform.patterns[0] == pattern, "dir %s: searched %s",
               Show(current).c_str(), platform.patterns.empty() ? "nothing" : Show(platform.patterns[0]).c_str());
    FUZZ_CHECK(cur == static_cast<int>(form.names.size()), "dir %s: %zu levels below the root but current row %d",
               Show(current).c_str(), form.names.size(), cur);
    FUZZ_CHECK(paths[cur] == current, "dir %s: the current row's path is %s", Show(current).c_str(),
               Show(paths[cur]).c_str());
    FUZZ_CHECK(paths[0] == form.root && rows[0].text == form.root, "dir %s: row 0 %s with path %s",
               Show(current).c_str(), Show(rows[0].text).c_str(), Show(paths[0]).c_str());
    for (int r = 1; r <= cur; ++r) {
        FUZZ_CHECK(rows[r].text == form.names[r - 1], "dir %s: row %d reads %s", Show(current).c_str(), r,
                   Show(rows[r].text).c_str());
        const std::string expected = paths[r - 1] + (r == 1 ? "" : "\\") + rows[r].text;
        FUZZ_CHECK(paths[r] == expected, "dir %s: row %d path %s, expected %s", Show(current).c_str(), r,
                   Show(paths[r]).c_str(), Show(expected).c_str());
    }
    for (int r = firstSubfolder; r < count; ++r) {
        if (HasBackslash(rows[r].text, cp)) continue;
        const std::string expected = current + (form.names.empty() ? "" : "\\") + rows[r].text;
        FUZZ_CHECK(paths[r] == expected, "dir %s: subfolder %s path %s", Show(current).c_str(),
                   Show(rows[r].text).c_str(), Show(paths[r]).c_str());
    }
    return 0;
}
