#pragma once
// The system's ANSI code page as the core needs it: which bytes open a double-byte
// character, and locale-aware upper and lower casing of 8-bit text
// (CharUpperBuffA / CharLowerBuffA / IsDBCSLeadByte on Windows).
#include <optional>
#include <string>

#include "core/common/Ascii.h"

namespace korva {

class CodePage {
public:
    virtual ~CodePage() = default;
    virtual bool IsLeadByte(unsigned char byte) const = 0;
    virtual std::string Upper(std::string text) const = 0;
    virtual std::string Lower(std::string text) const = 0;
    // The text in the OEM code page, which the command interpreter reads command files in
    // (CharToOemBuffA); nothing when a character has no equal there.
    virtual std::optional<std::string> ToOem(const std::string& text) const = 0;
};

// A single-byte code page that cases only the ASCII letters: what the native tools use,
// and the default of the tests.
class AsciiCodePage : public CodePage {
public:
    bool IsLeadByte(unsigned char) const override { return false; }
    std::string Upper(std::string text) const override { return AsciiUpper(std::move(text)); }
    std::string Lower(std::string text) const override { return AsciiLower(std::move(text)); }
    // Its OEM code page is the same page.
    std::optional<std::string> ToOem(const std::string& text) const override { return text; }
};

}  // namespace korva
