#include "app/DriveComboBox.h"

namespace korva {

HWND TDriveComboBox::Create(HWND parent, int left, int top, int width, int fieldHeight, int itemHeight, HFONT font) {
    itemHeight_ = itemHeight;
    // The window's height includes the drop-down part.
    hwnd_ = CreateWindowExA(0, "COMBOBOX", "",
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_DROPDOWNLIST |
                                CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                            left, top, width, fieldHeight + 8 * itemHeight + 2, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_) return nullptr;
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // The selection field: the closed control is `fieldHeight` high with its frame. The frame's
    // share differs between systems (and what CB_GETITEMHEIGHT reports back with it), so
    // set a first guess, look at the result and correct once.
    int field = fieldHeight - 6;
    for (int attempt = 0; attempt < 2 && field > 0; ++attempt) {
        SendMessageA(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
        RECT closed{};
        GetWindowRect(hwnd_, &closed);
        const int error = fieldHeight - (closed.bottom - closed.top);
        if (error == 0) break;
        field += error;
    }
    SendMessageA(hwnd_, CB_SETITEMHEIGHT, 0, itemHeight);
    return hwnd_;
}

bool TDriveComboBox::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    item.itemHeight = static_cast<UINT>(itemHeight_);
    return true;
}

bool TDriveComboBox::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (item.itemID != static_cast<UINT>(-1)) {
        char text[300] = "";
        const LRESULT length = SendMessageA(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0);
        if (length >= 0 && length < static_cast<LRESULT>(sizeof(text)))
            SendMessageA(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
        RECT r = item.rcItem;
        r.left += 2;
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        DrawTextA(item.hDC, text, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
}

bool TDriveComboBox::OnCommand(WORD) { return false; }

HBRUSH TDriveComboBox::OnCtlColor(HDC dc) {
    SetBkColor(dc, GetSysColor(COLOR_MENU));
    return GetSysColorBrush(COLOR_MENU);
}

}  // namespace korva
