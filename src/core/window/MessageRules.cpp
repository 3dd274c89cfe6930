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
    if (doubleByte || static_cast<unsigned char>(message[last]) > static_cast<unsigned char>('.'))
        return message + ".";
    return message;
}

SimpleBoxLayout ComputeSimpleBoxLayout(const SimpleBoxInput& in) {
    SimpleBoxLayout l{};
    l.unitX = in.alphabetWidth / 52;
    l.unitY = in.alphabetHeight;
    l.marginX = MulDiv(8, l.unitX, 4);
    l.marginY = MulDiv(8, l.unitY, 8);
    l.gap = MulDiv(10, l.unitY, 8);
    l.buttonHeight = MulDiv(14, l.unitY, 8);
    l.buttonWidth = std::max(MulDiv(50, l.unitX, 4), in.okCaptionWidth + 8);
    l.clientWidth = std::max(in.textWidth, l.buttonWidth) + 2 * l.marginX;
    l.clientHeight = in.textHeight + l.buttonHeight + l.gap + 2 * l.marginY;
    l.text = {l.marginX, l.marginY, in.textWidth, in.textHeight};
    l.button = {(l.clientWidth - l.buttonWidth) / 2, in.textHeight + l.marginY + l.gap, l.buttonWidth,
                l.buttonHeight};
    return l;
}

}  // namespace korva
