#pragma once
// What the drive list and the directory list share: a system control (a drop-down list or a
// list box) with a fixed item height, drawn on the menu colour, whose items it paints itself
// from what the core's model says of each (icon, text, positions).
#include <windows.h>

#include <initializer_list>

#include "app/ChooserPainting.h"
#include "core/chooser/ChooserDrawing.h"

namespace korva {

class ChooserControl {
public:
    ChooserControl(const ChooserControl&) = delete;
    ChooserControl& operator=(const ChooserControl&) = delete;

    HWND Handle() const { return hwnd_; }
    int Id() const { return id_; }

    // Messages the parent forwards.
    void OnMeasureItem(MEASUREITEMSTRUCT& item) const;
    void OnDrawItem(const DRAWITEMSTRUCT& item) const;
    // The background of the controls and of the drive list's drop-down part.
    static HBRUSH OnCtlColor(HDC dc);

protected:
    ChooserControl(int id, std::initializer_list<ChooserIcon> icons, ChooserIcon fallbackIcon, TextPlacement placement);
    ~ChooserControl() = default;

    // Creates the visible, owner-drawn child control of `windowClass` in `font`; WM_MEASUREITEM
    // answers `itemHeight`. False when the system refused.
    bool CreateControl(HWND parent, const char* windowClass, DWORD exStyle, DWORD style, int left, int top, int width,
                       int height, int itemHeight, HFONT font);

    HWND hwnd_ = nullptr;

private:
    // What the model says of item `index` in `rect`.
    virtual ItemDrawing DrawingOf(int index, const ItemRect& rect) const = 0;

    int id_;
    int itemHeight_ = 0;
    ChooserIcons icons_;
    TextPlacement placement_;
};

}  // namespace korva
