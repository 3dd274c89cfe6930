#pragma once
// The folder chooser's machine on Windows: the ANSI drive, volume, directory and locale calls.
#include "core/chooser/ChooserPlatform.h"
#include "win32/Win32CodePage.h"

namespace korva {

class Win32ChooserPlatform : public ChooserPlatform {
public:
    std::uint32_t LogicalDrives() override;
    int DriveType(const std::string& root) override;
    std::optional<VolumeInformation> VolumeInfo(const std::string& root) override;
    unsigned ChangeErrorMode(unsigned mode) override;
    std::optional<std::string> NetworkConnection(const std::string& localName) override;
    // SetCurrentDirectoryA. After a successful change the process also records the folder
    // as its drive's own current directory (the "=C:" environment entry that the command
    // interpreter keeps), so that a later change to "C:" alone returns there.
    int SetWorkingDirectory(const std::string& path) override;
    std::string WorkingDirectory() override;
    std::optional<std::uint32_t> FileAttributes(const std::string& path) override;
    std::unique_ptr<FolderSearch> FindFirst(const std::string& pattern) override;
    int Compare(const std::string& a, const std::string& b, bool ignoreCase) override;
    const CodePage& AnsiCodePage() const override { return codePage_; }

private:
    Win32CodePage codePage_;
};

}  // namespace korva
