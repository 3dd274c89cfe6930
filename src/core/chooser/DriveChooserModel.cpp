#include "core/chooser/DriveChooserModel.h"

#include "core/chooser/DirectoryListModel.h"
#include "core/common/Ascii.h"
#include "core/common/ScopeGuard.h"

namespace korva {
namespace {

bool SameLetter(char a, char b) { return AsciiLower(a) == AsciiLower(b); }

// The entry text "%s: %s" of a letter and its volume or network text.
std::string EntryText(char letter, const std::string& text) { return std::string(1, letter) + ": " + text; }

}  // namespace

DriveChooserModel::DriveChooserModel(ChooserPlatform& platform) : platform_(platform) {
    const std::string working = platform_.WorkingDirectory();
    initialDrive_ = working.empty() || working[0] == '\\' ? 0 : working[0];
    drive_ = AsciiLower(initialDrive_);
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
    BuildDriveEntries();
    SelectDrive(initialDrive_);
}

std::string DriveChooserModel::VolumeText(char letter) {
    std::string label;
    {
        const unsigned previous = platform_.ChangeErrorMode(kSemFailCriticalErrors);
        const ScopeGuard restore([&] { platform_.ChangeErrorMode(previous); });
        if (auto volume = platform_.VolumeInfo(std::string(1, letter) + ":\\")) label = volume->label;
    }
    return "[" + platform_.AnsiCodePage().Lower(label) + "]";
}

std::string DriveChooserModel::NetworkText(char letter) {
    if (auto remote = platform_.NetworkConnection(std::string(1, AsciiUpper(letter)) + ":"))
        return platform_.AnsiCodePage().Lower(*remote);
    return VolumeText(letter);
}

void DriveChooserModel::BuildDriveEntries() {
    entries_.clear();
    selected_ = -1;
    const std::uint32_t drives = platform_.LogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if ((drives & (std::uint32_t{1} << bit)) == 0) continue;
        const char letter = static_cast<char>('a' + bit);
        switch (platform_.DriveType(std::string(1, letter) + ":\\")) {
        case kDriveRemovable: entries_.push_back({std::string(1, letter) + ":", ChooserIcon::Floppy}); break;
        case kDriveFixed: entries_.push_back({EntryText(letter, VolumeText(letter)), ChooserIcon::Hard}); break;
        case kDriveRemote: entries_.push_back({EntryText(letter, NetworkText(letter)), ChooserIcon::Network}); break;
        case kDriveCdRom: entries_.push_back({EntryText(letter, VolumeText(letter)), ChooserIcon::CdRom}); break;
        case kDriveRamDisk: entries_.push_back({EntryText(letter, VolumeText(letter)), ChooserIcon::Ram}); break;
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
    drive_ = AsciiLower(letter);
    selected_ = letter == 0 ? -1 : FindEntry(drive_);
    if (dirList_) dirList_->MoveToDrive(drive_);
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
