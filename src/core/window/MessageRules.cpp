#include "core/window/MessageRules.h"

#include <algorithm>

namespace korva {

std::string ErrorBoxText(const std::string& message, const CodePage& codePage) {
    if (message.empty()) return message;
    // Walk character by character so that a trail byte is never taken for a character.
    std::size_t last = 0;
    for (std::size_t i = 0; i < message.size();) {
        last = i;
        i += (codePage.IsLeadByte(static_cast<unsigned char>(message[i])) && i + 1 < message.size()) ? 2 : 1;
    }
    const bool doubleByte = message.size() - last == 2;
    if (doubleByte || static_cast<unsigned char>(message[last]) > static_cast<unsigned char>('.')) return message + ".";
    return message;
}

SimpleBoxLayout ComputeSimpleBoxLayout(const SimpleBoxInput& in) {
    const int unitX = in.alphabetWidth / 52;
    const int unitY = in.alphabetHeight;
    const int marginX = MulDiv(8, unitX, 4);
    const int marginY = MulDiv(8, unitY, 8);
    const int gap = MulDiv(10, unitY, 8);
    const int buttonHeight = MulDiv(14, unitY, 8);
    const int buttonWidth = std::max(MulDiv(50, unitX, 4), in.okCaptionWidth + 8);
    SimpleBoxLayout l{};
    l.clientWidth = std::max(in.textWidth, buttonWidth) + 2 * marginX;
    l.clientHeight = in.textHeight + buttonHeight + gap + 2 * marginY;
    l.text = {marginX, marginY, in.textWidth, in.textHeight};
    l.button = {(l.clientWidth - buttonWidth) / 2, in.textHeight + marginY + gap, buttonWidth, buttonHeight};
    return l;
}

}  // namespace korva
