// Fuzz target: the LonWorks folder check.
// Input: byte 0 chooses the code page (bit 0: double-byte), the rest is the path text.
// Properties: the result is the input or empty; the warning is shown once exactly when the
// result is empty, with its exact text; the path is accepted exactly when a predicate
// written here, apart from the check, says so.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "core/install/LonWorksCheck.h"
#include "support/RecordingMessages.h"

namespace {

using korva::fuzz::Characters;
using korva::fuzz::Show;

// The path ends, one trailing backslash set aside, in eight single-byte characters that
// spell lonworks without regard to case.
bool EndsInLonWorks(const std::string& path, const korva::CodePage& cp) {
    std::vector<std::string> chars = Characters(path, cp);
    if (!chars.empty() && chars.back() == "\\") chars.pop_back();
    static const char kWord[] = "lonworks";
    if (chars.size() < 8) return false;
    const std::size_t first = chars.size() - 8;
    for (std::size_t k = 0; k < 8; ++k) {
        const std::string& c = chars[first + k];
        if (c.size() != 1 || korva::AsciiLower(c[0]) != kWord[k]) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const korva::AsciiCodePage ascii;
    static const korva::fuzz::DoubleByteCodePage doubleByte;
    const bool dbcs = size > 0 && (data[0] & 1) != 0;
    const korva::CodePage& cp = dbcs ? static_cast<const korva::CodePage&>(doubleByte) : ascii;
    const std::string path = size > 0 ? std::string(reinterpret_cast<const char*>(data) + 1, size - 1) : std::string();

    korva::testsupport::RecordingMessages messages;
    const std::string result = korva::CheckLonWorksPath(path, cp, messages);

    FUZZ_CHECK(result.empty() || result == path, "path %s gave %s", Show(path).c_str(), Show(result).c_str());
    const bool accepted = !result.empty();
    const bool expected = EndsInLonWorks(path, cp);
    FUZZ_CHECK(accepted == expected, "path %s (%s code page): accepted %d, expected %d", Show(path).c_str(),
               dbcs ? "double-byte" : "single-byte", accepted, expected);
    if (accepted) {
        FUZZ_CHECK(messages.shown.empty(), "accepted path %s showed %zu boxes", Show(path).c_str(),
                   messages.shown.size());
    } else {
        FUZZ_CHECK(messages.shown.size() == 1, "refused path %s showed %zu boxes", Show(path).c_str(),
                   messages.shown.size());
        FUZZ_CHECK(messages.shown[0] ==
                       "Warning:\rThe path to the LonWorks folder is not correct.\rThe operation was not complete.",
                   "warning text %s", Show(messages.shown[0]).c_str());
    }
    return 0;
}
