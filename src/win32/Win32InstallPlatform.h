#pragma once
// The installation's machine on Windows: the files inside a folder, the working directory, the
// start of the command file, the machine-wide installation lock, and what decides the rights
// the command file runs with.
#include "core/install/InstallPlatform.h"
#include "win32/Scoped.h"

namespace korva {

// The installation lock's name where the system has no private namespaces (Wine) and for a
// run without administrator rights: one mutex for every session of the machine, shared by
// the window and r7716-install.exe of every version.
inline constexpr char kInstallLockName[] = "Global\\KORVA-R7716-Installation";
// An elevated run's: the same mutex in a private namespace bounded by the Administrators group.
inline constexpr wchar_t kInstallLockNamespace[] = L"KORVA-R7716";
inline constexpr char kInstallLockPrivateName[] = "KORVA-R7716\\Installation";

// GetEnvironmentVariableA of this process; empty when it is not set.
std::string EnvironmentVariable(const char* name);

class Win32InstallPlatform : public InstallPlatform {
public:
    ~Win32InstallPlatform() override;

    std::unique_ptr<FolderFiles> FilesIn(const std::string& folder) override;
    bool EnterFolder(const std::string& path) override;
    void Pause(unsigned milliseconds) override;
    StartFailure Start(const std::string& commandLine, int showMode, const StandardUserStart* standardUser) override;
    StartFacts FactsForStart() override;
    LockResult Lock(unsigned waitMs) override;
    void Unlock() override;
    ObjectSecurity SecurityOf(const std::string& path) override;
    std::string Account() override;
    std::string Environment(const char* name) override;
    std::string FullPath(const std::string& path) override;

private:
    HANDLE namespace_ = nullptr;  // the private namespace the lock lies in, when it does
    ScopedHandle lock_;
    bool held_ = false;
};

}  // namespace korva
