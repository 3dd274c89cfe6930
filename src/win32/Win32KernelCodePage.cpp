// Apart from Win32CodePage.cpp, so that a program using only this code page does not import
// user32 (the linker keeps the imports of every object it is given).
#include <windows.h>

#include "win32/Win32CodePage.h"

namespace korva {

namespace {

std::string MapCase(std::string text, DWORD flags) {
    if (text.empty()) return text;
    std::string mapped(text.size(), '\0');
    const int length = LCMapStringA(LOCALE_USER_DEFAULT, flags, text.data(), static_cast<int>(text.size()),
                                    mapped.data(), static_cast<int>(mapped.size()));
    if (length != static_cast<int>(text.size())) return text;  // casing never changes the length here
    return mapped;
}

// The text from one code page into another through UTF-16, as CharToOemBuffA and
// OemToCharBuffA do it (a character without an equal becomes a near one or "?").
std::string Recode(const std::string& text, UINT from, UINT to) {
    if (text.empty()) return text;
    const int wideLength = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(), wideLength);
    const int length = WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideLength, out.data(), length, nullptr, nullptr);
    return out;
}

}  // namespace

bool Win32KernelCodePage::IsLeadByte(unsigned char byte) const { return IsDBCSLeadByte(byte) != FALSE; }

std::string Win32KernelCodePage::Upper(std::string text) const { return MapCase(std::move(text), LCMAP_UPPERCASE); }

std::string Win32KernelCodePage::Lower(std::string text) const { return MapCase(std::move(text), LCMAP_LOWERCASE); }

std::optional<std::string> Win32KernelCodePage::ToOem(const std::string& text) const {
    std::string oem = Recode(text, CP_ACP, CP_OEMCP);
    if (Recode(oem, CP_OEMCP, CP_ACP) != text) return std::nullopt;  // the same round trip as Win32CodePage
    return oem;
}

}  // namespace korva
