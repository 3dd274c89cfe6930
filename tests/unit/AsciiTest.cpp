#include <gtest/gtest.h>

#include <string>

#include "core/common/Ascii.h"

namespace korva {
namespace {

TEST(Ascii, OnlyTheTwentySixLettersChangeCase) {
    // The bytes on either side of each letter range, and letters of code page 1252.
    struct Case {
        char in, upper, lower;
    } cases[] = {
        {'a', 'A', 'a'},    {'z', 'Z', 'z'},          {'A', 'A', 'a'},          {'Z', 'Z', 'z'}, {'@', '@', '@'},
        {'[', '[', '['},    {'`', '`', '`'},          {'{', '{', '{'},          {'0', '0', '0'}, {'\\', '\\', '\\'},
        {'\0', '\0', '\0'}, {'\xE4', '\xE4', '\xE4'}, {'\xC4', '\xC4', '\xC4'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(c.in)));
        EXPECT_EQ(AsciiUpper(c.in), c.upper);
        EXPECT_EQ(AsciiLower(c.in), c.lower);
    }
    EXPECT_EQ(AsciiUpper(std::string("c:\\Lon\xE4Works")), "C:\\LON\xE4WORKS");
    EXPECT_EQ(AsciiLower(std::string("C:\\LON\xC4WORKS")), "c:\\lon\xC4works");
}

}  // namespace
}  // namespace korva
