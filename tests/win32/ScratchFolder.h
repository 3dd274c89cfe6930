#pragma once
// Folders of the tests' own below the temporary folder of the machine (of the Wine prefix).
#include <string>

namespace korva::testing {

// A fresh, empty folder for the running test: "<temp>\r7716 <tag> <process id> <test name>"
// (blanks included, as paths under Program Files have them); what an earlier run left there
// is removed first. The empty text when it cannot be made.
std::string MakeScratchFolder(const std::string& tag);

// Removes a folder and everything below it; what cannot be removed stays.
void RemoveTree(const std::string& path);

}  // namespace korva::testing
