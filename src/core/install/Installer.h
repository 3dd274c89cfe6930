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
    std::string pathField;          // the text of the path field, read once at the click
    bool developerMode = false;     // FDeveloperMode
    std::string deviceFolderName;   // the text of Edit1; used only in developer mode
};

// Runs one installation. Raises Exception ("Cannot create ...", "Cannot write ...",
// "Cannot start ...") on failure; shows the success message only when everything worked.
void RunInstallation(const InstallRequest& request, const Payload& payload, InstallPlatform& platform,
                     const CodePage& codePage, MessagePresenter& messages);

// The bytes of loninst.cmd for a device folder.
std::string CatalogCommandLine(const std::string& deviceFolder);

}  // namespace korva
