#include <gtest/gtest.h>

#include <string>

#include "core/install/LonWorksCheck.h"
#include "support/DoubleByteCodePage.h"
#include "support/RecordingMessages.h"

namespace korva {
namespace {

using testsupport::DoubleByteCodePage;
using testsupport::RecordingMessages;

// Upper-cases like code page 1252 (a-umlaut 0xE4 to 0xC4) on top of ASCII.
class Latin1CodePage : public AsciiCodePage {
public:
    std::string Upper(std::string text) const override {
        text = AsciiCodePage::Upper(std::move(text));
        for (char& c : text)
            if (static_cast<unsigned char>(c) == 0xE4) c = static_cast<char>(0xC4);
        return text;
    }
};

struct CheckCase {
    std::string path;
    bool accepted;
};

void ExpectCheck(const CodePage& cp, const CheckCase& c) {
    RecordingMessages messages;
    const std::string result = CheckLonWorksPath(c.path, cp, messages);
    if (c.accepted) {
        EXPECT_EQ(result, c.path) << '"' << c.path << '"';
        EXPECT_TRUE(messages.shown.empty()) << '"' << c.path << '"';
    } else {
        EXPECT_EQ(result, "") << '"' << c.path << '"';
        ASSERT_EQ(messages.shown.size(), 1u) << '"' << c.path << '"';
        EXPECT_EQ(messages.shown[0], kLonWorksWarning);
    }
}

TEST(CheckLonWorksPath, AcceptsTextEndingInLonWorksAndReturnsItUnchanged) {
    AsciiCodePage cp;
    const CheckCase cases[] = {
        {"C:\\LonWorks", true},
        {"c:\\lonworks", true},
        {"D:\\Programs\\LONWORKS", true},
        {"C:\\LonWorks\\", true},  // the trailing backslash is kept in the result
        {"LonWorks", true},        // exactly eight characters
        {"lOnWoRkS\\", true},
        {"C:\\MyLonWorks", true},                  // nothing in front of the last eight is looked at
        {"C:\\...\\LonWorks", true},               // shortened by the folder chooser
        {"  C:\\LonWorks", true},                  // leading blanks stay
        {"Z:\\does\\not\\exist\\LonWorks", true},  // the file system is not consulted
        {"C:\\LonWorks\\\\", false},               // only one trailing backslash is set aside
        {"onWorks", false},
        {"\\", false},
        {"", false},
        {"C:\\LonWorks ", false},  // blanks are not trimmed
        {"C:/LonWorks/", false},   // only a backslash is removed
        {"C:\\LonWorks/", false},
        {"D:\\src\\R7716.xif", false},  // a file name from the source file picker
        {"C:\\LonWorks\\Types", false},
        {"C:\\LonWork", false},
        {"C:\\LonWorksX", false},
        {std::string(300, 'x') + "LonWorks", true},
    };
    for (const auto& c : cases) ExpectCheck(cp, c);
}

TEST(CheckLonWorksPath, UpperCasesThroughTheInjectedCodePage) {
    // With the ASCII code page "LONWORKS" does not match an a-umlaut; the code page decides.
    Latin1CodePage latin1;
    ExpectCheck(latin1, {"C:\\LonWorks", true});
    ExpectCheck(latin1, {"C:\\L\xE4nWorks", false});

    // A code page that would upper-case nothing refuses lower-case letters.
    class NoCasing : public AsciiCodePage {
    public:
        std::string Upper(std::string text) const override { return text; }
    } none;
    ExpectCheck(none, {"C:\\LONWORKS", true});
    ExpectCheck(none, {"C:\\LonWorks", false});
}

TEST(CheckLonWorksPath, EighthByteFromTheEndMustBeginACharacter) {
    DoubleByteCodePage cp;
    // 0x82 'L' is one double-byte character: the text ends in "onWorks" behind it.
    ExpectCheck(cp, {"C:\\\x82LonWorks", false});
    ExpectCheck(cp, {"C:\\\x82LonWorks\\", false});
    // A complete double-byte character in front of the last eight is fine.
    ExpectCheck(cp, {"C:\\\x82\x41LonWorks", true});
    ExpectCheck(cp, {"\x82\x41\\LonWorks", true});
}

}  // namespace
}  // namespace korva
