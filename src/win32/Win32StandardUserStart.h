#pragma once
// A command started with a standard user's rights on Windows, as StandardUserStartFor plans
// it: its restricted token, its window station and desktop where the plan names one of its
// own, its folder for temporary files and the environment that names that folder. What the
// command uses is held until it has ended.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/install/InstallPlatform.h"
#include "win32/Scoped.h"

namespace korva {

// A SID as text: "S-1-5-18"; empty for none.
std::string SidText(PSID sid);
// What GetTokenInformation gives for `kind`, in a buffer of its size; empty when it fails.
std::vector<BYTE> TokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS kind);

// The facts of this process for the plan (the window station's name is asked of user32, which
// is loaded only then: the console installer does not import it).
StartFacts StandardUserStartFacts();

class StandardUserChild {
public:
    // Makes the token, the window station and desktop and the folder for temporary files; a
    // step that fails is what Start then reports.
    explicit StandardUserChild(const StandardUserStart& plan);
    // Closes the window station and desktop, and removes the folder for temporary files with
    // what the command left there (never through a link, never anything outside it).
    ~StandardUserChild();
    StandardUserChild(const StandardUserChild&) = delete;
    StandardUserChild& operator=(const StandardUserChild&) = delete;

    // CreateProcessAsUserA of the command line with the token, desktop (set in `startup`) and
    // environment made for it. Never with more rights: a step that failed starts nothing.
    StartFailure Start(std::string commandLine, DWORD flags, bool inheritHandles, STARTUPINFOA& startup,
                       PROCESS_INFORMATION& process);

private:
    StartFailure Prepare(const StandardUserStart& plan);

    StartFailure prepared_;
    ScopedHandle token_;
    HWINSTA station_ = nullptr;
    HDESK desktop_ = nullptr;
    std::string desktopName_;
    ScopedHandle tempHold_;
    std::string tempFolder_;  // set once made and held
    std::wstring environment_;
};

// Holds `child` until the process has ended, on a thread of its own, for a caller that does
// not wait; takes the process handle over.
void KeepUntilEnded(std::unique_ptr<StandardUserChild> child, HANDLE process);

}  // namespace korva
