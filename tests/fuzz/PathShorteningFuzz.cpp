// Fuzz target: path shortening.
// Input: byte 0 holds options (bit 0: double-byte code page; bit 1: a measure that weighs
// each byte, else five pixels a byte), bytes 1 and 2 the maximum width (little-endian,
// less 64, so it can be negative), the rest the path.
// Properties: a path that fits comes back unchanged; otherwise the result fits or is the
// last name alone; every result ends with the last name; every pass changes the text and
// the passes are bounded by the path's backslashes; DropFirstFolder of any non-empty text
// agrees with a character-wise reading of the rule written here.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/chooser/PathShortening.h"

namespace {

using korva::fuzz::Characters;
using korva::fuzz::EndsWith;
using korva::fuzz::Show;

int WeightedWidth(const std::string& text) {
    int width = 0;
    for (unsigned char c : text) width += c == '.' || c == '\\' ? 3 : c == 'W' || c == 'M' ? 9 : c >= 0x80 ? 7 : 5;
    return width;
}

// Everything behind the last single-byte backslash or colon.
std::string LastName(const std::string& path, const korva::CodePage& cp) {
    std::string name;
    for (const std::string& c : Characters(path, cp)) {
        if (c == "\\" || c == ":") name.clear();
        else name += c;
    }
    return name;
}

int BackslashCount(const std::string& text, const korva::CodePage& cp) {
    int n = 0;
    for (const std::string& c : Characters(text, cp)) n += c == "\\";
    return n;
}

// The first folder name, behind an optional leading backslash, gives way to "...\"; a
// text that begins with a full stop first loses four characters (an earlier marker).
std::string ExpectedDropFirstFolder(const std::string& folder, const korva::CodePage& cp) {
    if (folder == "\\") return {};
    const bool lead = folder[0] == '\\';
    const std::vector<std::string> chars = Characters(lead ? folder.substr(1) : folder, cp);
    std::size_t k = 0;
    if (!chars.empty() && chars[0] == ".") k = chars.size() < 4 ? chars.size() : 4;
    while (k < chars.size() && chars[k] != "\\") ++k;
    std::string rest;
    if (k < chars.size()) {
        rest = "...\\";
        for (std::size_t j = k + 1; j < chars.size(); ++j) rest += chars[j];
    }
    return lead ? "\\" + rest : rest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const korva::AsciiCodePage ascii;
    static const korva::fuzz::DoubleByteCodePage doubleByte;
    if (size < 3) return 0;
    const bool dbcs = (data[0] & 1) != 0;
    const bool weighted = (data[0] & 2) != 0;
    const korva::CodePage& cp = dbcs ? static_cast<const korva::CodePage&>(doubleByte) : ascii;
    const int maxWidth = (data[1] | (data[2] << 8)) - 64;
    const std::string path(reinterpret_cast<const char*>(data) + 3, size - 3);

    auto width = [weighted](const std::string& text) {
        return weighted ? WeightedWidth(text) : static_cast<int>(text.size()) * 5;
    };
    const int bound = BackslashCount(path, cp) + 2;
    std::vector<std::string> measured;
    auto measure = [&](const std::string& text) {
        measured.push_back(text);
        FUZZ_CHECK(static_cast<int>(measured.size()) <= bound, "path %s: more than %d passes", Show(path).c_str(),
                   bound);
        return width(text);
    };
    const std::string result = korva::ShortenPathToWidth(path, measure, maxWidth, cp);
    const std::string name = LastName(path, cp);

    if (width(path) <= maxWidth) {
        FUZZ_CHECK(result == path, "path %s fits %d but gave %s", Show(path).c_str(), maxWidth, Show(result).c_str());
    } else {
        FUZZ_CHECK(width(result) <= maxWidth || result == name, "path %s, max %d: result %s neither fits nor is %s",
                   Show(path).c_str(), maxWidth, Show(result).c_str(), Show(name).c_str());
    }
    FUZZ_CHECK(EndsWith(result, name), "path %s: result %s lost the name %s", Show(path).c_str(), Show(result).c_str(),
               Show(name).c_str());
    if (!measured.empty()) {
        FUZZ_CHECK(measured[0] == path, "first measure of %s was %s", Show(path).c_str(), Show(measured[0]).c_str());
    }
    for (std::size_t i = 1; i < measured.size(); ++i) {
        FUZZ_CHECK(measured[i] != measured[i - 1], "path %s: a pass left %s unchanged", Show(path).c_str(),
                   Show(measured[i]).c_str());
        FUZZ_CHECK(EndsWith(measured[i], name), "path %s: pass result %s lost the name", Show(path).c_str(),
                   Show(measured[i]).c_str());
    }

    // DropFirstFolder on the whole text as a folder part.
    if (!path.empty()) {
        const std::string dropped = korva::DropFirstFolder(path, cp);
        const std::string expected = ExpectedDropFirstFolder(path, cp);
        FUZZ_CHECK(dropped == expected, "DropFirstFolder(%s) gave %s, expected %s", Show(path).c_str(),
                   Show(dropped).c_str(), Show(expected).c_str());
        FUZZ_CHECK(BackslashCount(dropped, cp) <= BackslashCount(path, cp), "DropFirstFolder(%s) gave %s",
                   Show(path).c_str(), Show(dropped).c_str());
    }
    return 0;
}
