#pragma once
// The machine as the installation sees it: one operation per platform call it makes.
// The Win32 implementation uses the ANSI calls named beside each operation; tests use a
// fake that records every call and can fail any one of them.
#include <cstdint>
#include <string>

// <windows.h> defines CreateDirectory, CreateFile, DeleteFile, ReplaceFile and
// SetCurrentDirectory as macros; keep them off these member names whatever the include order.
#pragma push_macro("CreateDirectory")
#pragma push_macro("CreateFile")
#pragma push_macro("DeleteFile")
#pragma push_macro("ReplaceFile")
#pragma push_macro("SetCurrentDirectory")
#undef CreateDirectory
#undef CreateFile
#undef DeleteFile
#undef ReplaceFile
#undef SetCurrentDirectory

namespace korva {

class InstallPlatform {
public:
    using FileHandle = std::uintptr_t;  // opaque; meaningful only to the implementation

    virtual ~InstallPlatform() = default;

    // GetFileAttributesA: true only if the attributes can be read and mark a directory.
    virtual bool IsDirectory(const std::string& path) = 0;
    // CreateDirectoryA with default security: creates exactly one folder.
    virtual bool CreateDirectory(const std::string& path) = 0;
    // CreateFileA: read and write access, no sharing, CREATE_ALWAYS, FILE_ATTRIBUTE_COMPRESSED.
    // False when the file cannot be created; `handle` is then untouched.
    virtual bool CreateFile(const std::string& path, FileHandle& handle) = 0;
    // WriteFile in one call; returns the count of bytes written (0 on failure).
    virtual std::uint32_t WriteFile(FileHandle handle, const unsigned char* bytes, std::uint32_t count) = 0;
    // CloseHandle.
    virtual bool CloseHandle(FileHandle handle) = 0;
    // MoveFileExA with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH: replaces `to` in one step.
    virtual bool ReplaceFile(const std::string& from, const std::string& to) = 0;
    // DeleteFileA.
    virtual bool DeleteFile(const std::string& path) = 0;
    // SetCurrentDirectoryA.
    virtual bool SetCurrentDirectory(const std::string& path) = 0;
    // Sleep.
    virtual void Sleep(unsigned milliseconds) = 0;
    // WinExec with the given command line and show mode; true when the system reports a start
    // (a result above 31).
    virtual bool WinExec(const std::string& commandLine, int showMode) = 0;
};

}  // namespace korva

#pragma pop_macro("SetCurrentDirectory")
#pragma pop_macro("ReplaceFile")
#pragma pop_macro("DeleteFile")
#pragma pop_macro("CreateFile")
#pragma pop_macro("CreateDirectory")
