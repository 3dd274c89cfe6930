#include "app/DriveList.h"

#include <string>

#include "app/DirectoryList.h"
#include "core/common/ScopeGuard.h"

namespace korva {

DriveList::DriveList(int id)
    : ChooserControl(
          id, {ChooserIcon::Floppy, ChooserIcon::Hard, ChooserIcon::Network, ChooserIcon::CdRom, ChooserIcon::Ram},
          ChooserIcon::Hard, TextPlacement::CentredLine),
      model_(platform_) {}

bool DriveList::Create(HWND parent, int left, int top, int width, int fieldHeight, int itemHeight, HFONT font) {
    // The window's height includes the drop-down part. No tab stop: the mouse gives it the focus.
    if (!CreateControl(parent, "COMBOBOX", 0, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, left, top, width,
                       fieldHeight + 8 * itemHeight + 2, itemHeight, font))
        return false;
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
    return true;
}

void DriveList::LinkDirectoryList(DirectoryList* list) {
    directoryList_ = list;
    model_.SetDirList(list ? &list->Model() : nullptr);
}

template <typename Call>
void DriveList::Synced(Call&& call) {
    const ScopeGuard sync([this] {
        if (hwnd_) SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(model_.SelectedIndex()), 0);
        if (directoryList_) directoryList_->SyncRows();
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

bool DriveList::OnCommand(WORD notification) {
    if (notification != CBN_SELCHANGE) return false;
    const LRESULT index = SendMessageA(hwnd_, CB_GETCURSEL, 0, 0);
    if (index < 0) return true;
    const LRESULT length = SendMessageA(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    std::string text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, '\0');
    if (length > 0)
        SendMessageA(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    const char letter = text[0];
    Synced([&] { model_.SelectDrive(letter); });
    return true;
}

}  // namespace korva
