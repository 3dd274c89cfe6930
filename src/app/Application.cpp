#include "app/Application.h"

#include "ProductInfo.h"
#include "app/Controls.h"
#include "core/common/Exception.h"

namespace korva {
namespace {

constexpr const char* kApplicationClass = "TApplication";
// A caption and a system menu with Minimise: what the task list offers for the tool's entry.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX;

HWND g_window = nullptr;

bool IsMinimizeCommand(int showCommand) {
    return showCommand == SW_SHOWMINIMIZED || showCommand == SW_MINIMIZE || showCommand == SW_SHOWMINNOACTIVE ||
           showCommand == SW_FORCEMINIMIZE;
}

// The main window when it can take the activation: shown and not disabled by a box.
bool CanActivate(HWND main) { return main && IsWindowVisible(main) && IsWindowEnabled(main); }

struct DisableSearch {
    HWND application;
    std::vector<HWND>* disabled;
};

// Disables one shown and enabled window of the thread other than the application window.
BOOL CALLBACK DisableOne(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<DisableSearch*>(data);
    if (window == search.application || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
    try {
        search.disabled->push_back(window);
    } catch (...) {
        return FALSE;  // out of memory: rather leave the rest enabled than disabled for good
    }
    EnableWindow(window, FALSE);
    return TRUE;
}

}  // namespace

Application::~Application() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    if (g_window == hwnd_) g_window = nullptr;
}

void Application::Create(HINSTANCE instance) {
    WNDCLASSEXA cls{};
    cls.cbSize = sizeof(cls);
    cls.lpfnWndProc = ObjectWindowProc<Application>;
    cls.hInstance = instance;
    cls.hIcon = LoadIconA(instance, "MAINICON");  // the task list's picture (shared: not freed)
    cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    cls.lpszClassName = kApplicationClass;
    if (!RegisterClassExA(&cls)) throw Exception("Cannot register the window classes");
    // No size: nothing of it shows but its task-list entry.
    hwnd_ = CreateWindowExA(0, kApplicationClass, R7716_APP_TITLE, kStyle, GetSystemMetrics(SM_CXSCREEN) / 2,
                            GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr, instance, this);
    if (!hwnd_) throw Exception("Cannot create the application window");
    g_window = hwnd_;
}

void Application::Show(int showCommand) {
    if (IsMinimizeCommand(showCommand)) {
        mainHidden_ = true;  // restoring the application shows it for the first time
        ShowWindow(hwnd_, SW_SHOWMINNOACTIVE);
    } else {
        ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    }
}

bool Application::Minimized() const { return IsIconic(hwnd_) != FALSE; }

HWND Application::Window() { return g_window; }

LRESULT Application::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        // The system hides the windows of a minimised owner on Windows but not everywhere:
        // hide and show the main window here, whoever minimised or restored the application.
        if (wParam == SIZE_MINIMIZED) {
            if (main_ && IsWindowVisible(main_)) {
                ShowWindow(main_, SW_HIDE);
                mainHidden_ = true;
            }
        } else if (mainHidden_ && main_) {
            mainHidden_ = false;
            ShowWindow(main_, SW_SHOW);
            SetActiveWindow(main_);
        }
        return 0;
    case WM_ACTIVATE:
    case WM_SETFOCUS:
        // The activation belongs to the main window, which puts the focus on its control.
        if ((message == WM_SETFOCUS || (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0)) && CanActivate(main_)) {
            SetActiveWindow(main_);
            return 0;
        }
        break;
    case WM_CLOSE:
        if (main_ && IsWindow(main_)) SendMessageA(main_, WM_CLOSE, 0, 0);
        return 0;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

ModalScope::ModalScope() : active_(GetActiveWindow()), focus_(GetFocus()) {
    HWND application = Application::Window();
    RECT area{};
    if (application && active_ && active_ != application && GetWindowRect(active_, &area))
        SetWindowPos(application, nullptr, (area.left + area.right) / 2, (area.top + area.bottom) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DisableSearch search{application, &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&search));
}

ModalScope::~ModalScope() {
    for (HWND window : disabled_)
        if (IsWindow(window)) EnableWindow(window, TRUE);
    if (!active_ || !IsWindow(active_)) return;
    SetActiveWindow(active_);
    if (focus_ && IsWindow(focus_) && IsChild(active_, focus_) && IsWindowVisible(focus_) && IsWindowEnabled(focus_))
        SetFocus(focus_);
}

}  // namespace korva
