#pragma once
// The payload header R7716.h: its section format and the generator that writes it from
// the five source files beside the name in the path field.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korva {

// One byte as two upper-case hexadecimal digits ("00".."FF").
std::string ByteToHex(unsigned char byte);

// The length in bytes of the header section for an extension of `extLength` characters
// and `count` source bytes (4 when `count` is 0).
std::size_t HeaderSectionLength(std::size_t extLength, std::size_t count);

// Appends the header section for extension `ext` and the source's bytes to `out`.
void AppendHeaderSection(std::string& out, std::string_view ext, const unsigned char* bytes,
                         std::size_t count);

// The header section for extension `ext` and the source's bytes. An empty source gives "\r\n\r\n".
std::string WriteHeaderSection(std::string_view ext, const unsigned char* bytes, std::size_t count);

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

// The header text for the five sources found next to `pathField`. Every source is read
// whole; one that is missing or unreadable gives an empty section.
std::string BuildHeader(const std::string& pathField, GeneratorFiles& files);

// Generates the header: base name + "h", or `outputName` when given. Reports nothing;
// returns false when the header could not be written.
bool GenerateHeader(const std::string& pathField, GeneratorFiles& files,
                    const std::optional<std::string>& outputName = std::nullopt);

}  // namespace korva
