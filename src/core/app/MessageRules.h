#pragma once
// Pure rules of the message boxes: the error box's full stop and the simple box's measures.
#include <string>

#include "ProductInfo.h"
#include "core/common/CodePage.h"

namespace korva {

inline constexpr const char* kApplicationTitle = R7716_APP_TITLE;
inline constexpr unsigned kErrorBoxFlags = 16;  // MB_OK | MB_ICONHAND

// The message as the error box shows it: "." appended when the last character compares
// greater than "." (a double-byte character always does).
std::string ErrorBoxText(const std::string& message, const CodePage& codePage);

// Win32 MulDiv: a * b / c rounded to the nearest integer (halves away from zero); -1 when c is 0.
int MulDiv(int a, int b, int c);

struct Rect {
    int left, top, width, height;
    bool operator==(const Rect&) const = default;
};

struct SimpleBoxInput {
    int alphabetWidth;    // width of "A".."Z" "a".."z" in the message font
    int alphabetHeight;   // height of that text
    int okCaptionWidth;   // width of "OK" as a single line
    int textWidth;        // the message measured word-wrapped at half the screen width
    int textHeight;
};

struct SimpleBoxLayout {
    int unitX, unitY;
    int marginX, marginY, gap;
    int buttonWidth, buttonHeight;
    int clientWidth, clientHeight;
    Rect text;
    Rect button;
    bool operator==(const SimpleBoxLayout&) const = default;
};

SimpleBoxLayout ComputeSimpleBoxLayout(const SimpleBoxInput& in);

}  // namespace korva
