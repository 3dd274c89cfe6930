#include "StdioGeneratorFiles.h"

#include <cstdio>

namespace korva {

std::optional<std::vector<unsigned char>> StdioGeneratorFiles::ReadWhole(const std::string& name) {
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (f == nullptr) return std::nullopt;
    std::vector<unsigned char> bytes;
    constexpr std::size_t kChunk = 1 << 16;
    for (;;) {
        const std::size_t have = bytes.size();
        bytes.resize(have + kChunk);
        const std::size_t got = std::fread(bytes.data() + have, 1, kChunk, f);
        bytes.resize(have + got);
        if (got < kChunk) break;
    }
    // A read error (a folder, an I/O fault) makes the source unreadable, not shorter.
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return std::nullopt;
    return bytes;
}

bool StdioGeneratorFiles::WriteWhole(const std::string& name, const std::string& bytes) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    // Leave no truncated header behind: a half-written one would look like a valid build input.
    if (!ok) std::remove(name.c_str());
    return ok;
}

}  // namespace korva
