#include "core/chooser/PathShortening.h"

#include "core/chooser/PathText.h"

namespace korva {

std::string DropFirstFolder(const std::string& folderPart, const CodePage& cp) {
    if (folderPart == "\\") return {};
    std::string text = folderPart;
    const bool leadingBackslash = !text.empty() && text[0] == '\\';
    if (leadingBackslash) text.erase(0, 1);
    // A leading full stop is taken for the "...\" marker of an earlier pass; a folder name
    // that itself begins with a full stop loses its first four characters here, too.
    if (!text.empty() && text[0] == '.') text = pathtext::DropChars(text, 4, cp);
    const std::size_t slash = pathtext::FindFirst(text, '\\', cp);
    text = slash == pathtext::npos ? std::string() : "...\\" + text.substr(slash + 1);
    return leadingBackslash ? "\\" + text : text;
}

std::string ShortenPathToWidth(const std::string& path, const TextMeasure& measure, int maxWidth, const CodePage& cp) {
    std::string result = path;

    const std::size_t cut = pathtext::FindLastSeparator(path, cp, /*orColon=*/true);
    std::string folder = cut == pathtext::npos ? std::string() : path.substr(0, cut + 1);
    const std::string name = cut == pathtext::npos ? path : path.substr(cut + 1);
    std::string drive;
    if (folder.size() >= 2 && folder[1] == ':' && !cp.IsLeadByte(static_cast<unsigned char>(folder[0]))) {
        drive = folder.substr(0, 2);
        folder.erase(0, 2);
    }

    while ((!drive.empty() || !folder.empty()) && measure(result) > maxWidth) {
        if (folder == "\\...\\") {
            drive.clear();
            folder = "...\\";
        } else if (folder.empty()) {
            drive.clear();
        } else {
            folder = DropFirstFolder(folder, cp);
        }
        result = drive + folder + name;
    }
    return result;
}

}  // namespace korva
