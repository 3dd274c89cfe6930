#include <gtest/gtest.h>

#include "core/common/Geometry.h"

namespace korva {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero) {
    struct Case {
        int a, b, c, r;
    } cases[] = {
        {8, 6, 4, 12}, {50, 6, 4, 75}, {10, 13, 8, 16}, {14, 13, 8, 23}, {8, 13, 8, 13},
        {1, 1, 2, 1},  {-1, 1, 2, -1}, {3, 1, 2, 2},    {5, 1, 4, 1},    {1, 1, 0, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.r) << c.a << '*' << c.b << '/' << c.c;
}

}  // namespace
}  // namespace korva
