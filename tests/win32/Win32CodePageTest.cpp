#include <gtest/gtest.h>

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
