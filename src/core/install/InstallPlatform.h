#pragma once
// The machine as the installation sees it: one operation per platform call it makes.
// The Win32 implementation uses the ANSI calls named beside each operation; tests use a
// fake that records every call and can fail any one of them. (The names avoid the Win32
// ones, which <windows.h> turns into macros.)
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/install/FolderFiles.h"

namespace korva {

// The rights a started program gets: the program's own, or a standard user's (see
// StandardUserStart).
enum class Rights { Full, StandardUser };

// What the platform reports for a start with a standard user's rights.
struct StartFacts {
    std::string account;              // the process token's user: "S-1-5-18" as SYSTEM
    std::vector<std::string> groups;  // the SIDs of the process token's groups
    std::string windowStation;        // the process's window station: "WinSta0", the interactive one
    std::string tempRoot;             // the process's own folder for temporary files (GetTempPathA)
    std::string runSid;               // a SID made at random for this run: "S-1-5-21-r-r-r-r"
};

// How a command gets a standard user's rights that Windows' own checks still let start.
struct StandardUserStart {
    std::vector<std::string> denyOnly;     // groups kept for denying only: Administrators
    std::vector<std::string> restricting;  // every access must also pass a check against these alone
    // Who may use what is made for the command: the default DACL of its own objects (its
    // process, thread and token), its window station and desktop, its temporary files.
    std::vector<std::string> dacl;
    std::string windowStation;  // one made for the run with that name; empty: the interactive one
    std::string desktop;        // STARTUPINFO.lpDesktop: "WinSta0\Default", "<windowStation>\Default"
    std::string tempFolder;     // made new for the run, its TEMP and TMP, removed when it has ended
};

// Where a start failed and the system's error code then; Step::None: it started.
struct StartFailure {
    enum class Step { None, Token, Desktop, TempFolder, Start };
    Step step = Step::None;
    std::uint32_t error = 0;
    bool Failed() const { return step != Step::None; }
};

// What the machine-wide installation lock gave: held; held by another installation for the
// whole wait; or not to be used at all (its name is taken by an object that refuses us).
enum class LockResult { Held, Busy, Unusable };

// One entry of a discretionary access control list as the system holds it.
struct AccessEntry {
    bool allows = false;     // an entry that grants (deny and other kinds: false)
    std::uint8_t flags = 0;  // its flags (0x08: inherit only, for the folder's contents alone)
    std::uint32_t mask = 0;  // the access it grants
    std::string sid;         // whom: "S-1-5-32-545"
};

// A file's or folder's owner and discretionary access control list.
struct ObjectSecurity {
    enum class State { Read, Missing, Unreadable };
    State state = State::Missing;
    std::string owner;      // "S-1-5-18"
    bool nullDacl = false;  // no list at all: everyone may do everything
    std::vector<AccessEntry> dacl;
};

class InstallPlatform {
public:
    virtual ~InstallPlatform() = default;

    // The files and folders inside `folder`, as it resolves now (see FolderFiles).
    virtual std::unique_ptr<FolderFiles> FilesIn(const std::string& folder) = 0;
    // SetCurrentDirectoryA.
    virtual bool EnterFolder(const std::string& path) = 0;
    // Sleep.
    virtual void Pause(unsigned milliseconds) = 0;
    // Without `standardUser`, WinExec with the given command line and show mode; with it,
    // CreateProcessAsUserA of the same command line with a restricted token of the program's
    // own, the window station, desktop and temporary folder it names. Does not wait.
    virtual StartFailure Start(const std::string& commandLine, int showMode, const StandardUserStart* standardUser) = 0;
    // The facts StandardUserStartFor plans from: the process token's user and groups, its
    // window station's name (GetUserObjectInformationA), GetTempPathA, and a new random SID.
    virtual StartFacts FactsForStart() = 0;

    // The machine-wide installation lock (a named mutex that every program of this product
    // on the machine shares; where the system has private namespaces, an elevated run's lies
    // in one that only administrators can create or open): CreateMutexA, then
    // WaitForSingleObject for at most `waitMs`. Held also when its last holder ended without
    // letting it go. Held until Unlock (ReleaseMutex).
    virtual LockResult Lock(unsigned waitMs) = 0;
    virtual void Unlock() = 0;

    // GetNamedSecurityInfoA: the owner and DACL of a file or folder.
    virtual ObjectSecurity SecurityOf(const std::string& path) = 0;
    // The user of the process token, as "S-1-5-21-...".
    virtual std::string Account() = 0;
    // GetEnvironmentVariableA; empty when it is not set.
    virtual std::string Environment(const char* name) = 0;
    // GetFullPathNameA; the path unchanged when it cannot be made full.
    virtual std::string FullPath(const std::string& path) = 0;
};

}  // namespace korva
