#pragma once
// The installation behind the "Installation" button.
#include <string>

#include "core/common/CodePage.h"
#include "core/common/MessagePresenter.h"
#include "core/install/InstallPlatform.h"
#include "core/install/ResourceImage.h"

namespace korva {

inline constexpr const char* kInstallSuccess = "Information: The operation is successfully complete.";

struct InstallRequest {
    std::string pathField;         // the text of the path field, read once at the click
    bool developerMode = false;    // FDeveloperMode
    std::string deviceFolderName;  // the text of the folder-name box; used only in developer mode
};

// Runs one installation: checks the path field (a refused path shows the warning and ends the
// run), makes the Import, Types, Types\User and device folders, writes the five images and
// loninst.cmd, each through a temporary file beside it that then replaces the target in one
// step, makes the Types folder the working directory and starts loninst.cmd. Raises Exception
// ("Cannot create <folder>", "Cannot write <file>", "Cannot start <command file>") at the
// first failure, after which nothing more is written or started; shows the success message
// only when everything worked.
void RunInstallation(const InstallRequest& request, const Payload& payload, InstallPlatform& platform,
                     const CodePage& codePage, MessagePresenter& messages);

}  // namespace korva
