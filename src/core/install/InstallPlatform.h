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

// The rights a started program gets: the program's own, or a standard user's (the
// Administrators group and the account's own SID for denying only, no privileges, medium
// integrity).
enum class Rights { Full, StandardUser };

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
    // With full rights, WinExec with the given command line and show mode; with a standard
    // user's, CreateProcessAsUserA of the same command line with a restricted token of the
    // program's own. True when the system reports a start.
    virtual bool Start(const std::string& commandLine, int showMode, Rights rights) = 0;

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
