#pragma once
// The machine as the folder chooser sees it: one operation per system call the drive
// chooser and the directory list make. The Win32 implementation uses the ANSI call named
// beside each operation; tests use a fake file system that records every call and can
// fail any of them. (The names avoid the Win32 ones, which <windows.h> turns into macros.)
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/common/CodePage.h"

namespace korva {

// GetDriveTypeA results.
inline constexpr int kDriveUnknown = 0;
inline constexpr int kDriveNoRootDir = 1;
inline constexpr int kDriveRemovable = 2;
inline constexpr int kDriveFixed = 3;
inline constexpr int kDriveRemote = 4;
inline constexpr int kDriveCdRom = 5;
inline constexpr int kDriveRamDisk = 6;

// File-system flags of GetVolumeInformationA.
inline constexpr std::uint32_t kFsCaseSensitive = 1;    // FS_CASE_SENSITIVE
inline constexpr std::uint32_t kFsCaseIsPreserved = 2;  // FS_CASE_IS_PRESERVED

// SetErrorMode flag.
inline constexpr unsigned kSemFailCriticalErrors = 1;  // SEM_FAILCRITICALERRORS

// File attributes as FindFirstFileA and GetFileAttributesA report them.
inline constexpr std::uint32_t kAttrReadOnly = 0x01;
inline constexpr std::uint32_t kAttrHidden = 0x02;
inline constexpr std::uint32_t kAttrSystem = 0x04;
inline constexpr std::uint32_t kAttrVolumeLabel = 0x08;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;

struct VolumeInformation {
    std::string label;        // volume name (261-character buffer)
    std::uint32_t flags = 0;  // kFsCaseSensitive, kFsCaseIsPreserved, ...
};

struct FolderEntry {
    std::string name;
    std::uint32_t attributes = 0;
};

// One running folder search; destroying it ends the search (FindClose).
class FolderSearch {
public:
    virtual ~FolderSearch() = default;
    // The first call gives the entry FindFirstFileA found, later calls FindNextFileA's;
    // false when there are no more entries (or the search broke off).
    virtual bool Next(FolderEntry& entry) = 0;
};

class ChooserPlatform {
public:
    virtual ~ChooserPlatform() = default;

    // GetLogicalDrives: bit 0 for A up to bit 25 for Z.
    virtual std::uint32_t LogicalDrives() = 0;
    // GetDriveTypeA of a root such as "c:\".
    virtual int DriveType(const std::string& root) = 0;
    // GetVolumeInformationA of a root such as "C:\" or "\\server\share\"; nullopt on failure.
    virtual std::optional<VolumeInformation> VolumeInfo(const std::string& root) = 0;
    // SetErrorMode: sets the mode and returns the previous one.
    virtual unsigned ChangeErrorMode(unsigned mode) = 0;
    // WNetGetConnectionA of a local name such as "Z:" (261-character buffer); nullopt on failure.
    virtual std::optional<std::string> NetworkConnection(const std::string& localName) = 0;
    // SetCurrentDirectoryA: 0 on success, else the system error code (GetLastError).
    // A drive letter + ":" alone changes to that drive's own current directory.
    virtual int SetWorkingDirectory(const std::string& path) = 0;
    // GetCurrentDirectoryA into a 260-character buffer.
    virtual std::string WorkingDirectory() = 0;
    // GetFileAttributesA; nullopt when the path does not exist or cannot be read.
    virtual std::optional<std::uint32_t> FileAttributes(const std::string& path) = 0;
    // FindFirstFileA on a search pattern such as "C:\LonWorks\*.*"; nullptr when the search
    // cannot start (no access, folder gone).
    virtual std::unique_ptr<FolderSearch> FindFirst(const std::string& pattern) = 0;
    // CompareStringA in the user's default locale, with NORM_IGNORECASE when `ignoreCase`:
    // negative, zero or positive as a sorts before, equal to or after b.
    virtual int Compare(const std::string& a, const std::string& b, bool ignoreCase) = 0;
    // The ANSI code page: CharUpperBuffA, CharLowerBuffA, IsDBCSLeadByte.
    virtual const CodePage& AnsiCodePage() const = 0;

    // Conveniences built on the operations above.
    bool IsDirectory(const std::string& path) {
        auto attributes = FileAttributes(path);
        return attributes && (*attributes & kAttrDirectory) != 0;
    }
};

}  // namespace korva
