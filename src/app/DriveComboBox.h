#pragma once
// TDriveComboBox: the drive list of the main window, a drop-down list without edit field
// whose entries it draws itself. The window forwards the control's owner-draw, colour and
// command messages to it.
#include <windows.h>

namespace korva {

class TDirectoryListBox;

class TDriveComboBox {
public:
    explicit TDriveComboBox(int id) : id_(id) {}
    TDriveComboBox(const TDriveComboBox&) = delete;
    TDriveComboBox& operator=(const TDriveComboBox&) = delete;

    // Creates the control: selection field `fieldHeight` high, item height `itemHeight`.
    HWND Create(HWND parent, int left, int top, int width, int fieldHeight, int itemHeight, HFONT font);
    HWND Handle() const { return hwnd_; }
    int Id() const { return id_; }

    // The directory list that follows the chosen drive.
    void SetDirList(TDirectoryListBox* list) { dirList_ = list; }

    // Messages the parent forwards; each returns true when it handled the message.
    bool OnMeasureItem(MEASUREITEMSTRUCT& item);
    bool OnDrawItem(const DRAWITEMSTRUCT& item);
    bool OnCommand(WORD notification);
    HBRUSH OnCtlColor(HDC dc);

private:
    int id_;
    HWND hwnd_ = nullptr;
    int itemHeight_ = 13;
    TDirectoryListBox* dirList_ = nullptr;
};

}  // namespace korva
