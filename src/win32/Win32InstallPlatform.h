#pragma once
// The installation's machine on Windows: the ANSI file, directory and process calls.
#include "core/install/InstallPlatform.h"

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

class Win32InstallPlatform : public InstallPlatform {
public:
    bool IsDirectory(const std::string& path) override;
    bool CreateDirectory(const std::string& path) override;
    bool CreateFile(const std::string& path, FileHandle& handle) override;
    std::uint32_t WriteFile(FileHandle handle, const unsigned char* bytes, std::uint32_t count) override;
    bool CloseHandle(FileHandle handle) override;
    bool ReplaceFile(const std::string& from, const std::string& to) override;
    bool DeleteFile(const std::string& path) override;
    bool SetCurrentDirectory(const std::string& path) override;
    void Sleep(unsigned milliseconds) override;
    bool WinExec(const std::string& commandLine, int showMode) override;
};

}  // namespace korva

#pragma pop_macro("SetCurrentDirectory")
#pragma pop_macro("ReplaceFile")
#pragma pop_macro("DeleteFile")
#pragma pop_macro("CreateFile")
#pragma pop_macro("CreateDirectory")
