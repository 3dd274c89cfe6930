#include "core/install/Installer.h"

#include "core/common/Exception.h"
#include "core/install/LonWorksCheck.h"

namespace korva {

namespace {

constexpr int kShowNormal = 1;  // SW_SHOWNORMAL
constexpr unsigned kStartDelayMs = 300;
constexpr const char* kTempSuffix = ".tmp";

void EnsureFolder(InstallPlatform& platform, const std::string& folder) {
    if (platform.IsFolder(folder)) return;
    if (platform.MakeFolder(folder)) return;
    throw Exception("Cannot create " + folder);
}

// Writes `count` bytes as the file `target`: first into a temporary file beside it, then
// replaces the target in one step, so that a failure leaves any old file as it was.
void WriteWholeFile(InstallPlatform& platform, const std::string& target, const unsigned char* bytes,
                    std::uint32_t count) {
    const std::string temp = target + kTempSuffix;
    InstallPlatform::FileHandle handle{};
    if (!platform.OpenForWrite(temp, handle)) throw Exception("Cannot write " + target);

    const bool written = platform.Write(handle, bytes, count) == count;
    const bool closed = platform.Close(handle);
    if (!written || !closed || !platform.MoveOver(temp, target)) {
        platform.Remove(temp);
        throw Exception("Cannot write " + target);
    }
}

void WriteWholeFile(InstallPlatform& platform, const std::string& target, const ResourceImage& image) {
    WriteWholeFile(platform, target, image.bytes, image.length);
}

// The command line that starts the command file. Quoted, so that a blank in the path cannot
// make the system run another program (C:\Program.exe). The interpreter that runs a command
// file expands %NAME% in that line, quoted or not, and would then run a command file in another
// folder; a name with a % is therefore started relative to the working directory, which is its
// folder by now.
std::string StartCommand(const std::string& commandFile) {
    if (commandFile.find('%') != std::string::npos) return "\".\\loninst.cmd\"";
    return "\"" + commandFile + "\"";
}

// The bytes of loninst.cmd for a device folder (given in the OEM code page).
std::string CatalogCommandLine(const std::string& deviceFolder) {
    std::string line = "\"mkcat.exe\" \"-a";
    // The command interpreter expands %...% in a command file; %% stands for one %.
    for (char c : deviceFolder) {
        line += c;
        if (c == '%') line += '%';
    }
    line += '"';
    return line;
}

}  // namespace

void RunInstallation(const InstallRequest& request, const Payload& payload, InstallPlatform& platform,
                     const CodePage& codePage, MessagePresenter& messages) {
    const std::string lonWorks = CheckLonWorksPath(request.pathField, codePage, messages);
    if (lonWorks.empty()) return;  // the check has shown its warning

    const std::string importFolder = lonWorks + "\\Import";
    const std::string typesFolder = lonWorks + "\\Types";
    const std::string userFolder = typesFolder + "\\User";
    const std::string deviceFolder = userFolder + "\\" +
                                     (request.developerMode ? request.deviceFolderName : std::string("KR"));

    for (const std::string* folder : {&importFolder, &typesFolder, &userFolder, &deviceFolder})
        EnsureFolder(platform, *folder);

    WriteWholeFile(platform, importFolder + "\\R7716.XIF", payload.xif);
    WriteWholeFile(platform, deviceFolder + "\\R7716.ENU", payload.enu);
    WriteWholeFile(platform, deviceFolder + "\\R7716.FMT", payload.fmt);
    WriteWholeFile(platform, deviceFolder + "\\R7716.FPT", payload.fpt);
    WriteWholeFile(platform, deviceFolder + "\\R7716.TYP", payload.typ);

    // The command interpreter reads a command file in the OEM code page: the folder is written
    // in it, so that letters beyond ASCII reach the catalog tool as they are. A folder the OEM
    // code page cannot spell would reach it as another folder.
    const std::string commandFile = typesFolder + "\\loninst.cmd";
    const std::optional<std::string> oemDeviceFolder = codePage.ToOem(deviceFolder);
    if (!oemDeviceFolder) throw Exception("Cannot write " + commandFile);
    const std::string commandLine = CatalogCommandLine(*oemDeviceFolder);
    WriteWholeFile(platform, commandFile, reinterpret_cast<const unsigned char*>(commandLine.data()),
                   static_cast<std::uint32_t>(commandLine.size()));

    // The command file runs in the working directory it inherits, and mkcat.exe is looked
    // up there first: starting it anywhere but in the Types folder is not the installation
    // asked for, so a refused change of directory ends the run before the start.
    if (!platform.EnterFolder(typesFolder)) throw Exception("Cannot start " + commandFile);
    platform.Pause(kStartDelayMs);
    if (!platform.Start(StartCommand(commandFile), kShowNormal)) throw Exception("Cannot start " + commandFile);

    messages.ShowMessage(kInstallSuccess);
}

}  // namespace korva
