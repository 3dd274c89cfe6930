#include "core/devtools/HeaderGenerator.h"

#include <cstring>
#include <iterator>

namespace korva {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// Decimal digits of `n`, written at `dst`; returns the count written.
std::size_t WriteDecimal(char* dst, std::size_t n) {
    char tmp[24];
    std::size_t len = 0;
    do {
        tmp[len++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    for (std::size_t i = 0; i < len; ++i) dst[i] = tmp[len - 1 - i];
    return len;
}

std::size_t DecimalDigits(std::size_t n) {
    std::size_t d = 1;
    while (n >= 10) {
        n /= 10;
        ++d;
    }
    return d;
}

char* Put(char* p, const char* text, std::size_t len) {
    std::memcpy(p, text, len);
    return p + len;
}

template <std::size_t N>
char* Put(char* p, const char (&literal)[N]) {
    return Put(p, literal, N - 1);
}

// The length in bytes of the header section for an extension of `extLength` characters
// and `count` source bytes (4 when `count` is 0).
std::size_t HeaderSectionLength(std::size_t extLength, std::size_t count) {
    if (count == 0) return 4;
    // "int " E "len = " n ";\r\n" + "char " E "[" n "]={\r\n" + entries + "};" + "\r\n\r\n"
    const std::size_t d = DecimalDigits(count);
    return (4 + extLength + 6 + d + 3) + (5 + extLength + 1 + d + 5)  // the declarations
           + 4 * count + (count - 1) + 2 * (count / 10)               // "0xHH", commas, line ends
           + 2 + 4;                                                   // "};" and the close
}

}  // namespace

void AppendHeaderSection(std::string& out, std::string_view ext, const unsigned char* bytes, std::size_t count) {
    const std::size_t start = out.size();
    const std::size_t length = HeaderSectionLength(ext.size(), count);
    out.resize(start + length);
    char* p = out.data() + start;
    if (count != 0) {
        char number[24];
        const std::size_t digits = WriteDecimal(number, count);
        p = Put(p, "int ");
        p = Put(p, ext.data(), ext.size());
        p = Put(p, "len = ");
        p = Put(p, number, digits);
        p = Put(p, ";\r\nchar ");
        p = Put(p, ext.data(), ext.size());
        p = Put(p, "[");
        p = Put(p, number, digits);
        p = Put(p, "]={\r\n");
        for (std::size_t i = 0; i < count; ++i) {
            const unsigned char b = bytes[i];
            p[0] = '0';
            p[1] = 'x';
            p[2] = kHexDigits[b >> 4];
            p[3] = kHexDigits[b & 0x0F];
            p += 4;
            if (i + 1 != count) *p++ = ',';
            if ((i + 1) % 10 == 0) {
                p[0] = '\r';
                p[1] = '\n';
                p += 2;
            }
        }
        p = Put(p, "};");
    }
    Put(p, "\r\n\r\n");
}

std::string HeaderBaseName(const std::string& pathField) {
    if (pathField.size() < 3) return pathField;
    return pathField.substr(0, pathField.size() - 3);
}

bool GenerateHeader(const std::string& pathField, GeneratorFiles& files, const std::optional<std::string>& outputName) {
    const std::string base = HeaderBaseName(pathField);
    // A missing or unreadable source counts as empty. Every source is read whole, so a
    // section always lists exactly the bytes of its file.
    std::optional<std::vector<unsigned char>> sources[std::size(kSourceExtensions)];
    std::size_t total = 0;
    for (std::size_t i = 0; i < std::size(kSourceExtensions); ++i) {
        sources[i] = files.ReadWhole(base + kSourceExtensions[i]);
        total += HeaderSectionLength(std::strlen(kSourceExtensions[i]), sources[i] ? sources[i]->size() : 0);
    }
    std::string header;
    header.reserve(total);
    for (std::size_t i = 0; i < std::size(kSourceExtensions); ++i) {
        const std::size_t count = sources[i] ? sources[i]->size() : 0;
        AppendHeaderSection(header, kSourceExtensions[i], count != 0 ? sources[i]->data() : nullptr, count);
    }
    return files.WriteWhole(outputName ? *outputName : base + "h", header);
}

}  // namespace korva
