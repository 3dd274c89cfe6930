#pragma once
// Which rights the catalog command gets. The command file runs in the Types folder, and the
// command interpreter looks for mkcat.exe there first and then on the PATH: whoever can change
// one of those folders, the command file or the tool can make it run a program of their own.
// The command therefore runs with the program's own rights only when nothing it runs, or runs
// from, can be changed by anyone but administrators; otherwise with a standard user's rights,
// so that a planted program gains nothing its planter does not have already.
#include <optional>
#include <string>

#include "core/install/InstallPlatform.h"
#include "core/install/Installer.h"

namespace korva {

// True when someone other than SYSTEM, the Administrators group, TrustedInstaller and
// `account` (the running account) could change the object: it has no DACL at all, another
// owner, or an entry that grants another SID, on the object itself (not for its contents
// alone), writing or appending data (adding files or folders), deleting it or a child,
// changing its DACL or owner, or generic write or all.
bool ChangeableByNonAdministrator(const ObjectSecurity& security, const std::string& account);

struct CatalogRights {
    Rights rights = Rights::Full;
    std::string cause;        // with a standard user's rights: the first path that led to them
    std::string standsFor;    // ... when that path is the nearest existing folder above a missing one
    bool unreadable = false;  // ... when its owner and DACL could not be read
};

// Looks, in this order, at the command interpreter (%ComSpec%) and its folder, the Types
// folder and its command file, and each folder the interpreter searches for mkcat.exe (the
// Types folder, then each PATH folder in order; a folder that does not exist by its nearest
// existing folder above, where it could be made) up to and including the one that holds it,
// and mkcat.exe there. A path whose owner and DACL cannot be read counts as changeable.
CatalogRights ChooseCatalogRights(const InstallLayout& layout, InstallPlatform& platform);

// The rights as the log says them: "full: ..." or "a standard user's: <path> can be changed
// by users who are not administrators".
std::string RightsText(const CatalogRights& rights);

// How the command is started with a standard user's rights, on Windows' documented rules:
// - Administrators for denying only; the account's own SID stays enabled, but every access
//   must also pass a second check against the restricting SIDs alone: Everyone, Authenticated
//   Users and Users (a standard user's groups, Users also where the token lacks it, as SYSTEM's
//   does: the command interpreter and the system's DLLs grant it, not Everyone), Interactive and
//   the logon SID where the token holds them, and the run's own SID.
// - The default DACL of what the command makes of its own: the account, SYSTEM and the run's SID
//   (the account passes the first check, the run's SID the second).
// - On the interactive window station (WinSta0) its default desktop, named; on any other (a
//   service's, as the package runs as SYSTEM in session 0, which admits SYSTEM alone) one made
//   for the run, named after the run's SID, with that same DACL.
// - TEMP and TMP: a folder made new in the program's own temporary folder with that DACL
//   (the program's own is closed to the restricting SIDs).
StandardUserStart StandardUserStartFor(const StartFacts& facts);
// The plan for `rights`: nothing for full rights, else StandardUserStartFor the platform's facts.
std::optional<StandardUserStart> StartFor(Rights rights, InstallPlatform& platform);

// The error of a failed start: "Cannot start <command file>", and with a standard user's
// rights which step failed with which system error.
std::string StartFailureText(const std::string& commandFile, const StartFailure& failure, bool standardUser);

}  // namespace korva
