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
//   - Changing TextCase rebuilds the entries: refill the box.
// Linking: SetDirList(&list) links both ways; destroying either unlinks.
#include <functional>
#include <string>
#include <vector>

#include "core/chooser/ChooserDrawing.h"
#include "core/chooser/ChooserPlatform.h"

namespace korva {

class DirectoryListModel;

enum TextCase { tcLowerCase, tcUpperCase };

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

    // The chooser's window exists: build the entries and select the initial drive.
    void HandleWindowCreated();

    // Reads the drives and forms one entry per drive of a known type, in letter order.
    // Reads no label from removable drives; label queries run with critical-error prompts
    // suppressed.
    void BuildDriveEntries();

    // Selects a drive ('\0': none) and moves the linked directory list to it.
    void SelectDrive(char letter);

    TextCase GetTextCase() const { return textCase_; }
    // A change of case rebuilds the entries once the window exists.
    void SetTextCase(TextCase textCase);

    DirectoryListModel* DirList() const { return dirList_; }
    void SetDirList(DirectoryListModel* list);

    const std::vector<DriveEntry>& Entries() const { return entries_; }
    int SelectedIndex() const { return selected_; }
    // The selected drive letter in the chooser's case, or '\0'.
    char SelectedDrive() const { return drive_; }
    char InitialDrive() const { return initialDrive_; }

    // Drawing of entry `index` inside `rect`.
    ItemDrawing DrawEntry(int index, const ItemRect& rect) const;

    // The chooser's own change event.
    std::function<void(DriveChooserModel& sender)> OnChange;

private:
    friend class DirectoryListModel;
    std::string VolumeText(char shownLetter);
    std::string NetworkText(char shownLetter);
    std::string InCase(const std::string& text, char shownLetter) const;
    char InChooserCase(char letter) const;
    int FindEntry(char letter) const;

    ChooserPlatform& platform_;
    TextCase textCase_ = tcLowerCase;
    std::vector<DriveEntry> entries_;
    int selected_ = -1;
    char drive_ = 0;
    char initialDrive_ = 0;
    bool windowCreated_ = false;
    DirectoryListModel* dirList_ = nullptr;
};

}  // namespace korva
