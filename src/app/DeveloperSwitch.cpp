#include "app/DeveloperSwitch.h"

#ifndef R7716_DEVELOPER_MODE
#error "R7716_DEVELOPER_MODE must be defined by the build (0 or 1)"
#endif

namespace korva {
bool BuildDeveloperMode() { return R7716_DEVELOPER_MODE != 0; }
}  // namespace korva
