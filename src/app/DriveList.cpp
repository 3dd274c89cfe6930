#include "app/DriveList.h"

#include <string>

#include "app/DirectoryList.h"

namespace korva {

// ---- icons ----

bool TransparentBitmap::Load() const {
    const ScopedBitmap original(LoadBitmapA(GetModuleHandleA(nullptr), resourceName_));
    if (!original) return false;
    BITMAP info{};
    GetObjectA(original.Get(), sizeof info, &info);
    width_ = info.bmWidth;
    height_ = info.bmHeight;

    const ScopedGetDC screen(nullptr);
    const ScopedMemoryDC source(CreateCompatibleDC(screen.Get()));
    const ScopedMemoryDC target(CreateCompatibleDC(screen.Get()));
    image_.Reset(CreateCompatibleBitmap(screen.Get(), width_, height_));
    mask_.Reset(CreateBitmap(width_, height_, 1, 1, nullptr));
    if (!image_ || !mask_ || !source || !target) {
        image_.Reset();
        mask_.Reset();
        return false;
    }
    const ScopedSelectObject sourceSelection(source.Get(), original.Get());
    const COLORREF transparent = GetPixel(source.Get(), 0, height_ - 1);
    // Colour to monochrome: pixels of the source's background colour become 1.
    const ScopedSelectObject targetSelection(target.Get(), mask_.Get());
    SetBkColor(source.Get(), transparent);
    BitBlt(target.Get(), 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY);
    // The picture with its transparent pixels black: image AND NOT mask.
    SelectObject(target.Get(), image_.Get());
    BitBlt(target.Get(), 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY);
    SelectObject(source.Get(), mask_.Get());
    SetBkColor(target.Get(), RGB(255, 255, 255));
    SetTextColor(target.Get(), RGB(0, 0, 0));
    BitBlt(target.Get(), 0, 0, width_, height_, source.Get(), 0, 0, 0x00220326 /* DSna */);
    return true;
}

void TransparentBitmap::Draw(HDC dc, int left, int top) const {
    if (!tried_ && resourceName_) {
        tried_ = true;
        Load();
    }
    if (!image_ || !mask_) return;
    const ScopedMemoryDC memory(CreateCompatibleDC(dc));
    if (!memory) return;
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    {
        const ScopedSelectObject select(memory.Get(), mask_.Get());
        BitBlt(dc, left, top, width_, height_, memory.Get(), 0, 0, SRCAND);  // opaque pixels black
        SelectObject(memory.Get(), image_.Get());
        BitBlt(dc, left, top, width_, height_, memory.Get(), 0, 0, SRCPAINT);  // the picture into them
    }
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

void PaintChooserItem(const DRAWITEMSTRUCT& item, const ItemDrawing& drawing, const TransparentBitmap& icon,
                      bool centredText) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (item.itemID == static_cast<UINT>(-1)) return;  // an empty list or no selection
    icon.Draw(item.hDC, drawing.iconLeft, drawing.iconTop);
    const int oldMode = SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text{drawing.textRect.left, drawing.textRect.top, drawing.textRect.right, drawing.textRect.bottom};
    if (centredText) {
        DrawTextA(item.hDC, drawing.text.c_str(), static_cast<int>(drawing.text.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    } else {
        // Plain text output at the row's top; ExtTextOut shows "&" as itself.
        ExtTextOutA(item.hDC, text.left, text.top, ETO_CLIPPED, &item.rcItem, drawing.text.c_str(),
                    static_cast<UINT>(drawing.text.size()), nullptr);
    }
    SetTextColor(item.hDC, oldColor);
    SetBkMode(item.hDC, oldMode);
}

// ---- the drive list ----

DriveList::DriveList(int id) : id_(id), model_(platform_) {}

HWND DriveList::Create(HWND parent, int left, int top, int width, int fieldHeight, int itemHeight, HFONT font) {
    itemHeight_ = itemHeight;
    static const ChooserIcon kIcons[] = {ChooserIcon::Floppy, ChooserIcon::Hard, ChooserIcon::Network,
                                         ChooserIcon::CdRom, ChooserIcon::Ram};
    for (int i = 0; i < 5; ++i) icons_[i].SetResource(IconResourceName(kIcons[i]));
    // The window's height includes the drop-down part. No tab stop: the mouse gives it the focus.
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

void DriveList::SetDirList(DirectoryList* list) {
    dirList_ = list;
    model_.SetDirList(list ? &list->Model() : nullptr);
}

template <typename Call>
void DriveList::Synced(Call&& call) {
    const ScopeGuard sync([this] {
        if (hwnd_) SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(model_.SelectedIndex()), 0);
        if (dirList_) dirList_->SyncRows();
    });
    call();
}

void DriveList::FillEntries() {
    SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const DriveEntry& entry : model_.Entries())
        SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.c_str()));
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void DriveList::HandleWindowCreated() {
    Synced([this] {
        const ScopeGuard fill([this] { FillEntries(); });
        model_.HandleWindowCreated();
    });
}

bool DriveList::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    item.itemHeight = static_cast<UINT>(itemHeight_);
    return true;
}

bool DriveList::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const int index = static_cast<int>(item.itemID);
    const ItemRect rect{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
    const ItemDrawing drawing = model_.DrawEntry(index, rect);
    const int icon = static_cast<int>(drawing.icon);
    PaintChooserItem(item, drawing, icons_[icon >= 0 && icon < 5 ? icon : 1], /*centredText=*/true);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(item.hDC, &item.rcItem);
    return true;
}

bool DriveList::OnCommand(WORD notification) {
    if (notification != CBN_SELCHANGE) return false;
    const LRESULT index = SendMessageA(hwnd_, CB_GETCURSEL, 0, 0);
    if (index < 0) return true;
    const LRESULT length = SendMessageA(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    std::string text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
    if (length > 0) SendMessageA(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    const char letter = text[0];
    Synced([&] { model_.SelectDrive(letter); });
    return true;
}

HBRUSH DriveList::OnCtlColor(HDC dc) {
    SetBkColor(dc, GetSysColor(COLOR_MENU));
    return GetSysColorBrush(COLOR_MENU);
}

}  // namespace korva
