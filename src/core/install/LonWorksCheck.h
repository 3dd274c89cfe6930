#pragma once
#include <string>

#include "core/common/CodePage.h"
#include "core/common/MessagePresenter.h"

namespace korva {

inline constexpr const char* kLonWorksWarning =
    "Warning:\rThe path to the LonWorks folder is not correct.\rThe operation was not complete.";

// Returns `path` unchanged when, with one trailing backslash set aside, its last eight
// characters read LonWorks in any case; otherwise shows the warning and returns "".
std::string CheckLonWorksPath(std::string path, const CodePage& codePage, MessagePresenter& messages);

// A path the system takes as it stands (\\?\C:\..., \??\C:\...) or as a device (\\.\C:\...), also
// written with /: the files could be written there, but the command interpreter cannot run a
// command file from it, so such a folder could never be registered in the catalog.
bool IsDevicePath(const std::string& path);

}  // namespace korva
