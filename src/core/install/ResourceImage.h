#pragma once
#include <cstdint>

namespace korva {

// One embedded file: its bytes and their count, fixed for the life of the tool.
struct ResourceImage {
    const unsigned char* bytes;
    std::uint32_t length;
};

// The five images in the order the payload header holds them.
struct Payload {
    ResourceImage xif, enu, fpt, fmt, typ;
};

}  // namespace korva
