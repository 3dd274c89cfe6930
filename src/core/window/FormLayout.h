#pragma once
// Arithmetic of the main window's layout and of the open-file dialog's placement, kept free
// of the window system so that it can be checked on its own.
#include "core/common/Geometry.h"

namespace korva {

// The main window is laid out in pixels for 96 dots per inch and a text height of 13.
inline constexpr int kDesignDpi = 96;
inline constexpr int kDesignTextHeight = 13;
inline constexpr int kFormFontHeight = -11;  // "MS Sans Serif" 8 points at 96 dpi

// A font height (negative: character height) given for 96 dpi, at the system's dpi.
int FontHeightForDpi(int designFontHeight, int systemDpi);

// Scales design pixels by the ratio of the text height of the window's font (at the system's
// dpi) to the design text height 13; the identity when they agree.
class FormScale {
public:
    explicit FormScale(int textHeight = kDesignTextHeight);
    int operator()(int designPixels) const;

private:
    int numerator_;
    int denominator_;
};

// Where the hook of the open-file dialog puts the dialog: centred horizontally on the whole
// monitor that shows the main window, the monitor's free height split one third above and
// two thirds below. `monitor` is left, top, width, height; the result is the dialog's left
// and top.
Point PlaceOpenDialog(const Rect& monitor, int dialogWidth, int dialogHeight);

}  // namespace korva
