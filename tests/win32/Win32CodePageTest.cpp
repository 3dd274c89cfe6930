#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "win32/Win32CodePage.h"

namespace korva {
namespace {

TEST(Win32CodePage, CasesAsciiAndCodePageLetters) {
    Win32CodePage cp;
    EXPECT_EQ(cp.Upper("c:\\lonWorks"), "C:\\LONWORKS");
    EXPECT_EQ(cp.Lower("C:\\LonWorks"), "c:\\lonworks");
    // Code page 1252: a-umlaut 0xE4 upper-cases to 0xC4.
    EXPECT_EQ(cp.Upper("\xE4"), "\xC4");
    EXPECT_FALSE(cp.IsLeadByte('A'));
}

}  // namespace
}  // namespace korva

namespace korva {
namespace {

TEST(Win32CodePage, OemSpellingOnlyWhenEveryCharacterHasOne) {
    Win32CodePage cp;
    if (GetACP() != 1252 || GetOEMCP() != 437) GTEST_SKIP() << "measured for ANSI 1252 with OEM 437";
    EXPECT_EQ(cp.ToOem("C:\\LonWorks\\Types\\User\\KR"), "C:\\LonWorks\\Types\\User\\KR");
    EXPECT_EQ(cp.ToOem("Z\xE4hler \xC9t\xE9"), "Z\x84hler \x90t\x82");
    EXPECT_EQ(cp.ToOem("100\x80"), std::nullopt);  // the euro sign is not in 437
    EXPECT_EQ(cp.ToOem(""), "");
}

}  // namespace
}  // namespace korva

namespace korva {
namespace {

// The console installer's code page (kernel32 only) must decide the folder check and spell
// the command file exactly as the window's does: every byte alone, and texts of several.
TEST(Win32KernelCodePage, GivesTheSameResultsAsTheWindowsCodePage) {
    const Win32CodePage window;
    const Win32KernelCodePage kernel;
    std::vector<std::string> texts = {"", "C:\\LonWorks", "c:\\lonworks\\", "Z\xE4hler \xC9t\xE9", "100\x80%"};
    for (int b = 1; b < 256; ++b) texts.push_back(std::string(1, static_cast<char>(b)));
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.size() == 1 ? "byte " + std::to_string(static_cast<unsigned char>(text[0])) : text);
        EXPECT_EQ(kernel.Upper(text), window.Upper(text));
        EXPECT_EQ(kernel.Lower(text), window.Lower(text));
        EXPECT_EQ(kernel.ToOem(text), window.ToOem(text));
        if (text.size() == 1) {
            EXPECT_EQ(kernel.IsLeadByte(static_cast<unsigned char>(text[0])),
                      window.IsLeadByte(static_cast<unsigned char>(text[0])));
        }
    }
}

}  // namespace
}  // namespace korva
