#include "app/MessageBoxes.h"

#include <exception>

#include "app/Application.h"
#include "app/ControlIds.h"
#include "core/window/MessageRules.h"
#include "win32/Scoped.h"
#include "win32/Win32CodePage.h"

namespace korva {
namespace {

constexpr int kTextId = IDC_BOX_TEXT;  // the id of the text in the platform's message box too

// Lives on the caller's stack while the box is open; the font outlasts the box's controls.
struct BoxState {
    std::string text;
    ScopedFont font;
};

HFONT CreateMessageFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        if (HFONT font = CreateFontIndirectA(&metrics.lfMessageFont)) return font;
    return nullptr;  // the toolkit's default font
}

// The measures of the text and of the button's caption in the box's font.
SimpleBoxInput MeasureBox(HWND dialog, HFONT font, const std::string& message) {
    SimpleBoxInput input{};
    const ScopedGetDC dc(dialog);
    const ScopedSelectObject select(dc.Get(), font);
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size{};
    GetTextExtentPoint32A(dc.Get(), kAlphabet, 52, &size);
    input.alphabetWidth = size.cx;
    input.alphabetHeight = size.cy;
    GetTextExtentPoint32A(dc.Get(), "OK", 2, &size);
    input.okCaptionWidth = size.cx;
    RECT text{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    DrawTextA(dc.Get(), message.c_str(), static_cast<int>(message.size()), &text,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    input.textWidth = text.right - text.left;
    input.textHeight = text.bottom - text.top;
    return input;
}

void LayOutBox(HWND dialog, BoxState& state) {
    state.font.Reset(CreateMessageFont());
    HFONT font = state.font ? state.font.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

    const SimpleBoxLayout layout = ComputeSimpleBoxLayout(MeasureBox(dialog, font, state.text));
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND label = CreateWindowExA(0, "STATIC", state.text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                 layout.text.left, layout.text.top, layout.text.width, layout.text.height, dialog,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)), instance, nullptr);
    HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                  layout.button.left, layout.button.top, layout.button.width, layout.button.height,
                                  dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE));
    RECT frame{0, 0, layout.clientWidth, layout.clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextA(dialog, kApplicationTitle);
    SetFocus(button);
}

INT_PTR CALLBACK SimpleBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        auto* state = reinterpret_cast<BoxState*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        LayOutBox(dialog, *state);
        return FALSE;  // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

// An in-memory dialog template without controls; the box is sized in WM_INITDIALOG.
struct alignas(4) BoxTemplate {
    DLGTEMPLATE header;
    WORD menu;
    WORD windowClass;
    WORD title;
};

}  // namespace

void SimpleMessageBox::ShowMessage(const std::string& text) {
    BoxState state;
    state.text = text;
    BoxTemplate box{};
    box.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    box.header.cdit = 0;
    box.header.cx = 100;
    box.header.cy = 40;
    const ModalScope modal;
    DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &box.header, Application::Window(), SimpleBoxProc,
                            reinterpret_cast<LPARAM>(&state));
}

int ApplicationMessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    const ModalScope modal;
    return MessageBoxA(Application::Window(), text.c_str(), caption.c_str(), flags);
}

void RunHandlerCall(void* handler, void (*call)(void*)) noexcept {
    try {
        try {
            call(handler);
        } catch (...) {
            ReleaseCapture();
            throw;
        }
    } catch (const Exception& e) {
        ShowErrorBox(e.Message());
    } catch (const std::exception& e) {
        ShowErrorBox(e.what());
    } catch (...) {
        ShowErrorBox("Unexpected error");
    }
}

void ShowErrorBox(const char* message) noexcept {
    try {
        const Win32CodePage codePage;
        ApplicationMessageBox(ErrorBoxText(message, codePage), kApplicationTitle, kErrorBoxFlags);
    } catch (...) {
        MessageBoxA(Application::Window(), message, kApplicationTitle, kErrorBoxFlags);
    }
}

}  // namespace korva
