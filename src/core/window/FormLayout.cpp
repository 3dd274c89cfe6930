#include "core/window/FormLayout.h"

namespace korva {

int FontHeightForDpi(int designFontHeight, int systemDpi) {
    if (systemDpi <= 0 || systemDpi == kDesignDpi) return designFontHeight;
    return MulDiv(designFontHeight, systemDpi, kDesignDpi);
}

FormScale::FormScale(int textHeight)
    : numerator_(textHeight > 0 ? textHeight : kDesignTextHeight), denominator_(kDesignTextHeight) {}

int FormScale::operator()(int designPixels) const {
    if (numerator_ == denominator_) return designPixels;
    return MulDiv(designPixels, numerator_, denominator_);
}

Point PlaceOpenDialog(const Rect& monitor, int dialogWidth, int dialogHeight) {
    // Integer division truncates toward zero, also when the dialog is larger than the area.
    return {monitor.left + (monitor.width - dialogWidth) / 2, monitor.top + (monitor.height - dialogHeight) / 3};
}

}  // namespace korva
