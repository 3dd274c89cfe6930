#include <gtest/gtest.h>

#include "core/window/MessageRules.h"
#include "support/DoubleByteCodePage.h"

namespace korva {
namespace {

using testsupport::DoubleByteCodePage;

TEST(ErrorBoxText, FullStopFollowsOnlyCharactersAboveTheFullStop) {
    AsciiCodePage cp;
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"Cannot create C:\\LonWorks\\Import", "Cannot create C:\\LonWorks\\Import."},
        {"ends in digit 7", "ends in digit 7."},
        {"slash/", "slash/."},
        {"colon:", "colon:."},
        {"question?", "question?."},
        {"backslash\\", "backslash\\."},
        {"already.", "already."},
        {"bang!", "bang!"},
        {"paren)", "paren)"},
        {"comma,", "comma,"},
        {"dash-", "dash-"},
        {"quote\"", "quote\""},
        {"apostrophe'", "apostrophe'"},
        {"blank ", "blank "},
        {"", ""},
        {"\xE4", "\xE4."},  // a single-byte letter above 0x7F
    };
    for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.in, cp), c.out) << '"' << c.in << '"';
}

TEST(ErrorBoxText, DoubleByteCharacterAlwaysGetsTheFullStop) {
    DoubleByteCodePage cp;
    // 0x82 0x2D is one character whose trail byte is "-": it still counts as greater.
    EXPECT_EQ(ErrorBoxText("x\x82\x2D", cp), "x\x82\x2D.");
    // A lone lead byte at the end is a character of its own.
    EXPECT_EQ(ErrorBoxText("x-\x82", cp), "x-\x82.");
    // A trailing "-" after a complete double-byte character is a character of its own.
    EXPECT_EQ(ErrorBoxText("\x82\x41-", cp), "\x82\x41-");
}

TEST(SimpleBoxLayout, MeasuresFromFontUnits) {
    // Tahoma 8 pt at 96 dpi: the alphabet is 312 pixels wide and 13 high; "OK" is 15 wide.
    // X = 312 / 52 = 6 and Y = 13: margins 12 and 13, the gap 10*13/8 = 16.25, the button
    // 50*6/4 = 75 wide and 14*13/8 = 22.75 high.
    SimpleBoxLayout l = ComputeSimpleBoxLayout({312, 13, 15, 100, 39});
    EXPECT_EQ(l.clientWidth, 100 + 24);
    EXPECT_EQ(l.clientHeight, 39 + 23 + 16 + 26);
    EXPECT_EQ(l.text, (Rect{12, 13, 100, 39}));
    EXPECT_EQ(l.button, (Rect{(124 - 75) / 2, 39 + 13 + 16, 75, 23}));
}

TEST(SimpleBoxLayout, ShortTextGivesBoxJustWideEnoughForTheButton) {
    SimpleBoxLayout l = ComputeSimpleBoxLayout({312, 13, 15, 20, 13});
    EXPECT_EQ(l.clientWidth, 75 + 2 * 12);
    EXPECT_EQ(l.button.left, 12);
}

TEST(SimpleBoxLayout, WideCaptionWidensTheButton) {
    SimpleBoxLayout l = ComputeSimpleBoxLayout({312, 13, 90, 20, 13});
    EXPECT_EQ(l.button.width, 98);
    EXPECT_EQ(l.clientWidth, 98 + 24);
}

}  // namespace
}  // namespace korva
