#include "core/install/Installer.h"

#include "core/install/LonWorksCheck.h"

namespace korva {

namespace {

constexpr int kShowNormal = 1;  // SW_SHOWNORMAL
constexpr unsigned kStartDelayMs = 300;

void EnsureFolder(InstallPlatform& platform, const std::string& folder, InstallSteps* steps) {
    const char* result = "exists";
    if (!platform.IsFolder(folder)) {
        if (!platform.MakeFolder(folder)) throw InstallError(InstallFailure::Folder, "Cannot create " + folder);
        result = "created";
    }
    if (steps) steps->Step("folder " + folder, result);
}

}  // namespace

void WriteWholeFile(InstallPlatform& platform, const std::string& target, const unsigned char* bytes,
                    std::uint32_t count, InstallSteps* steps) {
    const std::string temp = target + kTempSuffix;
    InstallPlatform::FileHandle handle{};
    if (!platform.OpenForWrite(temp, handle)) throw InstallError(InstallFailure::File, "Cannot write " + target);

    const bool written = platform.Write(handle, bytes, count) == count;
    const bool closed = platform.Close(handle);
    if (!written || !closed || !platform.MoveOver(temp, target)) {
        platform.Remove(temp);
        throw InstallError(InstallFailure::File, "Cannot write " + target);
    }
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

void WriteInstallation(const InstallLayout& layout, const Payload& payload, InstallPlatform& platform,
                       const CodePage& codePage, InstallSteps* steps) {
    for (const std::string* folder :
         {&layout.importFolder, &layout.typesFolder, &layout.userFolder, &layout.deviceFolder})
        EnsureFolder(platform, *folder, steps);

    for (const ResourceFile& file : ResourceFiles(layout, payload))
        WriteWholeFile(platform, file.Path(), file.image.bytes, file.image.length, steps);

    const std::optional<std::string> commandLine = CommandFileBytes(layout, codePage);
    if (!commandLine) throw InstallError(InstallFailure::File, "Cannot write " + layout.commandFile);
    WriteWholeFile(platform, layout.commandFile, reinterpret_cast<const unsigned char*>(commandLine->data()),
                   static_cast<std::uint32_t>(commandLine->size()), steps);
}

InstallLock::InstallLock(InstallPlatform& platform, unsigned waitMs, const std::string& busyMessage)
    : platform_(platform) {
    if (!platform_.Lock(waitMs)) throw InstallError(InstallFailure::Busy, busyMessage);
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
        const InstallLock lock(platform, kWindowLockWaitMs, kInstallBusy);
        WriteInstallation(layout, payload, platform, codePage);
        const std::string start = EnterTypesFolder(layout, platform);
        platform.Pause(kStartDelayMs);
        if (!platform.Start(start, kShowNormal))
            throw InstallError(InstallFailure::Start, "Cannot start " + layout.commandFile);
    }
    messages.ShowMessage(kInstallSuccess);
}

}  // namespace korva
