#include "core/console/InstallCheck.h"

namespace korva {

FileState JudgeFile(const FileContents& installed, const std::optional<std::string>& expected) {
    switch (installed.state) {
    case FileContents::State::Missing: return FileState::Missing;
    case FileContents::State::Unreadable: return FileState::Unreadable;
    case FileContents::State::Read: break;
    }
    return expected && installed.bytes == *expected ? FileState::Current : FileState::Different;
}

std::vector<CheckedFile> CheckInstallation(const InstallLayout& layout, const Payload& payload,
                                           const CodePage& codePage, ConsolePlatform& platform) {
    std::vector<CheckedFile> checked;
    for (const ResourceFile& file : ResourceFiles(layout, payload)) {
        const std::string image(reinterpret_cast<const char*>(file.image.bytes), file.image.length);
        checked.push_back({file.Path(), JudgeFile(platform.ReadWhole(file.Path()), image)});
    }
    checked.push_back(
        {layout.commandFile, JudgeFile(platform.ReadWhole(layout.commandFile), CommandFileBytes(layout, codePage))});
    return checked;
}

std::string CheckLine(const CheckedFile& file) {
    const char* word = "";
    switch (file.state) {
    case FileState::Current: word = "current   "; break;
    case FileState::Missing: word = "missing   "; break;
    case FileState::Different: word = "different "; break;
    case FileState::Unreadable: word = "unreadable"; break;
    }
    return std::string(word) + " " + file.path + "\r\n";
}

}  // namespace korva
