#pragma once
// Whole-file reads and writes for the tests and benchmarks, in portable C++ (binary streams),
// so that the native, the Win32 and the end-to-end tests share one pair and none of them
// reads or writes through the code it checks.
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace korva::testsupport {

// The file's bytes; nothing when it cannot be opened or read.
inline std::optional<std::string> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

// Makes `bytes` the whole file, created or emptied first; false when any of it fails.
inline bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return out.good();
}

}  // namespace korva::testsupport
