#pragma once
// Pure rules of the message boxes: the error box's full stop and the simple box's measures.
#include <string>

#include "ProductInfo.h"
#include "core/common/CodePage.h"
#include "core/common/Geometry.h"

namespace korva {

inline constexpr const char* kApplicationTitle = R7716_APP_TITLE;
inline constexpr unsigned kErrorBoxFlags = 16;  // MB_OK | MB_ICONHAND

// The message as the error box shows it: "." appended when the last character compares
// greater than "." (a double-byte character always does).
std::string ErrorBoxText(const std::string& message, const CodePage& codePage);

struct SimpleBoxInput {
    int alphabetWidth;   // width of "A".."Z" "a".."z" in the message font
    int alphabetHeight;  // height of that text
    int okCaptionWidth;  // width of "OK" as a single line
    int textWidth;       // the message measured word-wrapped at half the screen width
    int textHeight;
};

struct SimpleBoxLayout {
    int clientWidth, clientHeight;
    Rect text;    // the word-wrapped message
    Rect button;  // "OK"
    bool operator==(const SimpleBoxLayout&) const = default;
};

// The font units are X = alphabet width / 52 and Y = its height; the margins are 8X/4 and
// 8Y/8, the gap above the button 10Y/8, the button 50X/4 (or its caption + 8) by 14Y/8.
SimpleBoxLayout ComputeSimpleBoxLayout(const SimpleBoxInput& in);

}  // namespace korva
