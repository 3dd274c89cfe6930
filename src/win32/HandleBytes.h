#pragma once
// Whole reads and writes through an open file handle (kernel32 only), in pieces no larger
// than one ReadFile or WriteFile call takes.
#include <windows.h>

#include <cstddef>
#include <string>

namespace korva {

inline constexpr std::size_t kMaxHandleCall = 1u << 30;  // bytes asked of one ReadFile or WriteFile

// Writes all `count` bytes; false when a write fails or makes no progress.
inline bool WriteAll(HANDLE handle, const char* bytes, std::size_t count) {
    while (count > 0) {
        const DWORD chunk = static_cast<DWORD>(count < kMaxHandleCall ? count : kMaxHandleCall);
        DWORD written = 0;
        if (!WriteFile(handle, bytes, chunk, &written, nullptr) || written == 0 || written > chunk) return false;
        bytes += written;
        count -= written;
    }
    return true;
}

// Reads from the handle's position to the end of the file into `bytes`; false when a read
// fails. The buffer is sized from the file's size first where the system tells it.
inline bool ReadToEnd(HANDLE handle, std::string& bytes) {
    bytes.clear();
    LARGE_INTEGER size{};
    if (GetFileSizeEx(handle, &size) && size.QuadPart > 0 &&
        static_cast<unsigned long long>(size.QuadPart) < bytes.max_size())
        bytes.reserve(static_cast<std::size_t>(size.QuadPart) + 1);  // the read that finds the end fits too
    constexpr std::size_t kChunk = 1 << 16;
    for (;;) {
        const std::size_t have = bytes.size();
        std::size_t want = bytes.capacity() > have ? bytes.capacity() - have : kChunk;
        if (want > kMaxHandleCall) want = kMaxHandleCall;
        bytes.resize(have + want);
        DWORD got = 0;
        if (!ReadFile(handle, bytes.data() + have, static_cast<DWORD>(want), &got, nullptr) || got > want) {
            bytes.resize(have);
            return false;
        }
        bytes.resize(have + got);
        if (got == 0) return true;  // the end of the file
    }
}

}  // namespace korva
