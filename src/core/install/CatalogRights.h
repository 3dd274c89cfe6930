#pragma once
// Which rights the catalog command gets. The command file runs in the Types folder, and the
// command interpreter looks for mkcat.exe there first and then on the PATH: whoever can change
// one of those folders, the command file or the tool can make it run a program of their own.
// The command therefore runs with the program's own rights only when nothing it runs, or runs
// from, can be changed by anyone but administrators; otherwise with a standard user's rights,
// so that a planted program gains nothing its planter does not have already.
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

}  // namespace korva
