#include "core/console/KeptState.h"

#include <array>

#include "core/console/InstallCheck.h"

namespace korva {

namespace {

constexpr const char* kHeading = "r7716-install kept state";

std::array<std::string, 4> Folders(const InstallLayout& layout) {
    return {layout.importFolder, layout.typesFolder, layout.userFolder, layout.deviceFolder};
}

// The state read back: the LonWorks folder, whether each folder was there, each file's bytes.
struct Kept {
    InstallLayout layout;
    std::array<bool, 4> folderThere{};
    std::array<std::optional<std::string>, 6> files;  // nothing: the file was absent
};

// Nothing when the text is not what KeepState writes.
std::optional<Kept> ParseKept(const std::string& text, const Payload& payload, const CodePage& codePage) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; lines.size() < 13 && (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (lines.size() != 13 || lines[0] != kHeading || lines[1].rfind("lonworks ", 0) != 0 || !lines[12].empty())
        return std::nullopt;
    Kept kept;
    kept.layout = LayoutFor(lines[1].substr(9), "KR");
    const std::array<std::string, 4> folders = Folders(kept.layout);
    for (std::size_t i = 0; i < folders.size(); ++i) {
        kept.folderThere[i] = lines[i + 2] == "present " + folders[i];
        if (!kept.folderThere[i] && lines[i + 2] != "absent " + folders[i]) return std::nullopt;
    }
    const std::vector<ExpectedFile> files = ExpectedFiles(kept.layout, payload, codePage);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& line = lines[i + 6];
        if (line == "absent " + files[i].path) continue;
        const std::size_t blank = line.find(' ', 5);
        if (line.rfind("kept ", 0) != 0 || blank == std::string::npos || line.substr(blank + 1) != files[i].path)
            return std::nullopt;
        const std::string digits = line.substr(5, blank - 5);
        if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        const std::size_t length = std::stoul(digits);
        if (text.size() - start < length) return std::nullopt;
        kept.files[i] = text.substr(start, length);
        start += length;
    }
    if (start != text.size()) return std::nullopt;
    return kept;
}

}  // namespace

bool ForgetKeptState(FolderFiles& stateFolder, const std::string& state) {
    const FolderFiles::Result result = stateFolder.Remove(state);
    return result == FolderFiles::Result::Done || result == FolderFiles::Result::Missing;
}

std::string KeptStateText(const InstallLayout& layout, const Payload& payload, const CodePage& codePage,
                          FolderFiles& files, InstallSteps& steps) {
    std::string text = std::string(kHeading) + "\r\nlonworks " + layout.lonWorks + "\r\n", bytes;
    for (const std::string& folder : Folders(layout))
        text += (files.Look(folder) == FolderFiles::Kind::Folder ? "present " : "absent ") + folder + "\r\n";
    for (const ExpectedFile& file : ExpectedFiles(layout, payload, codePage)) {
        const FileContents contents = files.Read(file.path);
        if (contents.state == FileContents::State::Unreadable || contents.state == FileContents::State::Outside)
            throw InstallError(InstallFailure::File,
                               "Cannot read " + file.path + " to keep it" +
                                   (contents.state == FileContents::State::Outside ? LeadsOutside(files) : ""));
        const bool there = contents.state == FileContents::State::Read;
        const std::string length = std::to_string(contents.bytes.size());
        text += (there ? "kept " + length + " " : "absent ") + file.path + "\r\n";
        bytes += contents.bytes;
        steps.Step("keep " + file.path, there ? length + " bytes" : "absent");
    }
    return text + "\r\n" + bytes;
}

RestoreOutcome RestoreKeptState(const std::string& state, const Payload& payload, const CodePage& codePage,
                                InstallPlatform& platform, InstallSteps& steps) {
    RestoreOutcome outcome;
    const std::unique_ptr<FolderFiles> stateFolder = platform.FilesIn(FolderOf(state));
    const FileContents text = stateFolder->Read(state);
    if (text.state == FileContents::State::Missing) {
        steps.Step("restore", "nothing was kept");
        return outcome;
    }
    const std::optional<Kept> kept = text.state == FileContents::State::Read ? ParseKept(text.bytes, payload, codePage)
                                                                             : std::nullopt;
    if (!kept) {
        outcome.errors.push_back("r7716-install: " + state + " is no state this program kept; nothing was restored");
        outcome.exitCode = ExitCode::Usage;
        return outcome;
    }

    const std::unique_ptr<FolderFiles> files = platform.FilesIn(kept->layout.lonWorks);
    auto report = [&](const std::string& path, bool done, FileState state, ExitCode failure,
                      const std::string& why = {}) {
        if (!done) state = FileState::Failed;
        outcome.lines += CheckLine({path, state});
        steps.Step("restore " + path, StateWord(state));
        if (done) return;
        outcome.errors.push_back("Cannot restore " + path + why);
        if (outcome.exitCode == ExitCode::Success) outcome.exitCode = failure;
    };
    const std::string outside = LeadsOutside(*files);
    const std::array<std::string, 4> folders = Folders(kept->layout);
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (!kept->folderThere[i]) continue;
        const FolderFiles::Kind kind = files->Look(folders[i]);
        if (kind == FolderFiles::Kind::Folder) continue;
        report(folders[i], kind != FolderFiles::Kind::Outside && files->MakeFolder(folders[i]), FileState::Restored,
               ExitCode::FolderFailed, kind == FolderFiles::Kind::Outside ? outside : "");
    }
    const std::vector<ExpectedFile> expected = ExpectedFiles(kept->layout, payload, codePage);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::string& path = expected[i].path;
        const FileContents now = files->Read(path);
        if (const std::optional<std::string>& before = kept->files[i]) {
            if (now.state == FileContents::State::Read && now.bytes == *before) continue;
            bool done = true;
            std::string why;
            try {
                WriteWholeFile(*files, path, *before);
            } catch (const InstallError& e) {
                done = false;
                why = e.Message().substr(("Cannot write " + path).size());  // what it adds, if anything
            }
            report(path, done, FileState::Restored, ExitCode::FileFailed, why);
        } else if (now.state != FileContents::State::Missing) {
            const FolderFiles::Result removed = files->Remove(path);
            report(path, removed == FolderFiles::Result::Done, FileState::Removed, ExitCode::FileFailed,
                   removed == FolderFiles::Result::Outside ? outside : "");
        }
    }
    // Deepest first; a folder that holds anything else is not this run's to remove.
    for (std::size_t i = folders.size(); i-- > 0;)
        if (!kept->folderThere[i] && files->Look(folders[i]) == FolderFiles::Kind::Folder &&
            files->RemoveFolder(folders[i]) == FolderFiles::Result::Done)
            report(folders[i], true, FileState::Removed, ExitCode::Success);
    if (outcome.exitCode == ExitCode::Success && !ForgetKeptState(*stateFolder, state)) {
        outcome.errors.push_back("Cannot remove " + state);
        outcome.exitCode = ExitCode::FileFailed;
    }
    return outcome;
}

}  // namespace korva
