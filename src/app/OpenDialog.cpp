#include "app/OpenDialog.h"

#include <commdlg.h>

#include <cstddef>
#include <cstring>

#include "app/Application.h"
#include "core/window/FormLayout.h"
#include "win32/Scoped.h"

namespace korva {
namespace {

// The record as Windows 95 and NT 4 knew it: 76 bytes in a 32-bit program.
static_assert(sizeof(void*) != 4 || offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76);

// Places the dialog once it is laid out, on the monitor that shows the main window.
UINT_PTR CALLBACK PlacementHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY) return 0;
    const auto* notify = reinterpret_cast<const OFNOTIFYA*>(lParam);
    if (notify->hdr.code != CDN_INITDONE) return 0;
    HWND dialog = GetParent(hook);
    HWND mainWindow = reinterpret_cast<HWND>(notify->lpOFN->lCustData);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    RECT frame{};
    if (!GetWindowRect(dialog, &frame) ||
        !GetMonitorInfoA(MonitorFromWindow(mainWindow, MONITOR_DEFAULTTONEAREST), &monitor))
        return 0;
    const Point at = PlaceOpenDialog(DialogArea(monitor), frame.right - frame.left, frame.bottom - frame.top);
    SetWindowPos(dialog, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

}  // namespace

// The whole monitor, the task bar's share included: the dialog is placed on the screen as
// it is, not on what other programs leave of it.
Rect DialogArea(const MONITORINFO& monitor) {
    const RECT& r = monitor.rcMonitor;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool OpenDialog::Execute(HWND mainWindow) {
    char buffer[MAX_PATH] = "";  // 260 characters with the terminating zero
    const std::size_t primed = fileName_.size() < MAX_PATH - 1 ? fileName_.size() : MAX_PATH - 1;
    std::memcpy(buffer, fileName_.data(), primed);
    buffer[primed] = '\0';

    OPENFILENAMEA request{};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = Application::Window();
    request.hInstance = GetModuleHandleA(nullptr);
    request.lpstrFilter = nullptr;
    request.nFilterIndex = 1;
    request.lpstrFile = buffer;
    request.nMaxFile = MAX_PATH;
    request.lpstrInitialDir = nullptr;
    request.lpstrTitle = nullptr;
    request.lpstrDefExt = nullptr;
    request.Flags = OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
    request.lCustData = reinterpret_cast<LPARAM>(mainWindow);
    request.lpfnHook = PlacementHook;
    // comdlg32 is loaded when the dialog is first asked for, not imported: the developer
    // build alone uses it, and loading it (and what it brings) would slow every start.
    const auto open = LoadProc<decltype(GetOpenFileNameA)>(LoadLibraryA("comdlg32.dll"), "GetOpenFileNameA");
    if (!open) return false;
    const ModalScope modal;
    if (!open(&request)) return false;
    fileName_ = buffer;
    return true;
}

}  // namespace korva
