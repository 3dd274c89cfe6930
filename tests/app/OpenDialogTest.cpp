#include <gtest/gtest.h>

#include <windows.h>

#include "app/OpenDialog.h"
#include "core/window/FormLayout.h"

namespace korva {
namespace {

// The dialog goes onto the whole monitor, whatever share of it the task bar or other programs
// keep for themselves: the work area only differs from it there.
TEST(OpenDialogPlacement, TakesTheWholeMonitorNotItsWorkArea) {
    struct Case {
        const char* name;
        RECT monitor, work;
        Point dialogAt;  // for a dialog of 600 x 400
    };
    const Case cases[] = {
        {"task bar at the bottom", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, {660, 226}},
        {"task bar at the top", {0, 0, 1920, 1080}, {0, 40, 1920, 1080}, {660, 226}},
        {"task bar on the left", {0, 0, 1920, 1080}, {60, 0, 1920, 1080}, {660, 226}},
        {"second monitor on the left, task bar at its top", {-1280, 0, 0, 1024}, {-1280, 30, 0, 1024}, {-940, 208}},
        {"no task bar", {1920, -200, 3840, 880}, {1920, -200, 3840, 880}, {2580, 26}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        monitor.rcMonitor = c.monitor;
        monitor.rcWork = c.work;
        const Rect area = DialogArea(monitor);
        EXPECT_EQ(area, (Rect{c.monitor.left, c.monitor.top, c.monitor.right - c.monitor.left,
                              c.monitor.bottom - c.monitor.top}));
        EXPECT_EQ(PlaceOpenDialog(area, 600, 400), c.dialogAt);
    }
}

}  // namespace
}  // namespace korva
