#pragma once
// The payload header R7716.h: its section format and the generator that writes it from
// the five source files beside the name in the path field.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korva {

// Appends the header section for extension `ext` and the source's bytes to `out`:
// "int <ext>len = <count>;" and "char <ext>[<count>]={", then the bytes as 0xHH (upper-case
// digits) separated by commas, ten to a line, then "};" and an empty line; every line ends in
// CR LF. An empty source gives "\r\n\r\n".
void AppendHeaderSection(std::string& out, std::string_view ext, const unsigned char* bytes, std::size_t count);

// The source extensions in header order.
inline constexpr const char* kSourceExtensions[5] = {"xif", "enu", "fpt", "fmt", "typ"};

// File access of the generator.
class GeneratorFiles {
public:
    virtual ~GeneratorFiles() = default;
    // The whole file, or nothing when it is missing or cannot be read.
    virtual std::optional<std::vector<unsigned char>> ReadWhole(const std::string& name) = 0;
    // Replaces the file with `bytes`; false on failure.
    virtual bool WriteWhole(const std::string& name, const std::string& bytes) = 0;
};

// The base name: the path field less its last three characters (all of it when shorter).
std::string HeaderBaseName(const std::string& pathField);

// Generates the header from the five sources next to `pathField`, base name + the source
// extension, each read whole (a missing or unreadable one gives an empty section), and
// writes it as base name + "h", or as `outputName` when given. Reports nothing; returns
// false when the header could not be written.
bool GenerateHeader(const std::string& pathField, GeneratorFiles& files,
                    const std::optional<std::string>& outputName = std::nullopt);

}  // namespace korva
