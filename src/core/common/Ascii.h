#pragma once
// Case folding of the ASCII letters alone: A-Z and a-z change case, every other byte stays
// as it is. Drive letters are folded this way; the locale-aware casing of 8-bit text is the
// code page's (CodePage::Upper and Lower).
#include <string>

namespace korva {

constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string AsciiUpper(std::string text) {
    for (char& c : text) c = AsciiUpper(c);
    return text;
}

inline std::string AsciiLower(std::string text) {
    for (char& c : text) c = AsciiLower(c);
    return text;
}

}  // namespace korva
