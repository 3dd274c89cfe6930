#pragma once
// Shared pieces of the fuzz targets: a property check that stops the run with a message,
// the tests' double-byte code page, character-wise helpers written apart from the core's own, and
// a reader for the simple line-based inputs the targets take.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/common/CodePage.h"
#include "support/DoubleByteCodePage.h"

// Stops the run (libFuzzer then keeps the input as a crash) when a property does not hold.
#define FUZZ_CHECK(condition, ...)                                                                    \
    do {                                                                                              \
        if (!(condition)) {                                                                           \
            std::fprintf(stderr, "\nproperty failed at %s:%d: %s\n", __FILE__, __LINE__, #condition); \
            std::fprintf(stderr, __VA_ARGS__);                                                        \
            std::fprintf(stderr, "\n");                                                               \
            std::abort();                                                                             \
        }                                                                                             \
    } while (0)

namespace korva::fuzz {

using testsupport::DoubleByteCodePage;

// The characters of a text as byte strings of one or two bytes. A lead byte at the very
// end has no trail byte and stands alone.
inline std::vector<std::string> Characters(const std::string& text, const CodePage& cp) {
    std::vector<std::string> chars;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = cp.IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        chars.push_back(text.substr(i, n));
        i += n;
    }
    return chars;
}

// Byte offsets at which a character of `text` begins, plus text.size().
inline std::vector<std::size_t> CharacterStarts(const std::string& text, const CodePage& cp) {
    std::vector<std::size_t> starts;
    std::size_t at = 0;
    for (const std::string& c : Characters(text, cp)) {
        starts.push_back(at);
        at += c.size();
    }
    starts.push_back(at);
    return starts;
}

inline bool IsCharacterStart(const std::string& text, std::size_t offset, const CodePage& cp) {
    for (std::size_t s : CharacterStarts(text, cp))
        if (s == offset) return true;
    return false;
}

inline bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

inline bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Printable form of a text for failure messages.
inline std::string Show(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '"') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out + "\"";
}

// Splits the input into lines at '\n' (a final empty line included).
inline std::vector<std::string> Lines(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') lines.emplace_back();
        else lines.back() += static_cast<char>(data[i]);
    }
    return lines;
}

}  // namespace korva::fuzz
