// Built into both the native and the Win32 test programs: the helpers must keep every byte
// on either system (no line-end translation, no end-of-file mark).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/FileBytes.h"

namespace korva::testsupport {
namespace {

TEST(FileBytes, WholeFileRoundTripKeepsEveryByte) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::string path = (folder / "r7716-file-bytes-test.bin").string();
    std::string everyByte, large;
    for (int v = 0; v < 256; ++v) everyByte += static_cast<char>(v);
    for (int i = 0; i < 200001; ++i) large += static_cast<char>((i * 7 + i / 256) & 0xFF);
    // In this order, so that each write also has to empty a longer file first.
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"larger than any buffer", large},
        {"line ends and the end-of-file mark",
         "a\r\nb\nc\rd\x1A"
         "e\n"},
        {"every byte value", everyByte},
        {"empty", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        const auto read = ReadFileBytes(path);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->size(), c.bytes.size());
        EXPECT_TRUE(*read == c.bytes);
    }
    std::remove(path.c_str());
    EXPECT_FALSE(ReadFileBytes(path)) << "a missing file reads as nothing";
    EXPECT_FALSE(WriteFileBytes((folder / "r7716 no such folder" / "x.bin").string(), "x"));
}

}  // namespace
}  // namespace korva::testsupport
