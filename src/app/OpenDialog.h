#pragma once
// TOpenDialog: the main window's open-file dialog dlg_open. It keeps FileName, the name
// chosen last, for the life of the window and fills it into the dialog when it opens.
#include <windows.h>

#include <string>

namespace korva {

class TOpenDialog {
public:
    std::string FileName;

    // Shows the platform's open-file dialog owned by `owner`. True when a file was confirmed
    // (FileName then holds its full name); false on Cancel or when the dialog failed.
    bool Execute(HWND owner);
};

}  // namespace korva
