#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/devtools/HeaderGenerator.h"

namespace korva {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes Sequence(std::size_t n, unsigned seed = 1) {
    Bytes b(n);
    unsigned x = seed;
    for (auto& v : b) {
        x = x * 1103515245u + 12345u;
        v = static_cast<unsigned char>(x >> 16);
    }
    return b;
}

Bytes FromText(const std::string& s) { return Bytes(s.begin(), s.end()); }

// One byte as the header writes it: "0x" and two upper-case digits.
std::string Hex(unsigned char byte) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", byte);
    return buf;
}

// The format taken rule by rule, one printf per piece: a second, deliberately naive writer.
std::string NaiveSection(const std::string& ext, const Bytes& b) {
    if (b.empty()) return "\r\n\r\n";
    char buf[64];
    std::string s;
    std::snprintf(buf, sizeof buf, "int %slen = %lu;\r\n", ext.c_str(), static_cast<unsigned long>(b.size()));
    s += buf;
    std::snprintf(buf, sizeof buf, "char %s[%lu]={\r\n", ext.c_str(), static_cast<unsigned long>(b.size()));
    s += buf;
    for (std::size_t i = 0; i < b.size(); ++i) {
        std::snprintf(buf, sizeof buf, "0x%02X", b[i]);
        s += buf;
        if (i != b.size() - 1) s += ",";
        if ((i + 1) % 10 == 0) s += "\r\n";
        if (i == b.size() - 1) s += "};";
    }
    return s + "\r\n\r\n";
}

std::string Section(const std::string& ext, const Bytes& b) {
    std::string out;
    AppendHeaderSection(out, ext, b.data(), b.size());
    return out;
}

std::vector<std::string> SplitLines(const std::string& s) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = s.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(s.substr(start, at - start));
    lines.push_back(s.substr(start));
    return lines;
}

// Files in memory: missing unless present, unreadable on demand, writes recorded.
class FakeFiles : public GeneratorFiles {
public:
    std::map<std::string, Bytes> files;
    std::set<std::string> unreadable;
    bool failWrites = false;
    std::vector<std::string> reads;
    std::vector<std::string> writes;

    std::optional<Bytes> ReadWhole(const std::string& name) override {
        reads.push_back(name);
        if (unreadable.count(name)) return std::nullopt;
        auto it = files.find(name);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    bool WriteWhole(const std::string& name, const std::string& bytes) override {
        writes.push_back(name);
        if (failWrites) return false;
        files[name] = FromText(bytes);
        return true;
    }
    std::string Text(const std::string& name) const {
        auto it = files.find(name);
        return it == files.end() ? std::string("<none>") : std::string(it->second.begin(), it->second.end());
    }
};

TEST(HeaderSection, EveryByteIsTwoUpperCaseDigitsWithLeadingZero) {
    struct Case {
        unsigned char in;
        const char* out;
    } cases[] = {
        {0x00, "0x00"}, {0x05, "0x05"}, {0x0A, "0x0A"}, {0x61, "0x61"}, {0x7F, "0x7F"},
        {0x80, "0x80"}, {0xAB, "0xAB"}, {0xF0, "0xF0"}, {0xFF, "0xFF"},
    };
    const std::string head = "int xiflen = 1;\r\nchar xif[1]={\r\n", tail = "};\r\n\r\n";
    for (const auto& c : cases) EXPECT_EQ(Section("xif", Bytes{c.in}), head + c.out + tail) << int(c.in);
    for (int v = 0; v < 256; ++v) {
        const auto byte = static_cast<unsigned char>(v);
        ASSERT_EQ(Section("xif", Bytes{byte}), head + Hex(byte) + tail);
    }
}

TEST(HeaderSection, WorkedExamples) {
    Bytes twelve, ten;
    for (int i = 0; i < 12; ++i) twelve.push_back(static_cast<unsigned char>(i));
    for (int i = 0; i < 10; ++i) ten.push_back(static_cast<unsigned char>(i));
    struct Case {
        const char* ext;
        Bytes bytes;
        const char* text;
    } cases[] = {
        {"xif", FromText("abc"), "int xiflen = 3;\r\nchar xif[3]={\r\n0x61,0x62,0x63};\r\n\r\n"},
        {"typ", twelve,
         "int typlen = 12;\r\nchar typ[12]={\r\n0x00,0x01,0x02,0x03,0x04,0x05,0x06,0x07,0x08,0x09,\r\n"
         "0x0A,0x0B};\r\n\r\n"},
        {"fmt", ten,
         "int fmtlen = 10;\r\nchar fmt[10]={\r\n0x00,0x01,0x02,0x03,0x04,0x05,0x06,0x07,0x08,0x09\r\n"
         "};\r\n\r\n"},
        {"fmt", Bytes{0xFF}, "int fmtlen = 1;\r\nchar fmt[1]={\r\n0xFF};\r\n\r\n"},
        {"enu", Bytes{0x80, 0x7F}, "int enulen = 2;\r\nchar enu[2]={\r\n0x80,0x7F};\r\n\r\n"},
        {"fpt", Bytes{}, "\r\n\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(Section(c.ext, c.bytes), c.text) << c.ext << " " << c.bytes.size();
}

TEST(HeaderSection, MatchesNaiveWriterAndItsLength) {
    // Around every boundary of the line and digit counts.
    const std::size_t sizes[] = {1,   2,   9,   10,   11,   19,    20,     21,     99,
                                 100, 101, 999, 1000, 1001, 65536, 200000, 200001, 250007};
    for (std::size_t n : sizes) {
        const Bytes b = Sequence(n, static_cast<unsigned>(n));
        const std::string s = Section("fpt", b);
        ASSERT_EQ(s, NaiveSection("fpt", b)) << n;
        const std::size_t d = std::to_string(n).size();
        EXPECT_EQ(s.size(), 35 + 2 * d + 5 * n + 2 * (n / 10)) << n;
    }
}

TEST(HeaderSection, TwoHundredThousandBytesGiveFullLinesAndClosingLine) {
    const Bytes b = Sequence(200000, 7);
    const std::vector<std::string> lines = SplitLines(Section("fpt", b));
    ASSERT_EQ(lines.size(), 2 + 20000 + 1 + 2u);  // declarations, byte lines, "};", "", ""
    EXPECT_EQ(lines[0], "int fptlen = 200000;");
    EXPECT_EQ(lines[1], "char fpt[200000]={");
    for (std::size_t i = 0; i < 19999; ++i) {
        ASSERT_EQ(lines[2 + i].size(), 50u) << i;
        ASSERT_EQ(lines[2 + i].back(), ',') << i;
    }
    // The last line is full too; its last entry has no comma, and "};" follows on a line of its own.
    std::string last;
    for (std::size_t i = 199990; i < 200000; ++i) last += Hex(b[i]) + (i == 199999 ? "" : ",");
    EXPECT_EQ(lines[2 + 19999], last);
    EXPECT_EQ(lines[20002], "};");
    EXPECT_EQ(lines[20003], "");
    EXPECT_EQ(lines[20004], "");
}

TEST(HeaderSection, AppendsAfterExistingText) {
    std::string out = "\r\n\r\n";
    AppendHeaderSection(out, "enu", Bytes{0x01}.data(), 1);
    EXPECT_EQ(out, "\r\n\r\nint enulen = 1;\r\nchar enu[1]={\r\n0x01};\r\n\r\n");
}

TEST(HeaderBaseName, DropsTheLastThreeCharacters) {
    struct Case {
        const char* field;
        const char* base;
    } cases[] = {
        {"D:\\src\\R7716.xif", "D:\\src\\R7716."},
        {"R7716.XIF", "R7716."},
        {"D:\\a\\x.abcd", "D:\\a\\x.a"},
        {"C:\\LonWorks", "C:\\LonWo"},
        {"abc", ""},
        {"ab", "ab"},
        {"a", "a"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(HeaderBaseName(c.field), c.base) << c.field;
}

TEST(GenerateHeader, NamesOfHeaderAndSources) {
    struct Case {
        const char* field;
        const char* header;
        const char* firstSource;
    } cases[] = {
        {"D:\\src\\R7716.xif", "D:\\src\\R7716.h", "D:\\src\\R7716.xif"},
        {"R7716.XIF", "R7716.h", "R7716.xif"},
        {"D:\\a\\x.abcd", "D:\\a\\x.ah", "D:\\a\\x.axif"},
        {"C:\\LonWorks", "C:\\LonWoh", "C:\\LonWoxif"},
        {"ab", "abh", "abxif"},
        {"", "h", "xif"},
    };
    for (const auto& c : cases) {
        FakeFiles files;
        ASSERT_TRUE(GenerateHeader(c.field, files)) << c.field;
        const std::string base = HeaderBaseName(c.field);
        EXPECT_EQ(files.reads,
                  (std::vector<std::string>{base + "xif", base + "enu", base + "fpt", base + "fmt", base + "typ"}))
            << c.field;
        EXPECT_EQ(files.reads.front(), c.firstSource);
        ASSERT_EQ(files.writes, std::vector<std::string>{c.header}) << c.field;
        // No source exists at any of these names: five empty sections, 20 bytes.
        EXPECT_EQ(files.Text(c.header), "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n") << c.field;
    }
}

TEST(GenerateHeader, WorkedExampleGivesSixtyEightBytes) {
    FakeFiles files;
    files.files["D:\\src\\R7716.xif"] = FromText("abc");
    ASSERT_TRUE(GenerateHeader("D:\\src\\R7716.xif", files));
    const std::string header = files.Text("D:\\src\\R7716.h");
    EXPECT_EQ(header,
              "int xiflen = 3;\r\nchar xif[3]={\r\n0x61,0x62,0x63};\r\n\r\n"
              "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(header.size(), 68u);
}

TEST(GenerateHeader, SectionsInFixedOrderWhateverTheSources) {
    const std::string base = "/r/R7716.";
    const Bytes xif = Sequence(29449, 1), enu = Sequence(13528, 2), fpt = Sequence(200000, 3), fmt = Sequence(1368, 4),
                typ = Sequence(7261, 5);
    FakeFiles files;
    files.files[base + "typ"] = typ;
    files.files[base + "fmt"] = fmt;
    files.files[base + "fpt"] = fpt;
    files.files[base + "enu"] = enu;
    files.files[base + "xif"] = xif;
    ASSERT_TRUE(GenerateHeader(base + "xif", files));
    EXPECT_EQ(files.Text(base + "h"), NaiveSection("xif", xif) + NaiveSection("enu", enu) + NaiveSection("fpt", fpt) +
                                          NaiveSection("fmt", fmt) + NaiveSection("typ", typ));
}

TEST(GenerateHeader, MissingUnreadableOrEmptySourceGivesEmptySection) {
    const std::string base = "D:\\src\\R7716.";
    const Bytes some = FromText("xyz");
    for (const char* ext : kSourceExtensions) {
        for (int how = 0; how < 3; ++how) {  // 0 missing, 1 unreadable, 2 empty
            FakeFiles files;
            std::string expected;
            for (const char* other : kSourceExtensions) {
                if (std::string(other) == ext) {
                    if (how == 1) files.files[base + other] = some, files.unreadable.insert(base + other);
                    if (how == 2) files.files[base + other] = Bytes{};
                    expected += "\r\n\r\n";
                } else {
                    files.files[base + other] = some;
                    expected += NaiveSection(other, some);
                }
            }
            ASSERT_TRUE(GenerateHeader(base + "xif", files));
            EXPECT_EQ(files.Text(base + "h"), expected) << ext << " case " << how;
        }
    }
}

TEST(GenerateHeader, SourceAboveTwoHundredThousandBytesIsReadWhole) {
    // Such a source used to be cut at 200000 bytes while the section claimed a complete file.
    const Bytes big = Sequence(200001, 11);
    FakeFiles files;
    files.files["R7716.fpt"] = big;
    ASSERT_TRUE(GenerateHeader("R7716.xif", files));
    const std::string header = files.Text("R7716.h");
    EXPECT_EQ(header, "\r\n\r\n\r\n\r\n" + NaiveSection("fpt", big) + "\r\n\r\n\r\n\r\n");
    EXPECT_NE(header.find("int fptlen = 200001;\r\nchar fpt[200001]={\r\n"), std::string::npos);
    EXPECT_NE(header.find("\r\n" + Hex(big[200000]) + "};\r\n\r\n"), std::string::npos);
}

TEST(GenerateHeader, SecondRunReplacesTheHeader) {
    FakeFiles files;
    files.files["R7716.xif"] = FromText("abc");
    ASSERT_TRUE(GenerateHeader("R7716.xif", files));
    files.files["R7716.xif"] = FromText("Z");
    ASSERT_TRUE(GenerateHeader("R7716.xif", files));
    EXPECT_EQ(files.Text("R7716.h"),
              "int xiflen = 1;\r\nchar xif[1]={\r\n0x5A};\r\n\r\n"
              "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(files.writes.size(), 2u);
}

TEST(GenerateHeader, ExplicitOutputNameAndFailedWrite) {
    FakeFiles files;
    files.files["src/R7716.fmt"] = Bytes{0xFF};
    ASSERT_TRUE(GenerateHeader("src/R7716.xif", files, std::string("out/R7716.h")));
    EXPECT_EQ(files.writes, std::vector<std::string>{"out/R7716.h"});
    EXPECT_EQ(files.Text("out/R7716.h"),
              "\r\n\r\n\r\n\r\n\r\n\r\n"
              "int fmtlen = 1;\r\nchar fmt[1]={\r\n0xFF};\r\n\r\n\r\n\r\n");
    EXPECT_EQ(files.files.count("src/R7716.h"), 0u);

    files.failWrites = true;
    EXPECT_FALSE(GenerateHeader("src/R7716.xif", files));
}

}  // namespace
}  // namespace korva
