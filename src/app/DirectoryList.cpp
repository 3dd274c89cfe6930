#include "app/DirectoryList.h"

#include "app/Controls.h"
#include "core/common/ScopeGuard.h"

namespace korva {

DirectoryList::DirectoryList(int id)
    : ChooserControl(id, {ChooserIcon::OpenFolder, ChooserIcon::CurrentFolder, ChooserIcon::ClosedFolder},
                     ChooserIcon::ClosedFolder, TextPlacement::TopLeft),
      model_(platform_) {
    // The start folder becomes its drive's own current directory, as every folder the list
    // changes into does: a later switch back to this drive returns here, not to its root.
    const std::string& start = model_.CurrentDirectory();
    if (start.size() >= 2 && start[1] == ':' && platform_.IsDirectory(start)) platform_.SetWorkingDirectory(start);
    model_.OnChange = [this](DirectoryListModel&) {
        if (OnChange) OnChange();
    };
}

bool DirectoryList::Create(HWND parent, int left, int top, int width, int height, int itemHeight, HFONT font) {
    // Single selection, not sorted (the rows come in the model's order), no tab stop.
    if (!CreateControl(parent, "LISTBOX", WS_EX_CLIENTEDGE,
                       LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, left, top, width,
                       height, itemHeight, font))
        return false;
    SendMessageA(hwnd_, LB_SETITEMHEIGHT, 0, itemHeight);
    model_.SetWidth(width);
    return true;
}

void DirectoryList::HandleWindowCreated() {
    model_.HandleWindowCreated();
    SyncRows();
}

void DirectoryList::LinkLabel(HWND label) {
    if (!label) {
        model_.SetDirLabel(std::nullopt);
        return;
    }
    DirLabelLink link;
    link.measure = [label](const std::string& text) {
        const HFONT font = reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0));
        return static_cast<int>(TextExtent(font, text).cx);
    };
    link.setCaption = [label](const std::string& caption) {
        SetWindowTextA(label, caption.c_str());
        // The label sizes itself to its caption.
        const HFONT font = reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0));
        const SIZE size = TextExtent(font, caption);
        SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy > 0 ? size.cy : TextExtent(font, " ").cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    link.autoSize = true;  // so the shortening takes the list's width
    model_.SetDirLabel(std::move(link));
}

void DirectoryList::SyncRows() noexcept {
    if (!hwnd_) return;
    if (filled_ && shownVersion_ == model_.RowsVersion()) return;
    try {
        SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(hwnd_, LB_RESETCONTENT, 0, 0);
        for (const DirectoryRow& row : model_.Rows())
            SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.text.c_str()));
        SendMessageA(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(model_.HighlightedRow()), 0);
        shownVersion_ = model_.RowsVersion();
        filled_ = true;
    } catch (...) {
    }
    SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void DirectoryList::OpenHighlightedRow() {
    // The box's selection is the highlight (a driver or the system may have moved it without
    // a notification).
    const LRESULT selected = SendMessageA(hwnd_, LB_GETCURSEL, 0, 0);
    model_.SetHighlightedRow(static_cast<int>(selected));
    const ScopeGuard sync([this] { SyncRows(); });
    model_.OpenHighlightedRow();
}

bool DirectoryList::OnCommand(WORD notification) {
    switch (notification) {
    case LBN_SELCHANGE:  // a click or an arrow key: the highlight only
        model_.SetHighlightedRow(static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0)));
        return true;
    case LBN_DBLCLK: OpenHighlightedRow(); return true;
    default: return false;
    }
}

bool DirectoryList::OnKeyDown(WPARAM key) {
    if (key != VK_RETURN) return false;
    OpenHighlightedRow();
    return true;
}

}  // namespace korva
