#include "app/OpenDialog.h"

#include <commdlg.h>

#include <cstddef>
#include <cstring>

#include "core/window/FormLayout.h"
#include "win32/Scoped.h"

namespace korva {
namespace {

// The record as Windows 95 and NT 4 knew it: 76 bytes in a 32-bit program.
static_assert(sizeof(void*) != 4 || offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76);

// Places the dialog once it is laid out: centred horizontally on the work area of the main
// window's monitor, one third of the free height above it and two thirds below.
UINT_PTR CALLBACK PlacementHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY) return 0;
    const auto* notify = reinterpret_cast<const OFNOTIFYA*>(lParam);
    if (notify->hdr.code != CDN_INITDONE) return 0;
    HWND dialog = GetParent(hook);
    HWND owner = reinterpret_cast<HWND>(notify->lpOFN->lCustData);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    RECT frame{};
    if (!GetWindowRect(dialog, &frame) ||
        !GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor))
        return 0;
    const RECT& work = monitor.rcWork;
    const Point at = PlaceOpenDialog({work.left, work.top, work.right - work.left, work.bottom - work.top},
                                     frame.right - frame.left, frame.bottom - frame.top);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

}  // namespace

bool OpenDialog::Execute(HWND owner) {
    char buffer[MAX_PATH] = "";  // 260 characters with the terminating zero
    const std::size_t primed = fileName_.size() < MAX_PATH - 1 ? fileName_.size() : MAX_PATH - 1;
    std::memcpy(buffer, fileName_.data(), primed);
    buffer[primed] = '\0';

    OPENFILENAMEA request{};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = owner;
    request.hInstance = GetModuleHandleA(nullptr);
    request.lpstrFilter = nullptr;
    request.nFilterIndex = 1;
    request.lpstrFile = buffer;
    request.nMaxFile = MAX_PATH;
    request.lpstrInitialDir = nullptr;
    request.lpstrTitle = nullptr;
    request.lpstrDefExt = nullptr;
    request.Flags = OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
    request.lCustData = reinterpret_cast<LPARAM>(owner);
    request.lpfnHook = PlacementHook;
    // comdlg32 is loaded when the dialog is first asked for, not imported: the developer
    // build alone uses it, and loading it (and what it brings) would slow every start.
    const auto open = LoadProc<decltype(GetOpenFileNameA)>(LoadLibraryA("comdlg32.dll"), "GetOpenFileNameA");
    if (!open || !open(&request)) return false;
    fileName_ = buffer;
    return true;
}

}  // namespace korva
