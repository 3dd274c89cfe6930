#include "win32/Win32GeneratorFiles.h"

#include <windows.h>

#include "win32/HandleBytes.h"
#include "win32/Scoped.h"

namespace korva {

std::optional<std::vector<unsigned char>> Win32GeneratorFiles::ReadWhole(const std::string& name) {
    ScopedHandle file(
        CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    const bool read = ReadToEnd(file.Get(), bytes);
    if (!file.Close() || !read) return std::nullopt;
    return std::vector<unsigned char>(bytes.begin(), bytes.end());
}

bool Win32GeneratorFiles::WriteWhole(const std::string& name, const std::string& bytes) {
    ScopedHandle file(
        CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    const bool written = WriteAll(file.Get(), bytes.data(), bytes.size());
    const bool ok = file.Close() && written;
    // Leave no truncated header behind: a half-written one would look like a valid build input.
    if (!ok) DeleteFileA(name.c_str());
    return ok;
}

}  // namespace korva
