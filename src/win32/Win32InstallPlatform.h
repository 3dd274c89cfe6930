#pragma once
// The installation's machine on Windows: the ANSI file, directory and process calls.
#include "core/install/InstallPlatform.h"

namespace korva {

class Win32InstallPlatform : public InstallPlatform {
public:
    bool IsFolder(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    bool OpenForWrite(const std::string& path, FileHandle& handle) override;
    std::uint32_t Write(FileHandle handle, const unsigned char* bytes, std::uint32_t count) override;
    bool Close(FileHandle handle) override;
    bool MoveOver(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool EnterFolder(const std::string& path) override;
    void Pause(unsigned milliseconds) override;
    bool Start(const std::string& commandLine, int showMode) override;
};

}  // namespace korva
