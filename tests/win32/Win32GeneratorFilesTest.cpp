#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "core/devtools/HeaderGenerator.h"
#include "support/FileBytes.h"
#include "win32/Win32GeneratorFiles.h"

namespace korva {
namespace {

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

// A fresh folder under the temporary folder for each test, removed afterwards.
class GeneratorFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = scratch_.Path();
        ASSERT_NE(dir_, "");
        base_ = dir_ + "\\R7716.";
    }

    static std::string Pattern(std::size_t n) {
        std::string s(n, '\0');
        for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
        return s;
    }
    static std::string SectionOf(const char* ext, const std::string& bytes) {
        std::string section;
        AppendHeaderSection(section, ext, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
        return section;
    }

    testing::ScratchFolder scratch_{"genfiles"};
    std::string dir_, base_;
    Win32GeneratorFiles files_;
};

TEST_F(GeneratorFilesTest, ReadsWholeFilesOfAnySize) {
    for (std::size_t n : {std::size_t{0}, std::size_t{1}, std::size_t{65536}, std::size_t{200000}, std::size_t{200001},
                          std::size_t{700001}}) {
        const std::string bytes = Pattern(n);
        ASSERT_TRUE(WriteFileBytes(base_ + "fpt", bytes));
        const auto got = files_.ReadWhole(base_ + "fpt");
        ASSERT_TRUE(got.has_value()) << n;
        EXPECT_EQ(std::string(got->begin(), got->end()), bytes) << n;
    }
}

TEST_F(GeneratorFilesTest, MissingLockedOrFolderSourceReadsAsNothing) {
    EXPECT_FALSE(files_.ReadWhole(base_ + "enu").has_value());

    ASSERT_TRUE(WriteFileBytes(base_ + "fmt", "abc"));
    // Another program holds the source open without sharing: the open, which asks for no
    // sharing either, fails.
    const HANDLE held = CreateFileA((base_ + "fmt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files_.ReadWhole(base_ + "fmt").has_value());
    CloseHandle(held);
    EXPECT_TRUE(files_.ReadWhole(base_ + "fmt").has_value());

    ASSERT_TRUE(CreateDirectoryA((base_ + "xif").c_str(), nullptr));
    EXPECT_FALSE(files_.ReadWhole(base_ + "xif").has_value());
}

TEST_F(GeneratorFilesTest, HeldSourceGivesEmptySectionOthersAreWritten) {
    const std::string xif = "abc", typ = Pattern(12);
    ASSERT_TRUE(WriteFileBytes(base_ + "xif", xif));
    ASSERT_TRUE(WriteFileBytes(base_ + "typ", typ));
    const HANDLE held = CreateFileA((base_ + "typ").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const bool ok = GenerateHeader(base_ + "xif", files_);
    CloseHandle(held);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ReadFileBytes(base_ + "h"), SectionOf("xif", xif) + "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(GeneratorFilesTest, ExistingHeaderIsReplacedWhole) {
    ASSERT_TRUE(WriteFileBytes(base_ + "h", std::string(5000, 'x')));
    ASSERT_TRUE(WriteFileBytes(base_ + "fmt", "\xFF"));
    ASSERT_TRUE(GenerateHeader(base_ + "xif", files_));
    EXPECT_EQ(ReadFileBytes(base_ + "h"),
              "\r\n\r\n\r\n\r\n\r\n\r\n"
              "int fmtlen = 1;\r\nchar fmt[1]={\r\n0xFF};\r\n\r\n\r\n\r\n");
}

TEST_F(GeneratorFilesTest, SourceAboveTwoHundredThousandBytesIsReadWhole) {
    const std::string fpt = Pattern(250007);
    ASSERT_TRUE(WriteFileBytes(base_ + "fpt", fpt));
    ASSERT_TRUE(GenerateHeader(base_ + "xif", files_));
    const std::string header = ReadFileBytes(base_ + "h").value_or("<missing>");
    EXPECT_EQ(header, "\r\n\r\n\r\n\r\n" + SectionOf("fpt", fpt) + "\r\n\r\n\r\n\r\n");
    EXPECT_EQ(header.compare(8, 42, "int fptlen = 250007;\r\nchar fpt[250007]={\r\n"), 0);
}

TEST_F(GeneratorFilesTest, HeaderThatCannotBeCreatedIsReported) {
    // The header's name is taken by a folder, and another one lies in a folder that does not exist.
    ASSERT_TRUE(CreateDirectoryA((base_ + "h").c_str(), nullptr));
    EXPECT_FALSE(files_.WriteWhole(base_ + "h", "abc"));
    RemoveDirectoryA((base_ + "h").c_str());
    EXPECT_FALSE(GenerateHeader(dir_ + "\\no such folder\\R7716.xif", files_));

    // A header held open by another program cannot be replaced; it is left as it was.
    ASSERT_TRUE(WriteFileBytes(base_ + "h", "old"));
    const HANDLE held = CreateFileA((base_ + "h").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(GenerateHeader(base_ + "xif", files_));
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(base_ + "h"), "old");
}

}  // namespace
}  // namespace korva
