#include "core/common/Geometry.h"

#include <cstdint>

namespace korva {

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t q = product / c;
    const std::int64_t r = product % c;
    // Round half away from zero.
    if (2 * (r < 0 ? -r : r) >= (c < 0 ? -static_cast<std::int64_t>(c) : c)) q += ((product < 0) != (c < 0)) ? -1 : 1;
    if (q > INT32_MAX || q < INT32_MIN) return -1;
    return static_cast<int>(q);
}

}  // namespace korva
