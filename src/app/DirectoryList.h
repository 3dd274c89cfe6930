#pragma once
// DirectoryList: the directory list of the main window, a single-selection list whose
// rows it draws itself, over the portable DirectoryListModel. The window forwards the
// control's owner-draw, colour and command messages and the Enter key to it.
#include <windows.h>

#include <cstdint>
#include <functional>

#include "app/DriveList.h"
#include "core/chooser/DirectoryListModel.h"
#include "win32/Win32ChooserPlatform.h"

namespace korva {

class DirectoryList {
public:
    // Takes the working directory as its current directory.
    explicit DirectoryList(int id);
    DirectoryList(const DirectoryList&) = delete;
    DirectoryList& operator=(const DirectoryList&) = delete;

    // Creates the control (no rows yet: HandleWindowCreated builds them once the links are set).
    HWND Create(HWND parent, int left, int top, int width, int height, int itemHeight, HFONT font);
    HWND Handle() const { return hwnd_; }
    int Id() const { return id_; }

    // Builds the rows of the current directory and highlights the current row, without a
    // change notification.
    void HandleWindowCreated();

    // The label that shows the current directory, shortened to the list's width in the
    // label's own font; it gets its caption at once. nullptr unlinks.
    void SetDirLabel(HWND label);
    // The change event (OnDirectoryChange of the window).
    std::function<void()> OnChange;

    DirectoryListModel& Model() { return model_; }
    const std::string& Directory() const { return model_.CurrentDirectory(); }
    // Refills the box when the model's rows were rebuilt since the last fill. Never throws.
    void SyncRows() noexcept;

    // Messages the parent forwards; each returns true when it handled the message. Opening a
    // row may throw EInOutError, which the parent's handler wrapper shows; the list is then
    // as before.
    bool OnMeasureItem(MEASUREITEMSTRUCT& item);
    bool OnDrawItem(const DRAWITEMSTRUCT& item);
    bool OnCommand(WORD notification);
    HBRUSH OnCtlColor(HDC dc);
    // A key-down aimed at the list that the window's dialog navigation would otherwise eat
    // (Enter, Escape); true when the list used it. Enter opens the highlighted row.
    bool OnKeyDown(WPARAM key);

private:
    void OpenHighlightedRow();

    int id_;
    HWND hwnd_ = nullptr;
    int itemHeight_ = kFolderIconHeight + 1;
    Win32ChooserPlatform platform_;
    DirectoryListModel model_;
    std::uint64_t shownVersion_ = 0;  // RowsVersion of the rows in the box
    bool filled_ = false;
    TransparentBitmap icons_[3];  // OPENFOLDER, CURRENTFOLDER, CLOSEDFOLDER
};

}  // namespace korva
