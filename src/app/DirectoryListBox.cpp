#include "app/DirectoryListBox.h"

namespace korva {

HWND TDirectoryListBox::Create(HWND parent, int left, int top, int width, int height, int itemHeight, HFONT font) {
    itemHeight_ = itemHeight;
    hwnd_ = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | LBS_NOTIFY |
                                LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                            left, top, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                            GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_) return nullptr;
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(hwnd_, LB_SETITEMHEIGHT, 0, itemHeight);
    return hwnd_;
}

bool TDirectoryListBox::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    item.itemHeight = static_cast<UINT>(itemHeight_);
    return true;
}

bool TDirectoryListBox::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (item.itemID != static_cast<UINT>(-1)) {
        char text[300] = "";
        const LRESULT length = SendMessageA(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
        if (length >= 0 && length < static_cast<LRESULT>(sizeof(text)))
            SendMessageA(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
        RECT r = item.rcItem;
        r.left += 2;
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        DrawTextA(item.hDC, text, -1, &r, DT_SINGLELINE | DT_NOPREFIX);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
}

bool TDirectoryListBox::OnCommand(WORD) { return false; }

HBRUSH TDirectoryListBox::OnCtlColor(HDC dc) {
    SetBkColor(dc, GetSysColor(COLOR_MENU));
    return GetSysColorBrush(COLOR_MENU);
}

bool TDirectoryListBox::OnKeyDown(WPARAM) { return false; }

}  // namespace korva
