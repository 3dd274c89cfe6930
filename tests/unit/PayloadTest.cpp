#include <gtest/gtest.h>

#include <string>

#include "payload/Payload.h"
#include "support/FileBytes.h"

namespace korva {
namespace {

TEST(EmbeddedPayload, EachImageIsItsSourceFileByteForByte) {
    const Payload& p = EmbeddedPayload();
    struct Case {
        const char* ext;
        const ResourceImage& image;
        std::uint32_t length;
    } cases[] = {
        {"xif", p.xif, 29449}, {"enu", p.enu, 13528}, {"fpt", p.fpt, 200000},
        {"fmt", p.fmt, 1368},  {"typ", p.typ, 7261},
    };
    std::uint32_t total = 0;
    for (const auto& c : cases) {
        const auto file = testsupport::ReadFileBytes(std::string(R7716_RESOURCE_DIR) + "/R7716." + c.ext);
        ASSERT_TRUE(file) << c.ext;
        ASSERT_EQ(file->size(), c.length) << c.ext;
        ASSERT_EQ(c.image.length, c.length) << c.ext;
        ASSERT_NE(c.image.bytes, nullptr) << c.ext;
        EXPECT_TRUE(*file == std::string(reinterpret_cast<const char*>(c.image.bytes), c.image.length)) << c.ext;
        total += c.image.length;
    }
    EXPECT_EQ(total, 251606u);
}

TEST(EmbeddedPayload, TextImagesKeepCrLfAndBinaryImagesHoldHighBytes) {
    const Payload& p = EmbeddedPayload();
    auto count = [](const ResourceImage& im, auto pred) {
        std::size_t n = 0;
        for (std::uint32_t i = 0; i < im.length; ++i) n += pred(im, i) ? 1 : 0;
        return n;
    };
    auto lf = [](const ResourceImage& im, std::uint32_t i) { return im.bytes[i] == '\n'; };
    auto crlf = [](const ResourceImage& im, std::uint32_t i) {
        return im.bytes[i] == '\n' && i > 0 && im.bytes[i - 1] == '\r';
    };
    EXPECT_EQ(count(p.xif, lf), 1512u);
    EXPECT_EQ(count(p.xif, crlf), 1512u);
    EXPECT_EQ(count(p.fmt, lf), 24u);
    EXPECT_EQ(count(p.fmt, crlf), 24u);
    // Values above 0x7F come through unchanged (no sign extension or clipping on the way).
    for (const ResourceImage* im : {&p.enu, &p.fpt, &p.typ}) {
        EXPECT_GT(count(*im, [](const ResourceImage& m, std::uint32_t i) { return m.bytes[i] > 0x7F; }), 0u);
        EXPECT_EQ(im->bytes[255], 0u);
        EXPECT_EQ(im->bytes[767], 0u);
    }
    EXPECT_EQ(p.fpt.bytes[0x300 + 4], 0x9Fu);  // the program ID's first byte in the first record
}

}  // namespace
}  // namespace korva
