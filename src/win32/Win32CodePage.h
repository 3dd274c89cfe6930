#pragma once
#include "core/common/CodePage.h"

namespace korva {

// The system's ANSI code page: IsDBCSLeadByte, CharUpperBuffA, CharLowerBuffA.
class Win32CodePage : public CodePage {
public:
    bool IsLeadByte(unsigned char byte) const override;
    std::string Upper(std::string text) const override;
    std::string Lower(std::string text) const override;
    std::optional<std::string> ToOem(const std::string& text) const override;
};

// The same code page through kernel32 alone (IsDBCSLeadByte, LCMapStringA, and the OEM
// spelling by MultiByteToWideChar and WideCharToMultiByte), for a program without a window:
// importing user32 makes every start of a program slower (about 20 ms under Wine). It gives
// the same results as Win32CodePage (tests/win32 compares the two byte for byte).
class Win32KernelCodePage : public CodePage {
public:
    bool IsLeadByte(unsigned char byte) const override;
    std::string Upper(std::string text) const override;
    std::string Lower(std::string text) const override;
    std::optional<std::string> ToOem(const std::string& text) const override;
};

}  // namespace korva
