#include "core/console/InstallCheck.h"

namespace korva {

FileState JudgeFile(const FileContents& installed, const std::optional<std::string>& expected) {
    switch (installed.state) {
    case FileContents::State::Missing: return FileState::Missing;
    case FileContents::State::Unreadable: return FileState::Unreadable;
    case FileContents::State::Outside: return FileState::Outside;
    case FileContents::State::Read: break;
    }
    return expected && installed.bytes == *expected ? FileState::Current : FileState::Different;
}

std::vector<ExpectedFile> ExpectedFiles(const InstallLayout& layout, const Payload& payload, const CodePage& codePage) {
    std::vector<ExpectedFile> files;
    for (const ResourceFile& file : ResourceFiles(layout, payload))
        files.push_back({file.Path(), std::string(reinterpret_cast<const char*>(file.image.bytes), file.image.length)});
    files.push_back({layout.commandFile, CommandFileBytes(layout, codePage)});
    return files;
}

std::vector<CheckedFile> CheckInstallation(const InstallLayout& layout, const Payload& payload,
                                           const CodePage& codePage, FolderFiles& files) {
    std::vector<CheckedFile> checked;
    for (const ExpectedFile& file : ExpectedFiles(layout, payload, codePage))
        checked.push_back({file.path, JudgeFile(files.Read(file.path), file.bytes)});
    return checked;
}

const char* StateWord(FileState state) {
    switch (state) {
    case FileState::Current: return "current";
    case FileState::Missing: return "missing";
    case FileState::Different: return "different";
    case FileState::Unreadable: return "unreadable";
    case FileState::Outside: return "outside";
    case FileState::Removed: return "removed";
    case FileState::Failed: return "failed";
    case FileState::Restored: return "restored";
    }
    return "";
}

std::string CheckLine(const CheckedFile& file) {
    std::string word = StateWord(file.state);
    word.resize(10, ' ');
    return word + " " + file.path + "\r\n";
}

}  // namespace korva
