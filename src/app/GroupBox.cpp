#include "app/GroupBox.h"

#include "win32/Scoped.h"

namespace korva {
namespace {

constexpr int kFontSlot = 0;
constexpr int kBrushSlot = sizeof(LONG_PTR);

// The etched frame, and the caption on the box's background in its upper edge.
void DrawGroup(HWND box, HDC dc) {
    HFONT font = reinterpret_cast<HFONT>(GetWindowLongPtrA(box, kFontSlot));
    HBRUSH brush = reinterpret_cast<HBRUSH>(GetWindowLongPtrA(box, kBrushSlot));
    const ScopedSelectObject select(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    RECT client;
    GetClientRect(box, &client);
    RECT frame = client;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

    char caption[64] = "";
    const int length = GetWindowTextA(box, caption, sizeof(caption));
    if (length > 0) {
        LOGBRUSH colour{};
        GetObjectA(brush, sizeof(colour), &colour);
        SetBkColor(dc, brush ? colour.lbColor : GetSysColor(COLOR_BTNFACE));
        SetBkMode(dc, OPAQUE);
        SetTextColor(dc, GetSysColor(IsWindowEnabled(box) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        RECT text{8, 0, client.right - 8, metrics.tmHeight};
        DrawTextA(dc, caption, length, &text, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
}

LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(box, &client);
        HBRUSH brush = reinterpret_cast<HBRUSH>(GetWindowLongPtrA(box, kBrushSlot));
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        DrawGroup(box, BeginPaint(box, &ps));
        EndPaint(box, &ps);
        return 0;
    }
    case WM_SETFONT:
        SetWindowLongPtrA(box, kFontSlot, static_cast<LONG_PTR>(wParam));
        if (LOWORD(lParam)) InvalidateRect(box, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return GetWindowLongPtrA(box, kFontSlot);
    case WM_ENABLE: InvalidateRect(box, nullptr, TRUE); break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
        if (HWND parent = GetParent(box)) return SendMessageA(parent, message, wParam, lParam);
        break;
    }
    return DefWindowProcA(box, message, wParam, lParam);
}

}  // namespace

bool RegisterGroupBoxClass(HINSTANCE instance) {
    WNDCLASSEXA cls{};
    if (GetClassInfoExA(instance, kGroupBoxClass, &cls)) return true;
    cls.cbSize = sizeof(cls);
    cls.style = CS_HREDRAW | CS_VREDRAW;
    cls.lpfnWndProc = GroupBoxProc;
    cls.cbWndExtra = 2 * sizeof(LONG_PTR);
    cls.hInstance = instance;
    cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    cls.lpszClassName = kGroupBoxClass;
    return RegisterClassExA(&cls) != 0;
}

HWND CreateGroupBox(HWND parent, int id, const char* caption, int left, int top, int width, int height,
                    DWORD extraStyle, HBRUSH background, HFONT font) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND box = CreateWindowExA(WS_EX_CONTROLPARENT, kGroupBoxClass, caption,
                               WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | extraStyle, left, top, width, height,
                               parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!box) return nullptr;
    SetWindowLongPtrA(box, kBrushSlot, reinterpret_cast<LONG_PTR>(background));
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return box;
}

}  // namespace korva
