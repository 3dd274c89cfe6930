#pragma once
// The machine as the installation sees it: one operation per platform call it makes.
// The Win32 implementation uses the ANSI calls named beside each operation; tests use a
// fake that records every call and can fail any one of them. (The names avoid the Win32
// ones, which <windows.h> turns into macros.)
#include <cstdint>
#include <string>

namespace korva {

class InstallPlatform {
public:
    using FileHandle = std::uintptr_t;  // opaque; meaningful only to the implementation

    virtual ~InstallPlatform() = default;

    // GetFileAttributesA: true only if the attributes can be read and mark a directory.
    virtual bool IsFolder(const std::string& path) = 0;
    // CreateDirectoryA with default security: creates exactly one folder.
    virtual bool MakeFolder(const std::string& path) = 0;
    // CreateFileA: read and write access, no sharing, CREATE_ALWAYS (a new or emptied file),
    // FILE_ATTRIBUTE_COMPRESSED. False when the file cannot be created; `handle` is then untouched.
    virtual bool OpenForWrite(const std::string& path, FileHandle& handle) = 0;
    // WriteFile in one call; returns the count of bytes written (0 on failure).
    virtual std::uint32_t Write(FileHandle handle, const unsigned char* bytes, std::uint32_t count) = 0;
    // CloseHandle.
    virtual bool Close(FileHandle handle) = 0;
    // MoveFileExA with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH: replaces `to` in one step.
    virtual bool MoveOver(const std::string& from, const std::string& to) = 0;
    // DeleteFileA.
    virtual bool Remove(const std::string& path) = 0;
    // RemoveDirectoryA: removes an empty folder.
    virtual bool RemoveFolder(const std::string& path) = 0;
    // SetCurrentDirectoryA.
    virtual bool EnterFolder(const std::string& path) = 0;
    // Sleep.
    virtual void Pause(unsigned milliseconds) = 0;
    // WinExec with the given command line and show mode; true when the system reports a start
    // (a result above 31).
    virtual bool Start(const std::string& commandLine, int showMode) = 0;

    // The machine-wide installation lock (a named mutex that every program of this product
    // on the machine shares): CreateMutexA, then WaitForSingleObject for at most `waitMs`.
    // True when this process holds the lock, also when its last holder ended without letting
    // it go. Held until Unlock (ReleaseMutex).
    virtual bool Lock(unsigned waitMs) = 0;
    virtual void Unlock() = 0;
};

}  // namespace korva
