#pragma once
// A ChooserPlatform on a POSIX file system, for the benchmarks: the same folder search the
// directory list makes on Windows (names and attributes of a folder's entries), with
// opendir/readdir and a stat of each entry for its type. A name beginning with a full stop
// counts as hidden, as Wine reports it. There are no drive letters: no drives are listed.
#include "core/chooser/ChooserPlatform.h"

namespace korva {

class PosixChooserPlatform : public ChooserPlatform {
public:
    std::uint32_t LogicalDrives() override { return 0; }
    int DriveType(const std::string&) override { return kDriveNoRootDir; }
    std::optional<VolumeInformation> VolumeInfo(const std::string&) override {
        return VolumeInformation{"", kFsCaseSensitive | kFsCaseIsPreserved};
    }
    unsigned ChangeErrorMode(unsigned mode) override {
        unsigned previous = errorMode_;
        errorMode_ = mode;
        return previous;
    }
    std::optional<std::string> NetworkConnection(const std::string&) override { return std::nullopt; }
    int SetWorkingDirectory(const std::string& path) override;
    std::string WorkingDirectory() override;
    std::optional<std::uint32_t> FileAttributes(const std::string& path) override;
    // The pattern is a folder followed by "\*.*" (or "/*.*", or "*.*" after a separator).
    std::unique_ptr<FolderSearch> FindFirst(const std::string& pattern) override;
    // strcasecmp / strcmp.
    int Compare(const std::string& a, const std::string& b, bool ignoreCase) override;
    const CodePage& AnsiCodePage() const override { return codePage_; }

private:
    AsciiCodePage codePage_;
    unsigned errorMode_ = 0;
};

}  // namespace korva
