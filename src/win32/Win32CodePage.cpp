#include "win32/Win32CodePage.h"

#include <windows.h>

namespace korva {

bool Win32CodePage::IsLeadByte(unsigned char byte) const { return IsDBCSLeadByte(byte) != FALSE; }

std::string Win32CodePage::Upper(std::string text) const {
    if (!text.empty()) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::string Win32CodePage::Lower(std::string text) const {
    if (!text.empty()) CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::optional<std::string> Win32CodePage::ToOem(const std::string& text) const {
    if (text.empty()) return text;
    std::string oem(text.size(), '\0');
    std::string back(text.size(), '\0');
    const DWORD length = static_cast<DWORD>(text.size());
    CharToOemBuffA(text.c_str(), oem.data(), length);
    OemToCharBuffA(oem.c_str(), back.data(), length);
    if (back != text) return std::nullopt;  // a character the OEM code page does not hold
    return oem;
}

}  // namespace korva
