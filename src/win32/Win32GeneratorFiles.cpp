#include "win32/Win32GeneratorFiles.h"

#include <windows.h>

#include <algorithm>

#include "win32/Scoped.h"

namespace korva {
namespace {

constexpr std::size_t kReadChunk = 1 << 16;
constexpr std::size_t kMaxCall = 1u << 30;  // bytes asked of one ReadFile or WriteFile

}  // namespace

std::optional<std::vector<unsigned char>> Win32GeneratorFiles::ReadWhole(const std::string& name) {
    ScopedHandle file(
        CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;

    std::vector<unsigned char> bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0 &&
        static_cast<unsigned long long>(size.QuadPart) < bytes.max_size()) {
        // One byte more than the size, so the read that finds the end needs no new buffer.
        bytes.reserve(static_cast<std::size_t>(size.QuadPart) + 1);
    }
    bool ok = true;
    for (;;) {
        const std::size_t have = bytes.size();
        std::size_t want = bytes.capacity() > have ? bytes.capacity() - have : kReadChunk;
        want = std::min(want, kMaxCall);
        bytes.resize(have + want);
        DWORD got = 0;
        if (!ReadFile(file.Get(), bytes.data() + have, static_cast<DWORD>(want), &got, nullptr) || got > want) {
            ok = false;
            break;
        }
        bytes.resize(have + got);
        if (got == 0) break;  // the end of the file
    }
    if (!file.Close()) ok = false;
    if (!ok) return std::nullopt;
    return bytes;
}

bool Win32GeneratorFiles::WriteWhole(const std::string& name, const std::string& bytes) {
    ScopedHandle file(
        CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    bool ok = true;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = static_cast<DWORD>(std::min(bytes.size() - done, kMaxCall));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, want, &written, nullptr) || written == 0 || written > want) {
            ok = false;
            break;
        }
        done += written;
    }
    if (!file.Close()) ok = false;
    // Leave no truncated header behind: a half-written one would look like a valid build input.
    if (!ok) DeleteFileA(name.c_str());
    return ok;
}

}  // namespace korva
