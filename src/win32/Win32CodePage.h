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

}  // namespace korva
