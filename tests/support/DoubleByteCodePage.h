#pragma once
// A double-byte code page for tests: 0x81..0x9F and 0xE0..0xFC open a double-byte character,
// as in code page 932. Only single-byte ASCII letters change case; a trail byte is left as
// it is. Its OEM code page is the same page.
#include <cstddef>
#include <optional>
#include <string>

#include "core/common/Ascii.h"
#include "core/common/CodePage.h"

namespace korva::testsupport {

class DoubleByteCodePage : public CodePage {
public:
    bool IsLeadByte(unsigned char b) const override { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
    std::string Upper(std::string text) const override { return Fold(std::move(text), AsciiUpper); }
    std::string Lower(std::string text) const override { return Fold(std::move(text), AsciiLower); }
    std::optional<std::string> ToOem(const std::string& text) const override { return text; }

private:
    std::string Fold(std::string text, char (*fold)(char)) const {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (IsLeadByte(static_cast<unsigned char>(text[i]))) {
                ++i;  // skip the trail byte
                continue;
            }
            text[i] = fold(text[i]);
        }
        return text;
    }
};

}  // namespace korva::testsupport
