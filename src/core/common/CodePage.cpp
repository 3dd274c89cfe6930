#include "core/common/CodePage.h"

namespace korva {

std::string AsciiCodePage::Upper(std::string text) const {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string AsciiCodePage::Lower(std::string text) const {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

}  // namespace korva
