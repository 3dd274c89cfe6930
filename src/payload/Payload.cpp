#include "payload/Payload.h"

#include <cstdint>

// The objects of the payload header, defined in payload_data.c.
extern "C" {
extern int xiflen, enulen, fptlen, fmtlen, typlen;
extern char xif[], enu[], fpt[], fmt[], typ[];
}

namespace korva {
namespace {

ResourceImage Image(const char* bytes, int length) {
    return ResourceImage{reinterpret_cast<const unsigned char*>(bytes), static_cast<std::uint32_t>(length)};
}

}  // namespace

const Payload& EmbeddedPayload() {
    static const Payload payload{Image(xif, xiflen), Image(enu, enulen), Image(fpt, fptlen), Image(fmt, fmtlen),
                                 Image(typ, typlen)};
    return payload;
}

}  // namespace korva
