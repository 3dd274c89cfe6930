#pragma once
// The main window's developer switch as fixed in the build: false in R7716Tool.exe, true in
// R7716Tool-dev.exe. Only DeveloperSwitch.cpp differs between the two programs.
namespace korva {
bool BuildDeveloperMode();
}
