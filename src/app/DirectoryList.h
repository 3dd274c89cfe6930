#pragma once
// DirectoryList: the directory list of the main window, a single-selection list whose rows
// it draws itself, over the portable DirectoryListModel. The window forwards the control's
// owner-draw, colour and command messages and the Enter key to it.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "app/ChooserControl.h"
#include "core/chooser/DirectoryListModel.h"
#include "win32/Win32ChooserPlatform.h"

namespace korva {

class DirectoryList final : public ChooserControl {
public:
    // Takes the working directory as its current directory.
    explicit DirectoryList(int id);

    // Creates the control (no rows yet: HandleWindowCreated builds them once the links are
    // set). False when the system refused.
    bool Create(HWND parent, int left, int top, int width, int height, int itemHeight, HFONT font);

    // Builds the rows of the current directory and highlights the current row, without a
    // change notification.
    void HandleWindowCreated();

    // The label that shows the current directory, shortened to the list's width in the
    // label's own font; it gets its caption at once. nullptr unlinks.
    void LinkLabel(HWND label);
    // The change event (OnDirectoryChange of the window).
    std::function<void()> OnChange;

    DirectoryListModel& Model() { return model_; }
    const std::string& Directory() const { return model_.CurrentDirectory(); }
    // Refills the box when the model's rows were rebuilt since the last fill. Never throws.
    void SyncRows() noexcept;

    // The control's command; true when it was one of the list's. Opening a row may throw
    // EInOutError, which the parent's handler wrapper shows; the list is then as before.
    bool OnCommand(WORD notification);
    // A key-down aimed at the list that the window's dialog navigation would otherwise eat
    // (Enter, Escape); true when the list used it. Enter opens the highlighted row.
    bool OnKeyDown(WPARAM key);

private:
    ItemDrawing DrawingOf(int index, const ItemRect& rect) const override { return model_.DrawRow(index, rect); }
    void OpenHighlightedRow();

    Win32ChooserPlatform platform_;
    DirectoryListModel model_;
    std::uint64_t shownVersion_ = 0;  // RowsVersion of the rows in the box
    bool filled_ = false;
};

}  // namespace korva
