#pragma once
// OpenDialog: the main window's open-file dialog. It keeps the name chosen last for the
// life of the window and fills it into the dialog when it opens again.
#include <windows.h>

#include <string>

#include "core/common/Geometry.h"

namespace korva {

// The area of a monitor that the dialog is placed on.
Rect DialogArea(const MONITORINFO& monitor);

class OpenDialog {
public:
    // Shows the platform's open-file dialog, owned by the application window and placed on the
    // monitor of `mainWindow`. True when a file was confirmed (FileName() then holds its full
    // name); false on Cancel or when the dialog failed.
    bool Execute(HWND mainWindow);
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};

}  // namespace korva
