#include "core/console/ConsoleProgram.h"

#include "ProductInfo.h"
#include "core/console/ConsoleLog.h"
#include "core/console/InstallCheck.h"
#include "core/console/KeptState.h"
#include "core/install/CatalogRights.h"
#include "core/install/LonWorksCheck.h"
#include "core/window/MessageRules.h"

namespace korva {

namespace {

constexpr const char* kProgram = "r7716-install";
constexpr std::uint32_t kCommandNotFound = 9009;  // the command interpreter's "not recognized"
// STATUS_DLL_INIT_FAILED: a process whose user32 or kernel32 could not initialise, as when its
// window station or desktop does not admit it.
constexpr std::uint32_t kCouldNotInitialise = 0xC0000142;

// A text for the console: each lone CR (the message boxes' line break) becomes a line end,
// and the text ends with one.
std::string ConsoleLines(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) out += "\r\n";
        else out += text[i];
    }
    if (out.size() < 2 || out.compare(out.size() - 2, 2, "\r\n") != 0) out += "\r\n";
    return out;
}

// The folder check's warning goes to standard error, one line for each of its lines.
class ErrorStream : public MessagePresenter {
public:
    explicit ErrorStream(ConsolePlatform& console) : console_(console) {}
    void ShowMessage(const std::string& text) override { console_.WriteErr(ConsoleLines(text)); }

private:
    ConsolePlatform& console_;
};

// One run's report: errors on standard error, and every step in the log when there is one.
// A log that stops taking lines is said once on standard error; the run goes on.
class Report : public InstallSteps {
public:
    explicit Report(ConsolePlatform& console) : console_(console) {}

    void StartLog() { logging_ = true; }

    void Step(const std::string& step, const std::string& result) override {
        if (!logging_ || console_.AppendLog(LogLine(console_.Now(), step, result))) return;
        logging_ = false;
        console_.WriteErr(std::string(kProgram) + ": the log cannot be written any more; the run goes on\r\n");
    }

    void Error(const std::string& message) {
        console_.WriteErr(ConsoleLines(message));
        Step("error", message);
    }

    int End(ExitCode code) {
        Step("end", "exit code " + std::to_string(static_cast<int>(code)));
        return static_cast<int>(code);
    }

private:
    ConsolePlatform& console_;
    bool logging_ = false;
};

int Check(const InstallLayout& layout, const Payload& payload, const CodePage& codePage, FolderFiles& files,
          ConsolePlatform& console) {
    bool allCurrent = true;
    for (const CheckedFile& file : CheckInstallation(layout, payload, codePage, files)) {
        console.WriteOut(CheckLine(file));
        allCurrent = allCurrent && file.state == FileState::Current;
    }
    return static_cast<int>(allCurrent ? ExitCode::Success : ExitCode::NotCurrent);
}

// Writes the installation, runs the command file from the Types folder with the rights
// ChooseCatalogRights gives it and waits for it. Raises InstallError at the first failure
// before the command ran.
int Install(const InstallLayout& layout, const Payload& payload, InstallPlatform& install, FolderFiles& files,
            ConsolePlatform& console, const CodePage& codePage, Report& report) {
    WriteInstallation(layout, payload, files, codePage, &report);
    const CatalogRights rights = ChooseCatalogRights(layout, install);
    report.Step("catalog command rights", RightsText(rights));
    const std::optional<StandardUserStart> standardUser = StartFor(rights.rights, install);
    if (standardUser)
        report.Step("catalog command start",
                    "desktop " + standardUser->desktop + ", temporary files in " + standardUser->tempFolder);
    const std::string start = EnterTypesFolder(layout, install);
    report.Step("working directory", layout.typesFolder);

    OutputLines lines([&report](const std::string& line) { report.Step("output", line); });
    const CommandResult result = console.RunAndWait(start, standardUser ? &*standardUser : nullptr,
                                                    [&](const std::string& bytes) {
                                                        console.PassOut(bytes);
                                                        lines.Add(bytes);
                                                    });
    lines.Finish();
    if (result.outputLeftOpen) report.Step("output", "held open by a process the command started; not read further");
    if (!result.started)
        throw InstallError(InstallFailure::Start,
                           StartFailureText(layout.commandFile, result.failure, standardUser.has_value()));
    const std::string code = std::to_string(result.exitCode);
    report.Step("run " + start, "exit code " + code);
    if (result.exitCode == kCouldNotInitialise) {
        report.Error("Cannot start " + layout.commandFile +
                     ": it could not initialise (0xC0000142), its window station or desktop refused it. The files "
                     "are installed; the folder is not in the LonWorks resource catalog.");
        return report.End(ExitCode::StartFailed);
    }
    if (result.exitCode == kCommandNotFound) {
        // The command interpreter says the same when it cannot find the catalog tool and when
        // it cannot run the command file itself: only a catalog tool it cannot find is blamed.
        if (const std::optional<std::string> tool = console.FindProgram("mkcat.exe", layout.typesFolder)) {
            report.Error("Cannot run " + layout.commandFile + ": the command interpreter ended with " + code +
                         " although the catalog tool is at " + *tool +
                         ". The files are installed; the folder is not in the LonWorks resource catalog.");
            return report.End(ExitCode::StartFailed);
        }
        report.Error("mkcat.exe was not found: the catalog command ended with " + code +
                     ". The files are installed; the folder is not in the LonWorks resource catalog.");
        return report.End(ExitCode::CatalogFailed);
    }
    if (result.exitCode != 0) {
        report.Error("The catalog command ended with exit code " + code +
                     ". The files are installed; the catalog tool did not confirm the folder.");
        return report.End(ExitCode::CatalogFailed);
    }
    console.WriteOut(ConsoleLines(kInstallSuccess));
    return report.End(ExitCode::Success);
}

// Removes each installed file whose bytes are this version's, keeps every other one, and
// then the device folder if that left it a real, empty folder. A "<file>.tmp" beside one goes
// too when it holds a start of this version's bytes, as a run of an earlier build ended midway
// left it (this program's own temporary files go with the run that made them); an empty one
// holds nothing of this version and stays. Whatever leads outside the LonWorks folder stays
// and is named. Starts nothing: the catalog keeps its entry.
int Remove(const InstallLayout& layout, const Payload& payload, FolderFiles& files, ConsolePlatform& console,
           const CodePage& codePage, Report& report) {
    bool left = false;
    auto remove = [&](CheckedFile file) {
        if (file.state == FileState::Current) {
            const FolderFiles::Result result = files.Remove(file.path);
            file.state = result == FolderFiles::Result::Done      ? FileState::Removed
                         : result == FolderFiles::Result::Outside ? FileState::Outside
                                                                  : FileState::Failed;
        }
        console.WriteOut(CheckLine(file));
        report.Step("remove " + file.path, StateWord(file.state));
        // A file that cannot be read may still be this version's: it is not reported as gone.
        if (file.state == FileState::Failed || file.state == FileState::Unreadable ||
            file.state == FileState::Outside) {
            const std::string why = file.state == FileState::Outside ? LeadsOutside(files) : "";
            report.Error(ErrorBoxText("Cannot remove " + file.path + why, codePage));
            left = true;
        }
    };
    for (const ExpectedFile& file : ExpectedFiles(layout, payload, codePage)) {
        remove({file.path, JudgeFile(files.Read(file.path), file.bytes)});
        const std::string temp = file.path + kTempSuffix;
        FileContents leftover = files.Read(temp);
        if (leftover.state == FileContents::State::Missing) continue;
        if (leftover.state == FileContents::State::Read && !leftover.bytes.empty() && file.bytes &&
            file.bytes->starts_with(leftover.bytes))
            leftover.bytes = *file.bytes;  // judged as the whole file it was on its way to be
        remove({temp, JudgeFile(leftover, file.bytes)});
    }
    if (files.RemoveFolder(layout.deviceFolder) == FolderFiles::Result::Done) {
        console.WriteOut(CheckLine({layout.deviceFolder, FileState::Removed}));
        report.Step("remove " + layout.deviceFolder, StateWord(FileState::Removed));
    }
    return report.End(left ? ExitCode::FileFailed : ExitCode::Success);
}

// --restore: puts back what --keep kept, holding the installation lock meanwhile.
int Restore(const std::string& state, unsigned waitSeconds, const Payload& payload, InstallPlatform& install,
            ConsolePlatform& console, const CodePage& codePage, Report& report) {
    try {
        const InstallLock lock(install, waitSeconds * 1000u, "restore");
        const RestoreOutcome outcome = RestoreKeptState(state, payload, codePage, install, report);
        console.WriteOut(outcome.lines);
        for (const std::string& error : outcome.errors) report.Error(ErrorBoxText(error, codePage));
        return report.End(outcome.exitCode);
    } catch (const InstallError& e) {
        report.Error(ErrorBoxText(e.Message(), codePage));
        return report.End(ExitCodeFor(e.Kind()));
    }
}

// --forget: drops the state that --keep kept.
int Forget(const std::string& state, InstallPlatform& install, ConsolePlatform& console) {
    if (ForgetKeptState(*install.FilesIn(FolderOf(state)), state)) return static_cast<int>(ExitCode::Success);
    console.WriteErr("Cannot remove " + state + ".\r\n");
    return static_cast<int>(ExitCode::FileFailed);
}

}  // namespace

ExitCode ExitCodeFor(InstallFailure failure) {
    switch (failure) {
    case InstallFailure::Folder: return ExitCode::FolderFailed;
    case InstallFailure::File: return ExitCode::FileFailed;
    case InstallFailure::Start: return ExitCode::StartFailed;
    case InstallFailure::Busy: return ExitCode::Busy;
    case InstallFailure::LockUnusable: return ExitCode::LockUnusable;
    }
    return ExitCode::FileFailed;
}

std::string VersionText(const Payload& payload) {
    std::string text = std::string(kProgram) + " " R7716_VERSION " (" R7716_APP_TITLE ")\r\n";
    for (const ResourceFile& file : ResourceFiles(InstallLayout{}, payload))
        text += std::string(file.name) + " " + std::to_string(file.image.length) + " bytes\r\n";
    return text;
}

int RunConsole(const std::vector<std::wstring>& arguments, const Payload& payload, InstallPlatform& install,
               ConsolePlatform& console, const CodePage& codePage) {
    const ParsedArguments parsed = ParseArguments(arguments);
    if (!parsed.request) {
        console.WriteErr(std::string(kProgram) + ": " + parsed.error + "\r\n\r\n" + UsageText());
        return static_cast<int>(ExitCode::Usage);
    }
    const ConsoleRequest& request = *parsed.request;
    if (request.mode == ConsoleRequest::Mode::Help) {
        console.WriteOut(UsageText());
        return static_cast<int>(ExitCode::Success);
    }
    if (request.mode == ConsoleRequest::Mode::Version) {
        console.WriteOut(VersionText(payload));
        return static_cast<int>(ExitCode::Success);
    }

    // The file of the kept state, in the ANSI code page like every other path.
    const bool restoring = request.mode == ConsoleRequest::Mode::Restore;
    std::optional<std::wstring> stateGiven = request.keepFile;
    if (restoring || request.mode == ConsoleRequest::Mode::Forget) stateGiven = request.folder;
    std::optional<std::string> state;
    if (stateGiven && !(state = console.ToAnsi(*stateGiven))) {
        console.WriteErr(std::string(kProgram) +
                         ": the kept state's file name holds characters that the system's ANSI code page cannot "
                         "spell; nothing was done\r\n");
        return static_cast<int>(ExitCode::Usage);
    }
    if (request.mode == ConsoleRequest::Mode::Forget) return Forget(*state, install, console);
    // A run that keeps the state drops an older one first, so that a rollback of this run
    // never puts back what an earlier run found, whatever ends this one.
    if (state && !restoring)
        if (const int code = Forget(*state, install, console)) return code;

    const bool removing = request.mode == ConsoleRequest::Mode::Remove;
    Report report(console);
    if (request.logFile) {
        if (!console.OpenLog(*request.logFile)) {
            const std::optional<std::string> name = console.ToAnsi(*request.logFile);
            console.WriteErr(std::string(kProgram) + ": cannot open the log file" + (name ? " " + *name : "") +
                             "; nothing was done\r\n");
            return static_cast<int>(ExitCode::Usage);
        }
        report.StartLog();
        report.Step(std::string(kProgram) + " " R7716_VERSION, removing    ? "remove"
                                                               : restoring ? "restore " + *state
                                                                           : "install");
    }
    if (restoring) return Restore(*state, request.waitSeconds, payload, install, console, codePage, report);

    // The folder is used in the ANSI code page, as the window uses it. A name that page
    // cannot spell would otherwise become another folder ("?" for each such character).
    const std::optional<std::string> folder = console.ToAnsi(request.folder);
    if (!folder) {
        report.Error(std::string(kProgram) +
                     ": the LonWorks folder's name holds characters that the system's ANSI code page cannot "
                     "spell; nothing was written");
        return report.End(ExitCode::Usage);
    }
    if (IsDevicePath(*folder)) {
        report.Error(std::string(kProgram) +
                     ": the command interpreter cannot run the catalog command from a folder given as \\\\?\\... "
                     "or \\\\.\\...; give it as C:\\...; nothing was written");
        return report.End(ExitCode::PathRefused);
    }
    ErrorStream warning(console);
    const std::string lonWorks = CheckLonWorksPath(*folder, codePage, warning);
    if (lonWorks.empty()) {
        report.Step("check " + *folder, "refused: the path does not end in LonWorks");
        return report.End(ExitCode::PathRefused);
    }
    report.Step("check " + lonWorks, "accepted");

    const InstallLayout layout = LayoutFor(lonWorks, "KR");
    if (request.mode == ConsoleRequest::Mode::Check)
        return Check(layout, payload, codePage, *install.FilesIn(lonWorks), console);
    try {
        const InstallLock lock(install, request.waitSeconds * 1000u, removing ? "remove" : "install");
        report.Step("lock", "taken");
        // The LonWorks folder as it resolves now, held until the run ends.
        const std::unique_ptr<FolderFiles> files = install.FilesIn(lonWorks);
        if (state)
            WriteWholeFile(*install.FilesIn(FolderOf(*state)), *state,
                           KeptStateText(layout, payload, codePage, *files, report), &report);
        return removing ? Remove(layout, payload, *files, console, codePage, report)
                        : Install(layout, payload, install, *files, console, codePage, report);
    } catch (const InstallError& e) {
        report.Error(ErrorBoxText(e.Message(), codePage));
        return report.End(ExitCodeFor(e.Kind()));
    }
}

}  // namespace korva
