#include "app/ChooserControl.h"

#include "app/Controls.h"

namespace korva {

ChooserControl::ChooserControl(int id, std::initializer_list<ChooserIcon> icons, ChooserIcon fallbackIcon,
                               TextPlacement placement)
    : id_(id), icons_(icons, fallbackIcon), placement_(placement) {}

bool ChooserControl::CreateControl(HWND parent, const char* windowClass, DWORD exStyle, DWORD style, int left, int top,
                                   int width, int height, int itemHeight, HFONT font) {
    itemHeight_ = itemHeight;  // asked for while the control is being made
    hwnd_ = CreateWindowExA(exStyle, windowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | style,
                            left, top, width, height, parent, ControlIdHandle(id_), GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_) return false;
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return true;
}

void ChooserControl::OnMeasureItem(MEASUREITEMSTRUCT& item) const { item.itemHeight = static_cast<UINT>(itemHeight_); }

void ChooserControl::OnDrawItem(const DRAWITEMSTRUCT& item) const {
    const ItemRect rect{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
    const ItemDrawing drawing = DrawingOf(static_cast<int>(item.itemID), rect);
    PaintChooserItem(item, drawing, icons_.For(drawing.icon), placement_);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(item.hDC, &item.rcItem);
}

HBRUSH ChooserControl::OnCtlColor(HDC dc) {
    SetBkColor(dc, GetSysColor(COLOR_MENU));
    return GetSysColorBrush(COLOR_MENU);
}

}  // namespace korva
