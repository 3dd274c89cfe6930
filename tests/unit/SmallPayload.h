#pragma once
// Five small images with every kind of byte a real one holds (zero bytes, 0xFF, CR LF), for
// the tests of the installation and of the console installer.
#include <string>

#include "core/install/ResourceImage.h"

namespace korva::testing {

inline const unsigned char kXif[] = {'X', 'I', 'F', '\r', '\n', 0x00, 0xFF, 'x'};
inline const unsigned char kEnu[] = {'U', 'R', 'E', 'S', 0x1A, 0x00};
inline const unsigned char kFpt[] = {'U', 'F', 'P', 'T', 0x80, 0x7F, 0x00, 0x01, 0x02};
inline const unsigned char kFmt[] = {'!', 'f', 'm', 't', '\r', '\n', ';'};
inline const unsigned char kTyp[] = {'U', 'T', 'Y', 'P', 0xFE};

inline const Payload kPayload = {
    {kXif, sizeof kXif}, {kEnu, sizeof kEnu}, {kFpt, sizeof kFpt}, {kFmt, sizeof kFmt}, {kTyp, sizeof kTyp},
};

inline std::string Bytes(const unsigned char* b, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(b), n);
}

}  // namespace korva::testing
