#pragma once
// r7716-install.exe: the installation without a window, for software distribution systems.
// It runs the window's installation steps, then starts the command file and waits for it,
// passing its output through; every outcome has an exit code of its own (ConsoleRequest.h).
#include <string>
#include <vector>

#include "core/common/CodePage.h"
#include "core/console/ConsolePlatform.h"
#include "core/console/ConsoleRequest.h"
#include "core/install/InstallPlatform.h"
#include "core/install/Installer.h"

namespace korva {

// The exit code of an installation that ended with this failure.
ExitCode ExitCodeFor(InstallFailure failure);

// The text of --version: the program's version and the five files it carries with their lengths.
std::string VersionText(const Payload& payload);

// Runs the program on its arguments (without its own name); returns its exit code.
int RunConsole(const std::vector<std::wstring>& arguments, const Payload& payload, InstallPlatform& install,
               ConsolePlatform& console, const CodePage& codePage);

}  // namespace korva
