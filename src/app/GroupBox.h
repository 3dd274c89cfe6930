#pragma once
// The developer group's container: a child window drawing a group frame with its caption on
// its own background colour. It passes the notifications of its children (commands, colours,
// owner drawing) on to its parent, so the main window handles them all in one place.
#include <windows.h>

#include "app/ControlIds.h"

namespace korva {

inline constexpr const char* kGroupBoxClass = R7716_GROUP_CLASS;

// Registers the class once per process; false when that failed.
bool RegisterGroupBoxClass(HINSTANCE instance);

// Creates a group box with `caption`, drawn on `background` (owned by the caller, which
// keeps it alive as long as the box).
HWND CreateGroupBox(HWND parent, int id, const char* caption, int left, int top, int width, int height,
                    DWORD extraStyle, HBRUSH background, HFONT font);

}  // namespace korva
