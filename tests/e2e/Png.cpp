#include "Png.h"

#include <cstddef>

namespace e2e {

namespace {
unsigned long Crc(const unsigned char* p, size_t n, unsigned long c = 0xFFFFFFFFul) {
    static unsigned long table[256];
    static bool ready = false;
    if (!ready) {
        for (unsigned long i = 0; i < 256; ++i) {
            unsigned long v = i;
            for (int k = 0; k < 8; ++k) v = (v & 1) ? 0xEDB88320ul ^ (v >> 1) : v >> 1;
            table[i] = v;
        }
        ready = true;
    }
    for (size_t i = 0; i < n; ++i) c = table[(c ^ p[i]) & 0xFF] ^ (c >> 8);
    return c;
}

void Put32(std::string& out, unsigned long v) {
    out += static_cast<char>((v >> 24) & 0xFF);
    out += static_cast<char>((v >> 16) & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
    out += static_cast<char>(v & 0xFF);
}

void Chunk(std::string& out, const char* type, const std::string& data) {
    Put32(out, static_cast<unsigned long>(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    Put32(out, Crc(reinterpret_cast<const unsigned char*>(body.data()), body.size()) ^ 0xFFFFFFFFul);
}

}  // namespace

std::string EncodePng(int width, int height, const std::vector<unsigned char>& rgb) {
    // Each row is preceded by its filter type, 0: none.
    std::vector<unsigned char> rgbRows;
    rgbRows.reserve(static_cast<size_t>(height) * (static_cast<size_t>(width) * 3 + 1));
    for (int y = 0; y < height; ++y) {
        rgbRows.push_back(0);
        auto line = rgb.begin() + static_cast<ptrdiff_t>(y) * width * 3;
        rgbRows.insert(rgbRows.end(), line, line + width * 3);
    }

    std::string out("\x89PNG\r\n\x1a\n", 8);
    std::string ihdr;
    Put32(ihdr, width);
    Put32(ihdr, height);
    ihdr += std::string("\x08\x02\x00\x00\x00", 5);
    Chunk(out, "IHDR", ihdr);
    std::string z("\x78\x01", 2);
    unsigned long a = 1, b = 0;
    for (unsigned char c : rgbRows) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t pos = 0; pos < rgbRows.size() || pos == 0;) {
        size_t n = rgbRows.size() - pos;
        if (n > 65535) n = 65535;
        bool last = pos + n == rgbRows.size();
        z += static_cast<char>(last ? 1 : 0);
        z += static_cast<char>(n & 0xFF);
        z += static_cast<char>(n >> 8);
        z += static_cast<char>(~n & 0xFF);
        z += static_cast<char>((~n >> 8) & 0xFF);
        z.append(reinterpret_cast<const char*>(rgbRows.data()) + pos, n);
        pos += n;
        if (last) break;
    }
    Put32(z, (b << 16) | a);
    Chunk(out, "IDAT", z);
    Chunk(out, "IEND", "");
    return out;
}

}  // namespace e2e
