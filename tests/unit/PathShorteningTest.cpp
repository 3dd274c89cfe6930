#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/chooser/PathShortening.h"
#include "support/DoubleByteCodePage.h"

namespace korva {
namespace {

using testsupport::DoubleByteCodePage;

struct ShorteningCase {
    std::string path;
    std::vector<std::string> results;  // in order, each produced while the one before is too wide
};

const std::vector<ShorteningCase> kShorteningTable = {
    {"C:\\Program Files\\LonWorks\\Types", {"C:\\...\\LonWorks\\Types", "C:\\...\\Types", "...\\Types", "Types"}},
    {"C:\\A\\B\\C\\D", {"C:\\...\\B\\C\\D", "C:\\...\\C\\D", "C:\\...\\D", "...\\D", "D"}},
    {"C:\\LonWorks", {"C:LonWorks", "LonWorks"}},
    {"C:\\.a\\b\\c\\name", {"C:\\...\\c\\name", "C:\\...\\name", "...\\name", "name"}},
    {"\\\\server\\share\\dir\\sub",
     {"\\...\\server\\share\\dir\\sub", "\\...\\share\\dir\\sub", "\\...\\dir\\sub", "\\...\\sub", "...\\sub", "sub"}},
    {"C:\\", {"C:", ""}},
    {"Types", {}},
};

// When nothing ever fits, every pass runs: the measure sees the path and then every result
// but the last, and the last is returned. Once drive and folders are gone nothing is
// measured any more, so a bare name is not measured at all.
TEST(ShortenPathToWidth, NothingFitsRunsTheWholeSequence) {
    AsciiCodePage cp;
    for (const ShorteningCase& c : kShorteningTable) {
        std::vector<std::string> measured;
        auto measure = [&](const std::string& text) {
            measured.push_back(text);
            return 1000;
        };
        const std::string result = ShortenPathToWidth(c.path, measure, 10, cp);

        std::vector<std::string> expectedMeasured;
        if (!c.results.empty()) {
            expectedMeasured.push_back(c.path);
            expectedMeasured.insert(expectedMeasured.end(), c.results.begin(), c.results.end() - 1);
        }
        EXPECT_EQ(measured, expectedMeasured) << c.path;
        EXPECT_EQ(result, c.results.empty() ? c.path : c.results.back()) << c.path;
        // At most one pass per folder plus two.
        EXPECT_LE(measured.size(), c.results.size() + 1) << c.path;
    }
}

// The first result that fits is returned, and nothing is measured after it.
TEST(ShortenPathToWidth, StopsAtTheFirstResultThatFits) {
    AsciiCodePage cp;
    for (const ShorteningCase& c : kShorteningTable) {
        for (std::size_t stop = 0; stop < c.results.size(); ++stop) {
            int calls = 0;
            auto measure = [&](const std::string& text) {
                ++calls;
                return text == c.results[stop] ? 50 : 51;
            };
            EXPECT_EQ(ShortenPathToWidth(c.path, measure, 50, cp), c.results[stop]) << c.path << " stop " << stop;
            const bool last = stop + 1 == c.results.size();  // nothing left to cut: not measured
            EXPECT_EQ(calls, static_cast<int>(stop) + (last ? 1 : 2)) << c.path << " stop " << stop;
        }
    }
}

TEST(ShortenPathToWidth, WidthEqualToTheMaximumFits) {
    AsciiCodePage cp;
    auto length = [](const std::string& text) { return static_cast<int>(text.size()) * 5; };
    const std::string path = "C:\\Program Files\\LonWorks\\Types";
    const int width = static_cast<int>(path.size()) * 5;
    EXPECT_EQ(ShortenPathToWidth(path, length, width, cp), path);
    EXPECT_EQ(ShortenPathToWidth(path, length, width + 1, cp), path);
    EXPECT_EQ(ShortenPathToWidth(path, length, width - 1, cp), "C:\\...\\LonWorks\\Types");
    // C:\...\LonWorks\Types is 21 characters: exactly 105 fits, 104 goes one pass further.
    EXPECT_EQ(ShortenPathToWidth(path, length, 105, cp), "C:\\...\\LonWorks\\Types");
    EXPECT_EQ(ShortenPathToWidth(path, length, 104, cp), "C:\\...\\Types");
}

TEST(ShortenPathToWidth, NameWiderThanTheMaximumIsNeverCut) {
    AsciiCodePage cp;
    auto length = [](const std::string& text) { return static_cast<int>(text.size()); };
    EXPECT_EQ(ShortenPathToWidth("C:\\LonWorks\\AVeryLongFolderNameIndeed", length, 5, cp),
              "AVeryLongFolderNameIndeed");
    EXPECT_EQ(ShortenPathToWidth("AVeryLongFolderNameIndeed", length, 0, cp), "AVeryLongFolderNameIndeed");
    // A drive root that is itself too wide ends as the empty text.
    EXPECT_EQ(ShortenPathToWidth("C:\\", length, 1, cp), "");
    EXPECT_EQ(ShortenPathToWidth("C:\\", length, 2, cp), "C:");
}

TEST(ShortenPathToWidth, TrailByteEqualToBackslashIsNoSeparator) {
    DoubleByteCodePage dbcs;
    AsciiCodePage ascii;
    auto never = [](const std::string&) { return 1000; };
    // "\x95\x5C" is one double-byte character whose trail byte is '\'.
    const std::string name = "\x95\x5C";
    EXPECT_EQ(ShortenPathToWidth("C:\\A\\" + name, never, 0, dbcs), name);
    EXPECT_EQ(ShortenPathToWidth("C:\\A\\" + name, never, 0, ascii), "");  // taken as a separator

    // A folder name ending in such a character: the folder is dropped whole.
    std::vector<std::string> seen;
    auto record = [&](const std::string& text) {
        seen.push_back(text);
        return 1000;
    };
    ShortenPathToWidth("C:\\x" + name + "\\B\\C", record, 0, dbcs);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen[1], "C:\\...\\B\\C");
    EXPECT_EQ(seen[2], "C:\\...\\C");
}

TEST(DropFirstFolder, ReplacesTheFirstFolderByTheMarker) {
    DoubleByteCodePage cp;
    struct Case {
        std::string in, out;
    } cases[] = {
        {"\\", ""},
        {"\\Program Files\\LonWorks\\", "\\...\\LonWorks\\"},
        {"\\...\\LonWorks\\", "\\...\\"},
        {"...\\", ""},
        {"\\LonWorks\\", "\\...\\"},
        {"\\.a\\b\\c\\", "\\...\\c\\"},  // the name beginning with '.' loses four characters
        {"\\\\server\\share\\", "\\...\\server\\share\\"},
        {"Folder\\Sub\\", "...\\Sub\\"},
        {"NoSeparator", ""},
        {"\\.a", "\\"},  // fewer than four characters after the full stop
        {"\\\x95\x5C"
         "a\\b\\",
         "\\...\\b\\"},  // trail byte '\' is part of the first name
        {"\\.ab\x95\x5C"
         "x\\c\\",
         "\\...\\c\\"},  // four characters: '.', 'a', 'b', one double-byte
    };
    for (const Case& c : cases) EXPECT_EQ(DropFirstFolder(c.in, cp), c.out) << c.in;
}

}  // namespace
}  // namespace korva
