#include "core/install/LonWorksCheck.h"

namespace korva {

namespace {

// True when `offset` begins a character of `text` (not the trail byte of a double-byte one).
bool StartsCharacter(const std::string& text, std::size_t offset, const CodePage& codePage) {
    std::size_t i = 0;
    while (i < offset) i += codePage.IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    return i == offset;
}

}  // namespace

std::string CheckLonWorksPath(std::string path, const CodePage& codePage, MessagePresenter& messages) {
    std::string result;
    if (!path.empty()) {
        std::string tail = path;
        if (tail.back() == '\\') tail.pop_back();  // one trailing backslash only
        // Only the last eight characters decide. In a double-byte code page the eighth byte
        // from the end may be the trail half of a character, which then does not end in
        // LonWorks at all.
        bool whole = true;
        if (tail.size() > 8) {
            whole = StartsCharacter(tail, tail.size() - 8, codePage);
            tail.erase(0, tail.size() - 8);
        }
        if (whole && codePage.Upper(std::move(tail)) == "LONWORKS") result = std::move(path);
    }
    if (result.empty()) messages.ShowMessage(kLonWorksWarning);
    return result;
}

bool IsDevicePath(const std::string& path) {
    if (path.size() < 4) return false;
    std::string head = path.substr(0, 4);
    for (char& c : head)
        if (c == '/') c = '\\';
    return head == "\\\\?\\" || head == "\\\\.\\" || head == "\\??\\";
}

}  // namespace korva
