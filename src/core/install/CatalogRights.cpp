#include "core/install/CatalogRights.h"

#include <optional>

#include "core/common/Ascii.h"

namespace korva {

namespace {

constexpr const char* kSystem = "S-1-5-18";
constexpr const char* kAdministrators = "S-1-5-32-544";
constexpr const char* kTrustedInstaller = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

constexpr std::uint8_t kInheritOnly = 0x08;
// Writing or appending data (adding a file or a folder), deleting a child, deleting, changing
// the DACL, changing the owner, generic all, generic write.
constexpr std::uint32_t kChanges = 0x2 | 0x4 | 0x40 | 0x10000 | 0x40000 | 0x80000 | 0x10000000 | 0x40000000;

bool Trusted(const std::string& sid, const std::string& account) {
    return sid == kSystem || sid == kAdministrators || sid == kTrustedInstaller || sid == account;
}

bool IsFullPath(const std::string& path) {
    return path.rfind("\\\\", 0) == 0 || (path.size() >= 3 && path[1] == ':' && path[2] == '\\');
}

// The folder above a full path; nothing for a drive's root or a share.
std::optional<std::string> Above(const std::string& path) {
    if (path.empty() || path.back() == '\\') return {};  // a drive's root
    const std::string above = FolderOf(path);
    if (above.size() < 3) return {};  // none, or the "\\" of a share
    return above;
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

// The folders of the PATH in order: each unquoted, a relative one taken from the Types folder,
// where the command interpreter runs.
std::vector<std::string> PathFolders(const std::string& path, const std::string& types, InstallPlatform& platform) {
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(';', start);
        if (end == std::string::npos) end = path.size();
        std::string folder = path.substr(start, end - start);
        start = end + 1;
        std::erase(folder, '"');
        if (folder.empty()) continue;
        folders.push_back(platform.FullPath(IsFullPath(folder) ? folder : Join(types, folder)));
    }
    return folders;
}

class Judge {
public:
    explicit Judge(InstallPlatform& platform) : platform_(platform), account_(platform.Account()) {}

    // Records `path` as the cause when it can be changed; true then.
    bool Changeable(const std::string& path, const ObjectSecurity& security, const std::string& standsFor = {}) {
        if (security.state == ObjectSecurity::State::Read && !ChangeableByNonAdministrator(security, account_))
            return false;
        rights_ = {Rights::StandardUser, path, standsFor, security.state != ObjectSecurity::State::Read};
        return true;
    }
    bool Changeable(const std::string& path) { return Changeable(path, platform_.SecurityOf(path)); }

    // A folder, or the nearest existing folder above it when it does not exist.
    bool FolderChangeable(const std::string& folder) {
        std::string at = folder;
        ObjectSecurity security = platform_.SecurityOf(at);
        while (security.state == ObjectSecurity::State::Missing) {
            const std::optional<std::string> above = Above(at);
            if (!above) break;
            at = *above;
            security = platform_.SecurityOf(at);
        }
        return Changeable(at, security, at == folder ? std::string() : folder);
    }

    CatalogRights Rights() const { return rights_; }

private:
    InstallPlatform& platform_;
    std::string account_;
    CatalogRights rights_;
};

}  // namespace

bool ChangeableByNonAdministrator(const ObjectSecurity& security, const std::string& account) {
    if (security.nullDacl || !Trusted(security.owner, account)) return true;
    for (const AccessEntry& entry : security.dacl)
        if (entry.allows && !(entry.flags & kInheritOnly) && (entry.mask & kChanges) && !Trusted(entry.sid, account))
            return true;
    return false;
}

CatalogRights ChooseCatalogRights(const InstallLayout& layout, InstallPlatform& platform) {
    Judge judge(platform);
    const std::string types = platform.FullPath(layout.typesFolder);
    const std::string interpreter = platform.Environment("ComSpec");
    if (!interpreter.empty()) {
        const std::string full = platform.FullPath(interpreter);
        const std::optional<std::string> folder = Above(full);
        if ((folder && judge.FolderChangeable(*folder)) || judge.Changeable(full)) return judge.Rights();
    }
    if (judge.Changeable(types) || judge.Changeable(platform.FullPath(layout.commandFile))) return judge.Rights();

    std::vector<std::string> searched = {types};
    for (std::string& folder : PathFolders(platform.Environment("PATH"), layout.typesFolder, platform))
        searched.push_back(std::move(folder));
    for (const std::string& folder : searched) {
        if (judge.FolderChangeable(folder)) break;
        const std::string tool = Join(folder, "mkcat.exe");
        const ObjectSecurity security = platform.SecurityOf(tool);
        if (security.state == ObjectSecurity::State::Missing) continue;
        judge.Changeable(tool, security);
        break;
    }
    return judge.Rights();
}

StandardUserStart StandardUserStartFor(const StartFacts& facts) {
    StandardUserStart start;
    start.denyOnly = {kAdministrators};
    start.restricting = {"S-1-1-0", "S-1-5-11", "S-1-5-32-545"};
    for (const std::string& group : facts.groups)
        if (group == "S-1-5-4" || group.rfind("S-1-5-5-", 0) == 0) start.restricting.push_back(group);
    start.restricting.push_back(facts.runSid);
    start.dacl = {facts.account};
    if (facts.account != kSystem) start.dacl.push_back(kSystem);
    start.dacl.push_back(facts.runSid);
    const std::string own = "KORVA-R7716-" + facts.runSid;
    const bool interactive = AsciiUpper(facts.windowStation) == "WINSTA0";
    if (!interactive) start.windowStation = own;
    start.desktop = (interactive ? std::string("WinSta0") : own) + "\\Default";
    start.tempFolder = Join(facts.tempRoot, own);
    return start;
}

std::optional<StandardUserStart> StartFor(Rights rights, InstallPlatform& platform) {
    if (rights == Rights::Full) return std::nullopt;
    return StandardUserStartFor(platform.FactsForStart());
}

std::string StartFailureText(const std::string& commandFile, const StartFailure& failure, bool standardUser) {
    std::string text = "Cannot start " + commandFile;
    if (!standardUser) return text;
    static const char* const kWhat[] = {"the system did not start it", "its restricted token could not be made",
                                        "its window station and desktop could not be made",
                                        "its folder for temporary files could not be made",
                                        "the system did not start it"};
    return text + " with a standard user's rights: " + kWhat[static_cast<int>(failure.step)] + ", system error " +
           std::to_string(failure.error);
}

std::string RightsText(const CatalogRights& rights) {
    if (rights.rights == Rights::Full)
        return "full: nothing the catalog command runs can be changed by users who are not administrators";
    std::string text = "a standard user's: " + rights.cause +
                       (rights.unreadable ? ": its owner and permissions cannot be read"
                                          : " can be changed by users who are not administrators");
    if (!rights.standsFor.empty()) text += " (" + rights.standsFor + " is not there and could be made in it)";
    return text;
}

}  // namespace korva
