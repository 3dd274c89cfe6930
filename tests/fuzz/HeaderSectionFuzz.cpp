// Fuzz target: the payload header section writer.
// Input: byte 0 holds options (bits 1..5: which of the five sources are missing in the
// whole-header check), bytes 1..3 the extension (bytes other than a..z are mapped onto
// a..z), the rest the source's bytes.
// (Sources near the 200000-byte mark are left to the unit tests: each such run would cost
// a thousand ordinary ones.)
// Properties: the section parses back, by a small strict reader written here (each byte as
// 0x and two upper-case digits), to the same extension, count and bytes; its length is
// 35 + 2d + 5n + 2(n div 10) for a three-letter extension; an empty source gives "\r\n\r\n";
// appending keeps what stands before; the whole header is the five sections in order and
// names its sources by the base name.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "core/devtools/HeaderGenerator.h"

namespace {

using korva::fuzz::Show;

// A reader of one section: "int <ext>len = N;\r\nchar <ext>[N]={\r\n" then the entries
// "0xHH", a comma after all but the last, "\r\n" after every tenth, "};" after the last,
// and "\r\n\r\n". Returns the bytes, or nullopt with `why` set when the text breaks the form.
class SectionReader {
public:
    explicit SectionReader(const std::string& text) : text_(text) {}

    std::optional<std::vector<unsigned char>> Read(const std::string& ext, std::string& why) {
        std::vector<unsigned char> bytes;
        if (text_ == "\r\n\r\n") return bytes;
        unsigned long declared = 0, dimension = 0;
        if (!Expect("int " + ext + "len = ") || !Number(declared) || !Expect(";\r\nchar " + ext + "[") ||
            !Number(dimension) || !Expect("]={\r\n")) {
            why = "declarations at offset " + std::to_string(pos_);
            return std::nullopt;
        }
        if (declared != dimension || declared == 0) {
            why = "counts " + std::to_string(declared) + " and " + std::to_string(dimension);
            return std::nullopt;
        }
        for (unsigned long i = 0; i < declared; ++i) {
            int hi, lo;
            if (!Expect("0x") || (hi = Hex()) < 0 || (lo = Hex()) < 0) {
                why = "entry " + std::to_string(i) + " at offset " + std::to_string(pos_);
                return std::nullopt;
            }
            bytes.push_back(static_cast<unsigned char>(hi * 16 + lo));
            const bool last = i + 1 == declared;
            if ((!last && !Expect(",")) || ((i + 1) % 10 == 0 && !Expect("\r\n")) || (last && !Expect("};"))) {
                why = "separator after entry " + std::to_string(i) + " at offset " + std::to_string(pos_);
                return std::nullopt;
            }
        }
        if (!Expect("\r\n\r\n") || pos_ != text_.size()) {
            why = "end at offset " + std::to_string(pos_);
            return std::nullopt;
        }
        return bytes;
    }

private:
    bool Expect(std::string_view literal) {
        if (std::string_view(text_).substr(pos_, literal.size()) != literal) return false;
        pos_ += literal.size();
        return true;
    }
    // Decimal without sign or leading zero.
    bool Number(unsigned long& value) {
        const std::size_t start = pos_;
        value = 0;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9' && pos_ - start < 12)
            value = value * 10 + static_cast<unsigned long>(text_[pos_++] - '0');
        return pos_ > start && !(text_[start] == '0' && pos_ - start > 1);
    }
    // One upper-case hexadecimal digit.
    int Hex() {
        if (pos_ >= text_.size()) return -1;
        const char c = text_[pos_];
        int v = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (v >= 0) ++pos_;
        return v;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
};

std::size_t Digits(std::size_t n) { return std::to_string(n).size(); }

std::string Section(const std::string& ext, const unsigned char* bytes, std::size_t count) {
    std::string section;
    korva::AppendHeaderSection(section, ext, bytes, count);
    return section;
}

class MemoryFiles : public korva::GeneratorFiles {
public:
    std::optional<std::vector<unsigned char>> sources[5];
    std::vector<std::string> reads;
    std::string writtenName, written;

    std::optional<std::vector<unsigned char>> ReadWhole(const std::string& name) override {
        reads.push_back(name);
        for (int i = 0; i < 5; ++i)
            if (name == std::string("D:\\src\\R7716.") + korva::kSourceExtensions[i]) return sources[i];
        return std::nullopt;
    }
    bool WriteWhole(const std::string& name, const std::string& bytes) override {
        writtenName = name;
        written = bytes;
        return true;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const unsigned options = data[0];
    std::string ext;
    for (int i = 1; i <= 3; ++i)
        ext += data[i] >= 'a' && data[i] <= 'z' ? static_cast<char>(data[i]) : static_cast<char>('a' + data[i] % 26);
    const std::vector<unsigned char> bytes(data + 4, data + size);
    const std::size_t n = bytes.size();

    const std::string section = Section(ext, bytes.data(), n);
    if (n == 0) {
        FUZZ_CHECK(section == "\r\n\r\n", "empty source gave %s", Show(section).c_str());
    } else {
        const std::size_t expectedLength = 35 + 2 * Digits(n) + 5 * n + 2 * (n / 10);
        FUZZ_CHECK(section.size() == expectedLength, "n = %zu: section of %zu bytes, expected %zu", n, section.size(),
                   expectedLength);
    }
    std::string why;
    const auto parsed = SectionReader(section).Read(ext, why);
    FUZZ_CHECK(parsed.has_value(), "n = %zu, ext %s: the section does not parse: %s", n, ext.c_str(), why.c_str());
    FUZZ_CHECK(*parsed == bytes, "n = %zu: parsed %zu bytes that differ from the source", n, parsed->size());
    for (char c : section)
        FUZZ_CHECK((c >= 0x20 && c < 0x7F) || c == '\r' || c == '\n', "byte 0x%02X in the section",
                   static_cast<unsigned char>(c));

    // Appending keeps what stands before.
    std::string appended = "prefix";
    korva::AppendHeaderSection(appended, ext, bytes.data(), n);
    FUZZ_CHECK(appended == "prefix" + section, "AppendHeaderSection changed what stood before (n = %zu)", n);

    // The whole header: five sources cut from the bytes, some missing, in their fixed order.
    {
        MemoryFiles files;
        for (std::size_t i = 0; i < 5; ++i) {
            if ((options >> (i + 1)) & 1) continue;
            files.sources[i] = std::vector<unsigned char>(bytes.begin() + static_cast<std::ptrdiff_t>(i * n / 5),
                                                          bytes.begin() + static_cast<std::ptrdiff_t>((i + 1) * n / 5));
        }
        FUZZ_CHECK(korva::GenerateHeader("D:\\src\\R7716.xif", files), "GenerateHeader reported a failure");
        FUZZ_CHECK(files.writtenName == "D:\\src\\R7716.h", "header written to %s", Show(files.writtenName).c_str());
        std::string expected;
        for (std::size_t i = 0; i < 5; ++i) {
            FUZZ_CHECK(i < files.reads.size() &&
                           files.reads[i] == std::string("D:\\src\\R7716.") + korva::kSourceExtensions[i],
                       "source %zu read as %s", i, i < files.reads.size() ? Show(files.reads[i]).c_str() : "(none)");
            const auto& s = files.sources[i];
            expected += Section(korva::kSourceExtensions[i], s && !s->empty() ? s->data() : nullptr, s ? s->size() : 0);
        }
        FUZZ_CHECK(files.written == expected, "header of %zu bytes differs from its five sections (%zu bytes)",
                   files.written.size(), expected.size());
    }
    return 0;
}
