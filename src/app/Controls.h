#pragma once
// Small helpers for the tool's windows and their child controls.
#include <windows.h>

#include <string>
#include <string_view>

#include "win32/Scoped.h"

namespace korva {

// The window procedure of a class whose objects stand behind their windows: each window is
// made with its object as the creation parameter; the object learns its window (hwnd_) at
// WM_NCCREATE and gets every message in its HandleMessage.
template <typename Object>
LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* object = static_cast<Object*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        object->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    }
    auto* object = reinterpret_cast<Object*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return object ? object->HandleMessage(message, wParam, lParam) : DefWindowProcA(hwnd, message, wParam, lParam);
}

// A child control's id as CreateWindowEx takes it.
inline HMENU ControlIdHandle(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

// Width and height of a one-line text in a font (the DC's default font for null), as
// GetTextExtentPoint32A gives them on the screen; zero when no screen DC can be had.
inline SIZE TextExtent(HFONT font, std::string_view text) {
    SIZE size{};
    const ScopedGetDC screen(nullptr);
    if (!screen) return size;
    const ScopedSelectObject select(screen.Get(), font);
    GetTextExtentPoint32A(screen.Get(), text.data(), static_cast<int>(text.size()), &size);
    return size;
}

// A control's text.
inline std::string WindowText(HWND control) {
    const int length = GetWindowTextLengthA(control);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(control, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

}  // namespace korva
