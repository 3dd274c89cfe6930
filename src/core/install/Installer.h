#pragma once
// The installation: the texts it forms, the steps that write it, and the run behind the
// "Installation" button. The window and the unattended installer run the same steps and
// differ only in how they start the command file and report the end.
#include <array>
#include <optional>
#include <string>

#include "core/common/CodePage.h"
#include "core/common/Exception.h"
#include "core/common/MessagePresenter.h"
#include "core/install/FolderFiles.h"
#include "core/install/InstallPlatform.h"
#include "core/install/ResourceImage.h"

namespace korva {

inline constexpr const char* kInstallSuccess = "Information: The operation is successfully complete.";
// What each file is written as before it replaces the target: "<file>.tmp" in its folder.
inline constexpr const char* kTempSuffix = ".tmp";

// What failed: a folder ("Cannot create"), a file ("Cannot write"), the start of the
// command file ("Cannot start"), the wait for the machine-wide installation lock while
// another installation held it, or the lock itself (its name taken by an object that refuses
// this program).
enum class InstallFailure { Folder, File, Start, Busy, LockUnusable };

// The error that ends an installation; the window shows its message, the console program
// also maps its kind to an exit code.
class InstallError : public Exception {
public:
    InstallError(InstallFailure kind, std::string message) : Exception(std::move(message)), kind_(kind) {}
    InstallFailure Kind() const noexcept { return kind_; }

private:
    InstallFailure kind_;
};

// The texts of one installation, each formed by appending to the accepted LonWorks folder
// exactly as typed (nothing is normalised).
struct InstallLayout {
    std::string lonWorks;      // <LonWorks>
    std::string importFolder;  // <LonWorks>\Import
    std::string typesFolder;   // <LonWorks>\Types
    std::string userFolder;    // <LonWorks>\Types\User
    std::string deviceFolder;  // <LonWorks>\Types\User\<device folder name>
    std::string commandFile;   // <LonWorks>\Types\loninst.cmd
};

InstallLayout LayoutFor(const std::string& lonWorks, const std::string& deviceFolderName);

// One resource file: where it goes, its name and the image it holds.
struct ResourceFile {
    std::string folder;
    const char* name;
    ResourceImage image;
    std::string Path() const { return folder + "\\" + name; }
};

// The five resource files in the order they are written: XIF, ENU, FMT, FPT, TYP.
std::array<ResourceFile, 5> ResourceFiles(const InstallLayout& layout, const Payload& payload);

// The bytes of loninst.cmd: the catalog tool's command line with the device folder in the
// OEM code page; nothing when that code page cannot spell the folder.
std::optional<std::string> CommandFileBytes(const InstallLayout& layout, const CodePage& codePage);

// Holds the machine-wide installation lock for its scope, so that one installation at a
// time writes files and runs the catalog tool, whichever program runs it. Raises
// InstallError(Busy, "Cannot <action>: another installation is running") when the lock is not
// had within `waitMs`, and InstallError(LockUnusable, ...) when it cannot be used at all.
class InstallLock {
public:
    InstallLock(InstallPlatform& platform, unsigned waitMs, const std::string& action);
    ~InstallLock() { platform_.Unlock(); }
    InstallLock(const InstallLock&) = delete;
    InstallLock& operator=(const InstallLock&) = delete;

private:
    InstallPlatform& platform_;
};

// Told of every step of an installation that succeeded, as it ends (the console's log).
class InstallSteps {
public:
    virtual ~InstallSteps() = default;
    virtual void Step(const std::string& step, const std::string& result) = 0;
};

// Writes `bytes` as the file `target` of `files`: first into `target`.tmp beside it, a file
// made new, then replaces the target in one step, so that a failure leaves any old file as it
// was. A `target`.tmp left by a run ended midway goes first; one that leads outside is left
// as it is. Raises InstallError ("Cannot write <target>") when it fails, and when the target
// leads outside (": it leads outside <folder>").
void WriteWholeFile(FolderFiles& files, const std::string& target, const std::string& bytes,
                    InstallSteps* steps = nullptr);

// Makes the Import, Types, Types\User and device folders, writes the five images and
// loninst.cmd, each through a temporary file beside it that then replaces the target in one
// step. Raises InstallError ("Cannot create <folder>", "Cannot write <file>") at the first
// failure, after which nothing more is written, and so when a folder or file leads outside
// the LonWorks folder.
void WriteInstallation(const InstallLayout& layout, const Payload& payload, FolderFiles& files,
                       const CodePage& codePage, InstallSteps* steps = nullptr);

// The folder a path's last name lies in: "C:\" for "C:\x", "." for a bare "x".
std::string FolderOf(const std::string& path);

// What an error adds when a file or folder leads outside the folder of `files`.
std::string LeadsOutside(const FolderFiles& files);

// Makes the Types folder the working directory and returns the command line that starts
// loninst.cmd from there. Raises InstallError ("Cannot start <command file>") when the
// folder cannot be entered.
std::string EnterTypesFolder(const InstallLayout& layout, InstallPlatform& platform);

struct InstallRequest {
    std::string pathField;         // the text of the path field, read once at the click
    bool developerMode = false;    // FDeveloperMode
    std::string deviceFolderName;  // the text of the folder-name box; used only in developer mode
};

// How long the window waits for another installation to end before it says so, and what it
// says then.
inline constexpr unsigned kWindowLockWaitMs = 10000;

// Runs one installation from the window: checks the path field (a refused path shows the
// warning and ends the run), takes the installation lock (waiting kWindowLockWaitMs at most),
// writes the installation, makes the Types folder the working directory, pauses 300 ms,
// starts loninst.cmd with the rights ChooseCatalogRights gives it, without waiting for it,
// and lets the lock go. Raises
// InstallError at the first failure, after which nothing more is written or started; shows
// the success message only when everything worked.
void RunInstallation(const InstallRequest& request, const Payload& payload, InstallPlatform& platform,
                     const CodePage& codePage, MessagePresenter& messages);

}  // namespace korva
