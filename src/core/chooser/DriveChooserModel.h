#pragma once
// The drive chooser of the folder chooser, without its window.
//
// How a Win32 control (owner-drawn drop-down list without edit field) uses it:
//   - WM_CREATE: HandleWindowCreated(); then CB_ADDSTRING per Entries() text and
//     CB_SETCURSEL SelectedIndex() (-1: none).
//   - WM_DRAWITEM: DrawEntry(itemID, rcItem); WM_MEASUREITEM: DriveItemHeight.
//   - CBN_SELCHANGE: SelectDrive(first character of the chosen entry's text), then
//     CB_SETCURSEL SelectedIndex(). SelectDrive may throw EInOutError (a drive without
//     medium); the chooser keeps the new selection and the linked list is unchanged.
// Linking: SetDirList(&list) links both ways; destroying either unlinks.
// Drive letters and volume texts are shown in lower case.
#include <string>
#include <vector>

#include "core/chooser/ChooserDrawing.h"
#include "core/chooser/ChooserPlatform.h"

namespace korva {

class DirectoryListModel;

struct DriveEntry {
    std::string text;  // such as "c: [windows]", "a:", "z: \\server\share"
    ChooserIcon icon = ChooserIcon::Hard;
    bool operator==(const DriveEntry&) const = default;
};

class DriveChooserModel {
public:
    // Takes the initial drive from the working directory: its first character, or none
    // when that is a backslash (a network path).
    explicit DriveChooserModel(ChooserPlatform& platform);
    ~DriveChooserModel();
    DriveChooserModel(const DriveChooserModel&) = delete;
    DriveChooserModel& operator=(const DriveChooserModel&) = delete;

    // The chooser's window exists: read the drives, form one entry per drive of a known type
    // in letter order, and select the initial drive. No label is read from a removable drive;
    // label queries run with critical-error prompts suppressed.
    void HandleWindowCreated();

    // Selects a drive ('\0': none) and moves the linked directory list to it.
    void SelectDrive(char letter);

    void SetDirList(DirectoryListModel* list);

    const std::vector<DriveEntry>& Entries() const { return entries_; }
    int SelectedIndex() const { return selected_; }

    // Drawing of entry `index` inside `rect`.
    ItemDrawing DrawEntry(int index, const ItemRect& rect) const;

private:
    friend class DirectoryListModel;
    void BuildDriveEntries();
    std::string VolumeText(char letter);
    std::string NetworkText(char letter);
    int FindEntry(char letter) const;

    ChooserPlatform& platform_;
    std::vector<DriveEntry> entries_;
    int selected_ = -1;
    char drive_ = 0;  // the selected drive letter in lower case, or '\0'
    char initialDrive_ = 0;
    DirectoryListModel* dirList_ = nullptr;
};

}  // namespace korva
