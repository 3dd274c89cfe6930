#include "core/install/Installer.h"

#include "core/install/CatalogRights.h"
#include "core/install/LonWorksCheck.h"

namespace korva {

namespace {

constexpr int kShowNormal = 1;  // SW_SHOWNORMAL
constexpr unsigned kStartDelayMs = 300;

void EnsureFolder(FolderFiles& files, const std::string& folder, InstallSteps* steps) {
    const char* result = "exists";
    const FolderFiles::Kind kind = files.Look(folder);
    if (kind == FolderFiles::Kind::Outside)
        throw InstallError(InstallFailure::Folder, "Cannot create " + folder + LeadsOutside(files));
    if (kind != FolderFiles::Kind::Folder) {
        if (!files.MakeFolder(folder)) throw InstallError(InstallFailure::Folder, "Cannot create " + folder);
        result = "created";
    }
    if (steps) steps->Step("folder " + folder, result);
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const std::size_t cut = path.find_last_of('\\');
    if (cut == std::string::npos) return ".";
    if (cut == 2 && path[1] == ':') return path.substr(0, 3);
    return path.substr(0, cut);
}

std::string LeadsOutside(const FolderFiles& files) { return ": it leads outside " + files.Folder(); }

void WriteWholeFile(FolderFiles& files, const std::string& target, const std::string& bytes, InstallSteps* steps) {
    auto fail = [&target](const std::string& why) {
        throw InstallError(InstallFailure::File, "Cannot write " + target + why);
    };
    if (files.Look(target) == FolderFiles::Kind::Outside) fail(LeadsOutside(files));
    // The temporary file is always made new: a name that exists is never written through.
    const std::string temp = target + kTempSuffix;
    FolderFiles::Handle handle{};
    FolderFiles::Result made = files.CreateNew(temp, handle);
    if (made == FolderFiles::Result::Exists) {
        // Left by a run that was ended midway: it goes, unless it leads elsewhere.
        if (files.Remove(temp) == FolderFiles::Result::Outside)
            fail(": " + temp + " leads outside " + files.Folder() + " and was left as it is");
        made = files.CreateNew(temp, handle);
    }
    if (made != FolderFiles::Result::Done) fail(made == FolderFiles::Result::Outside ? LeadsOutside(files) : "");

    const auto count = static_cast<std::uint32_t>(bytes.size());
    const bool written = files.Write(handle, reinterpret_cast<const unsigned char*>(bytes.data()), count) == count;
    const bool moved = written && files.MoveOver(handle, target);
    // Closing a file that was not moved over its target deletes it.
    if (!files.Close(handle) || !moved) fail("");
    if (steps) steps->Step("write " + target, std::to_string(count) + " bytes");
}

namespace {

// The command line that starts the command file. Quoted, so that a blank in the path cannot
// make the system run another program (C:\Program.exe). The interpreter that runs a command
// file expands %NAME% in that line, quoted or not, and would then run a command file in another
// folder; a name with a % is therefore started relative to the working directory, which is its
// folder by now.
std::string StartCommand(const std::string& commandFile) {
    if (commandFile.find('%') != std::string::npos) return "\".\\loninst.cmd\"";
    return "\"" + commandFile + "\"";
}

}  // namespace

InstallLayout LayoutFor(const std::string& lonWorks, const std::string& deviceFolderName) {
    InstallLayout layout;
    layout.lonWorks = lonWorks;
    layout.importFolder = lonWorks + "\\Import";
    layout.typesFolder = lonWorks + "\\Types";
    layout.userFolder = layout.typesFolder + "\\User";
    layout.deviceFolder = layout.userFolder + "\\" + deviceFolderName;
    layout.commandFile = layout.typesFolder + "\\loninst.cmd";
    return layout;
}

std::array<ResourceFile, 5> ResourceFiles(const InstallLayout& layout, const Payload& payload) {
    return {{
        {layout.importFolder, "R7716.XIF", payload.xif},
        {layout.deviceFolder, "R7716.ENU", payload.enu},
        {layout.deviceFolder, "R7716.FMT", payload.fmt},
        {layout.deviceFolder, "R7716.FPT", payload.fpt},
        {layout.deviceFolder, "R7716.TYP", payload.typ},
    }};
}

std::optional<std::string> CommandFileBytes(const InstallLayout& layout, const CodePage& codePage) {
    // The command interpreter reads a command file in the OEM code page: the folder is written
    // in it, so that letters beyond ASCII reach the catalog tool as they are. A folder the OEM
    // code page cannot spell would reach it as another folder.
    const std::optional<std::string> oemDeviceFolder = codePage.ToOem(layout.deviceFolder);
    if (!oemDeviceFolder) return std::nullopt;
    std::string line = "\"mkcat.exe\" \"-a";
    // The command interpreter expands %...% in a command file; %% stands for one %.
    for (char c : *oemDeviceFolder) {
        line += c;
        if (c == '%') line += '%';
    }
    line += '"';
    return line;
}

void WriteInstallation(const InstallLayout& layout, const Payload& payload, FolderFiles& files,
                       const CodePage& codePage, InstallSteps* steps) {
    for (const std::string* folder :
         {&layout.importFolder, &layout.typesFolder, &layout.userFolder, &layout.deviceFolder})
        EnsureFolder(files, *folder, steps);

    for (const ResourceFile& file : ResourceFiles(layout, payload))
        WriteWholeFile(files, file.Path(),
                       std::string(reinterpret_cast<const char*>(file.image.bytes), file.image.length), steps);

    const std::optional<std::string> commandLine = CommandFileBytes(layout, codePage);
    if (!commandLine) throw InstallError(InstallFailure::File, "Cannot write " + layout.commandFile);
    WriteWholeFile(files, layout.commandFile, *commandLine, steps);
}

InstallLock::InstallLock(InstallPlatform& platform, unsigned waitMs, const std::string& action) : platform_(platform) {
    switch (platform_.Lock(waitMs)) {
    case LockResult::Held: return;
    case LockResult::Busy:
        throw InstallError(InstallFailure::Busy, "Cannot " + action + ": another installation is running");
    case LockResult::Unusable:
        throw InstallError(InstallFailure::LockUnusable,
                           "Cannot " + action +
                               ": the installation lock cannot be used; its name is taken by an object that this "
                               "program may not open");
    }
}

std::string EnterTypesFolder(const InstallLayout& layout, InstallPlatform& platform) {
    // The command file runs in the working directory it inherits, and mkcat.exe is looked
    // up there first: starting it anywhere but in the Types folder is not the installation
    // asked for, so a refused change of directory ends the run before the start.
    if (!platform.EnterFolder(layout.typesFolder))
        throw InstallError(InstallFailure::Start, "Cannot start " + layout.commandFile);
    return StartCommand(layout.commandFile);
}

void RunInstallation(const InstallRequest& request, const Payload& payload, InstallPlatform& platform,
                     const CodePage& codePage, MessagePresenter& messages) {
    // A folder given as \\?\... takes the files, but its command file could not run: refused
    // like any other path the folder check refuses, before anything is written.
    if (IsDevicePath(request.pathField)) {
        messages.ShowMessage(kLonWorksWarning);
        return;
    }
    const std::string lonWorks = CheckLonWorksPath(request.pathField, codePage, messages);
    if (lonWorks.empty()) return;  // the check has shown its warning

    const InstallLayout layout = LayoutFor(lonWorks, request.developerMode ? request.deviceFolderName : "KR");
    {
        const InstallLock lock(platform, kWindowLockWaitMs, "install");
        // Held until the command has started: no folder of the run can be swapped meanwhile.
        const std::unique_ptr<FolderFiles> files = platform.FilesIn(lonWorks);
        WriteInstallation(layout, payload, *files, codePage);
        const std::optional<StandardUserStart> standardUser = StartFor(ChooseCatalogRights(layout, platform).rights,
                                                                       platform);
        const std::string start = EnterTypesFolder(layout, platform);
        platform.Pause(kStartDelayMs);
        const StartFailure failure = platform.Start(start, kShowNormal, standardUser ? &*standardUser : nullptr);
        if (failure.Failed())
            throw InstallError(InstallFailure::Start,
                               StartFailureText(layout.commandFile, failure, standardUser.has_value()));
    }
    messages.ShowMessage(kInstallSuccess);
}

}  // namespace korva
