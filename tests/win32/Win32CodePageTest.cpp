#include <gtest/gtest.h>

#include <windows.h>

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
