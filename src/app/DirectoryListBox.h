#pragma once
// TDirectoryListBox: the directory list of the main window, a single-selection list whose
// rows it draws itself. The window forwards the control's owner-draw, colour and command
// messages to it.
#include <windows.h>

#include <functional>

namespace korva {

class TDirectoryListBox {
public:
    explicit TDirectoryListBox(int id) : id_(id) {}
    TDirectoryListBox(const TDirectoryListBox&) = delete;
    TDirectoryListBox& operator=(const TDirectoryListBox&) = delete;

    HWND Create(HWND parent, int left, int top, int width, int height, int itemHeight, HFONT font);
    HWND Handle() const { return hwnd_; }
    int Id() const { return id_; }

    // The label that shows the current directory (Label22).
    void SetDirLabel(HWND label) { dirLabel_ = label; }
    // The change event (DirectoryListBoxChange of the window).
    std::function<void()> OnChange;

    // Messages the parent forwards; each returns true when it handled the message.
    bool OnMeasureItem(MEASUREITEMSTRUCT& item);
    bool OnDrawItem(const DRAWITEMSTRUCT& item);
    bool OnCommand(WORD notification);
    HBRUSH OnCtlColor(HDC dc);
    // A key-down aimed at the list that the window's dialog navigation would otherwise eat
    // (Enter, Escape); true when the list used it.
    bool OnKeyDown(WPARAM key);

private:
    int id_;
    HWND hwnd_ = nullptr;
    int itemHeight_ = 16;
    HWND dirLabel_ = nullptr;
};

}  // namespace korva
