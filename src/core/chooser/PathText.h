#pragma once
// Character-wise helpers for 8-bit path texts in the ANSI code page: a byte that opens a
// double-byte character takes the next byte with it, so a trail byte equal to '\' or ':'
// is never taken for a separator.
#include <cstddef>
#include <string>

#include "core/common/CodePage.h"

namespace korva::pathtext {

inline constexpr std::size_t npos = std::string::npos;

// Length in bytes of the character that starts at `pos`.
inline std::size_t CharLength(const std::string& text, std::size_t pos, const CodePage& cp) {
    if (cp.IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) return 2;
    return 1;
}

// Byte index of the first single-byte character equal to `c` at or after `from` (which must
// be a character start), or npos.
inline std::size_t FindFirst(const std::string& text, char c, const CodePage& cp, std::size_t from = 0) {
    for (std::size_t i = from; i < text.size(); i += CharLength(text, i, cp))
        if (text[i] == c) return i;
    return npos;
}

// Byte index of the last single-byte character that is '\' or (when `orColon`) ':', or npos.
inline std::size_t FindLastSeparator(const std::string& text, const CodePage& cp, bool orColon) {
    std::size_t found = npos;
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i, cp))
        if (text[i] == '\\' || (orColon && text[i] == ':')) found = i;
    return found;
}

// True when the last character of the text is a single-byte backslash.
inline bool EndsWithBackslash(const std::string& text, const CodePage& cp) {
    if (text.empty()) return false;
    std::size_t last = npos;
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i, cp)) last = i;
    return last == text.size() - 1 && text[last] == '\\';
}

// Number of single-byte backslashes in the text.
inline int CountBackslashes(const std::string& text, const CodePage& cp) {
    int n = 0;
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i, cp))
        if (text[i] == '\\') ++n;
    return n;
}

// Removes up to `count` characters from the front of the text.
inline std::string DropChars(const std::string& text, int count, const CodePage& cp) {
    std::size_t i = 0;
    for (int k = 0; k < count && i < text.size(); ++k) i += CharLength(text, i, cp);
    return text.substr(i);
}

// The drive part of a path: "C:" when the second character is a colon; "\\server\share"
// (up to the end of the share name) for a network path; otherwise empty.
inline std::string DrivePart(const std::string& path, const CodePage& cp) {
    if (path.size() >= 2 && path[1] == ':' && !cp.IsLeadByte(static_cast<unsigned char>(path[0])))
        return path.substr(0, 2);
    if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
        std::size_t afterServer = FindFirst(path, '\\', cp, 2);
        if (afterServer == npos) return path;
        std::size_t afterShare = FindFirst(path, '\\', cp, afterServer + 1);
        return afterShare == npos ? path : path.substr(0, afterShare);
    }
    return {};
}

}  // namespace korva::pathtext
