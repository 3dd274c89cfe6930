// The floor of the size and start-up benchmarks: a plain Win32 window with a few controls
// (labels, an edit field, buttons, a list box, a drop-down list) in the system's message
// font, built with the tool's flags and nothing from the C++ library. What the tool costs
// above this is its own work. Its OK button shows a message box, so a click that ends in a
// box can be timed on it too.
#include <windows.h>

#include "BareWindow.h"

namespace {

HFONT g_font = nullptr;

void Child(HWND parent, DWORD exStyle, const char* cls, const char* text, DWORD style, int id, int x, int y, int w,
           int h) {
    HWND c = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (c && g_font) SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
}

void CreateControls(HWND w) {
    Child(w, 0, "STATIC", "A bare Win32 window", SS_LEFT, 101, 8, 8, 360, 16);
    Child(w, 0, "STATIC", "with a few controls:", SS_LEFT, 102, 8, 28, 360, 16);
    Child(w, 0, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, 103, 8, 52, 200, 120);
    Child(w, WS_EX_CLIENTEDGE, "LISTBOX", "", LBS_NOTIFY | WS_TABSTOP | WS_VSCROLL, 104, 8, 82, 200, 110);
    Child(w, WS_EX_CLIENTEDGE, "EDIT", "C:\\", ES_AUTOHSCROLL | WS_TABSTOP, 105, 8, 200, 360, 22);
    Child(w, 0, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 8, 232, 75, 25);
    Child(w, 0, "BUTTON", "Close", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 92, 232, 75, 25);
    HWND combo = GetDlgItem(w, 103);
    HWND list = GetDlgItem(w, 104);
    const char* items[] = {"one", "two", "three"};
    for (const char* item : items) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

LRESULT CALLBACK WindowProc(HWND w, UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_CREATE: CreateControls(w); return 0;
    case WM_COMMAND:
        // OK answers with a box, the floor of a click that ends in a message box.
        if (LOWORD(wp) == IDOK) MessageBoxA(w, "Done.", BENCH_BARE_CAPTION, MB_OK);
        if (LOWORD(wp) == IDCANCEL) PostMessageA(w, WM_CLOSE, 0, 0);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(w, message, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        g_font = CreateFontIndirectA(&metrics.lfMessageFont);

    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = BENCH_BARE_CLASS;
    if (!RegisterClassA(&wc)) return 1;
    HWND w = CreateWindowExA(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, BENCH_BARE_CLASS, BENCH_BARE_CAPTION,
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                             392, 300, nullptr, nullptr, instance, nullptr);
    if (!w) return 1;
    ShowWindow(w, showCommand);
    UpdateWindow(w);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(w, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (g_font) DeleteObject(g_font);
    return 0;
}
