#pragma once
// The installation's machine on Windows: the ANSI file, directory and process calls, and the
// machine-wide installation lock.
#include "core/install/InstallPlatform.h"
#include "win32/Scoped.h"

namespace korva {

// The installation lock's name: one mutex for every session of the machine, shared by the
// window and r7716-install.exe of every version.
inline constexpr char kInstallLockName[] = "Global\\KORVA-R7716-Installation";

class Win32InstallPlatform : public InstallPlatform {
public:
    ~Win32InstallPlatform() override { Unlock(); }

    bool IsFolder(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    bool OpenForWrite(const std::string& path, FileHandle& handle) override;
    std::uint32_t Write(FileHandle handle, const unsigned char* bytes, std::uint32_t count) override;
    bool Close(FileHandle handle) override;
    bool MoveOver(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    bool EnterFolder(const std::string& path) override;
    void Pause(unsigned milliseconds) override;
    bool Start(const std::string& commandLine, int showMode) override;
    bool Lock(unsigned waitMs) override;
    void Unlock() override;

private:
    ScopedHandle lock_;
    bool held_ = false;
};

}  // namespace korva
