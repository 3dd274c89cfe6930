#include "core/chooser/DriveChooserModel.h"

#include "core/chooser/DirectoryListModel.h"
#include "core/common/ScopeGuard.h"

namespace korva {
namespace {

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool SameLetter(char a, char b) { return AsciiLower(a) == AsciiLower(b); }

// The entry text "%s: %s" of a letter and its volume or network text.
std::string EntryText(const std::string& letter, const std::string& text) { return letter + ": " + text; }

}  // namespace

DriveChooserModel::DriveChooserModel(ChooserPlatform& platform) : platform_(platform) {
    const std::string working = platform_.WorkingDirectory();
    initialDrive_ = working.empty() || working[0] == '\\' ? 0 : working[0];
    drive_ = InChooserCase(initialDrive_);
}

DriveChooserModel::~DriveChooserModel() { SetDirList(nullptr); }

void DriveChooserModel::SetDirList(DirectoryListModel* list) {
    if (dirList_ == list) return;
    if (dirList_) dirList_->driveChooser_ = nullptr;
    if (list && list->driveChooser_) list->driveChooser_->dirList_ = nullptr;
    dirList_ = list;
    if (dirList_) dirList_->driveChooser_ = this;
}

void DriveChooserModel::HandleWindowCreated() {
    windowCreated_ = true;
    BuildDriveEntries();
    SelectDrive(initialDrive_);
}

char DriveChooserModel::InChooserCase(char letter) const {
    return textCase_ == tcLowerCase ? AsciiLower(letter) : AsciiUpper(letter);
}

std::string DriveChooserModel::InCase(const std::string& text, char shownLetter) const {
    const CodePage& cp = platform_.AnsiCodePage();
    return shownLetter >= 'a' && shownLetter <= 'z' ? cp.Lower(text) : cp.Upper(text);
}

std::string DriveChooserModel::VolumeText(char shownLetter) {
    std::string label;
    {
        const unsigned previous = platform_.ChangeErrorMode(kSemFailCriticalErrors);
        const ScopeGuard restore([&] { platform_.ChangeErrorMode(previous); });
        if (auto volume = platform_.VolumeInfo(std::string(1, shownLetter) + ":\\")) label = volume->label;
    }
    return "[" + InCase(label, shownLetter) + "]";
}

std::string DriveChooserModel::NetworkText(char shownLetter) {
    if (auto remote = platform_.NetworkConnection(std::string(1, AsciiUpper(shownLetter)) + ":"))
        return InCase(*remote, shownLetter);
    return VolumeText(shownLetter);
}

void DriveChooserModel::BuildDriveEntries() {
    entries_.clear();
    selected_ = -1;
    const std::uint32_t drives = platform_.LogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if ((drives & (std::uint32_t{1} << bit)) == 0) continue;
        const char lower = static_cast<char>('a' + bit);
        const int type = platform_.DriveType(std::string(1, lower) + ":\\");
        const char shown = textCase_ == tcUpperCase ? AsciiUpper(lower) : lower;
        const std::string letter(1, shown);
        switch (type) {
            case kDriveRemovable: entries_.push_back({letter + ":", ChooserIcon::Floppy}); break;
            case kDriveFixed: entries_.push_back({EntryText(letter, VolumeText(shown)), ChooserIcon::Hard}); break;
            case kDriveRemote:
                entries_.push_back({EntryText(letter, NetworkText(shown)), ChooserIcon::Network});
                break;
            case kDriveCdRom: entries_.push_back({EntryText(letter, VolumeText(shown)), ChooserIcon::CdRom}); break;
            case kDriveRamDisk: entries_.push_back({EntryText(letter, VolumeText(shown)), ChooserIcon::Ram}); break;
            default: break;  // unknown types and drives without root get no entry
        }
    }
}

int DriveChooserModel::FindEntry(char letter) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::string& text = entries_[i].text;
        if (text.size() >= 2 && SameLetter(text[0], letter) && text[1] == ':') return static_cast<int>(i);
    }
    return -1;
}

void DriveChooserModel::SelectDrive(char letter) {
    if (selected_ >= 0 && SameLetter(letter, drive_)) return;
    if (letter == 0) {
        drive_ = 0;
        selected_ = -1;
    } else {
        drive_ = InChooserCase(letter);
        selected_ = FindEntry(drive_);
    }
    if (dirList_) dirList_->MoveToDrive(drive_);
    if (OnChange) OnChange(*this);
}

void DriveChooserModel::SetTextCase(TextCase textCase) {
    if (textCase == textCase_) return;
    textCase_ = textCase;
    drive_ = InChooserCase(drive_);
    if (!windowCreated_) return;
    const bool hadSelection = selected_ >= 0;
    BuildDriveEntries();
    if (hadSelection) selected_ = FindEntry(drive_);
}

ItemDrawing DriveChooserModel::DrawEntry(int index, const ItemRect& rect) const {
    ItemDrawing drawing;
    if (index < 0 || index >= static_cast<int>(entries_.size())) return drawing;
    drawing.icon = entries_[static_cast<std::size_t>(index)].icon;
    drawing.iconLeft = rect.left + 2;
    drawing.iconTop = CentredIconTop(rect, kDriveIconHeight);
    drawing.textRect = {rect.left + kIconWidth + 6, rect.top, rect.right, rect.bottom};
    drawing.text = entries_[static_cast<std::size_t>(index)].text;
    return drawing;
}

}  // namespace korva
