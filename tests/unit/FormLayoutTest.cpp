#include "core/window/FormLayout.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

TEST(FormLayoutTest, FontHeightFollowsTheSystemDpi) {
    struct Case {
        int design, dpi, expected;
    };
    const Case cases[] = {
        {-11, 96, -11},                  // design resolution: unchanged
        {-11, 120, -14},                 // -13.75 rounds away from zero
        {-11, 144, -17},                 // -16.5 rounds away from zero
        {-8, 120, -10},  {-11, 72, -8},  // -8.25
        {-11, 0, -11},                   // no dpi reported: keep the design height
    };
    for (const Case& c : cases) EXPECT_EQ(FontHeightForDpi(c.design, c.dpi), c.expected) << c.design << " at " << c.dpi;
}

TEST(FormLayoutTest, ScaleFollowsTheRatioOfTextHeights) {
    struct Case {
        int textHeight, design, expected;
    };
    const Case cases[] = {
        {13, 379, 379}, {13, 424, 424},  // the design text height changes nothing
        {16, 379, 466},                  // 466.46
        {16, 424, 522},                  // 521.85
        {16, 13, 16},   {20, 361, 555},  // 555.38
        {26, 7, 14},    {12, 424, 391},  // smaller text shrinks: 391.38
        {16, 0, 0},     {0, 379, 379},   // an unusable measure keeps the design
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormScale(c.textHeight)(c.design), c.expected) << c.design << " at text height " << c.textHeight;
}

TEST(FormLayoutTest, OpenDialogIsCentredWithAThirdOfTheFreeHeightAbove) {
    struct Case {
        Rect monitor;
        int w, h;
        Point expected;
    };
    const Case cases[] = {
        {{0, 0, 1024, 768}, 500, 300, {262, 156}},
        {{0, 0, 1024, 740}, 501, 301, {261, 146}},       // 523/2 = 261, 439/3 = 146
        {{1280, 0, 1920, 1080}, 600, 400, {1940, 226}},  // second monitor to the right
        {{-1024, 100, 1024, 768}, 500, 300, {-762, 256}},
        {{0, 0, 800, 600}, 801, 602, {0, 0}},    // -1/2 and -2/3 truncate to 0
        {{0, 0, 800, 600}, 805, 610, {-2, -3}},  // -5/2 = -2, -10/3 = -3
    };
    for (const Case& c : cases) {
        const Point p = PlaceOpenDialog(c.monitor, c.w, c.h);
        EXPECT_EQ(p, c.expected) << c.monitor.left << "," << c.monitor.top << " " << c.w << "x" << c.h << " gave "
                                 << p.x << "," << p.y;
    }
}

}  // namespace
}  // namespace korva
