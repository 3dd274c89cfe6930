#include "win32/Win32InstallPlatform.h"

#include <aclapi.h>
#include <sddl.h>

#include "win32/Win32FolderFiles.h"
#include "win32/Win32StandardUserStart.h"

namespace korva {

namespace {

// Only SYSTEM and the Administrators group may open the lock's namespace and mutex.
constexpr char kAdministratorsOnly[] = "D:P(A;;GA;;;SY)(A;;GA;;;BA)";

// The private namespace bounded by the Administrators group, created or opened; null where
// the system has none (Wine 8: CreateBoundaryDescriptorW makes nothing, CreatePrivateNamespaceW
// is missing), and for a process that is not in the boundary.
HANDLE AdministratorsNamespace() {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto createBoundary = LoadProc<decltype(CreateBoundaryDescriptorW)>(kernel, "CreateBoundaryDescriptorW");
    const auto addSid = LoadProc<decltype(AddSIDToBoundaryDescriptor)>(kernel, "AddSIDToBoundaryDescriptor");
    const auto deleteBoundary = LoadProc<decltype(DeleteBoundaryDescriptor)>(kernel, "DeleteBoundaryDescriptor");
    const auto create = LoadProc<decltype(CreatePrivateNamespaceW)>(kernel, "CreatePrivateNamespaceW");
    const auto open = LoadProc<decltype(OpenPrivateNamespaceW)>(kernel, "OpenPrivateNamespaceW");
    if (!createBoundary || !addSid || !deleteBoundary || !create || !open) return nullptr;
    HANDLE boundary = createBoundary(kInstallLockNamespace, 0);
    if (!boundary) return nullptr;
    const ScopeGuard dropBoundary([&] { deleteBoundary(boundary); });
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof administrators;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size) ||
        !addSid(&boundary, administrators))
        return nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(kAdministratorsOnly, SDDL_REVISION_1, &descriptor,
                                                              nullptr))
        return nullptr;
    const ScopeGuard freeDescriptor([descriptor] { LocalFree(descriptor); });
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    // Another run may close the namespace between our try to create it and to open it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (HANDLE made = create(&attributes, boundary, kInstallLockNamespace)) return made;
        if (GetLastError() != ERROR_ALREADY_EXISTS) return nullptr;
        if (HANDLE opened = open(boundary, kInstallLockNamespace)) return opened;
    }
    return nullptr;
}

}  // namespace

Win32InstallPlatform::~Win32InstallPlatform() {
    Unlock();
    lock_.Close();
    if (!namespace_) return;
    if (const auto close = LoadProc<decltype(ClosePrivateNamespace)>(GetModuleHandleA("kernel32.dll"),
                                                                     "ClosePrivateNamespace"))
        close(namespace_, 0);
}

std::unique_ptr<FolderFiles> Win32InstallPlatform::FilesIn(const std::string& folder) {
    return std::make_unique<Win32FolderFiles>(folder);
}

bool Win32InstallPlatform::EnterFolder(const std::string& path) {
    return ::SetCurrentDirectoryA(path.c_str()) != FALSE;
}

void Win32InstallPlatform::Pause(unsigned milliseconds) { ::Sleep(milliseconds); }

StartFailure Win32InstallPlatform::Start(const std::string& commandLine, int showMode,
                                         const StandardUserStart* standardUser) {
    if (!standardUser) {
        const UINT started = ::WinExec(commandLine.c_str(), static_cast<UINT>(showMode));
        return started > 31 ? StartFailure{} : StartFailure{StartFailure::Step::Start, started};
    }
    // The same command line with a standard user's rights, shown as WinExec would show it.
    auto child = std::make_unique<StandardUserChild>(*standardUser);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showMode);
    PROCESS_INFORMATION process{};
    const StartFailure failure = child->Start(commandLine, 0, false, startup, process);
    if (failure.Failed()) return failure;
    CloseHandle(process.hThread);
    KeepUntilEnded(std::move(child), process.hProcess);
    return {};
}

StartFacts Win32InstallPlatform::FactsForStart() { return StandardUserStartFacts(); }

LockResult Win32InstallPlatform::Lock(unsigned waitMs) {
    if (held_) return LockResult::Held;
    if (!lock_) {
        if (!namespace_) namespace_ = AdministratorsNamespace();
        if (namespace_) {
            PSECURITY_DESCRIPTOR descriptor = nullptr;
            if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(kAdministratorsOnly, SDDL_REVISION_1, &descriptor,
                                                                      nullptr))
                return LockResult::Unusable;
            const ScopeGuard freeDescriptor([descriptor] { LocalFree(descriptor); });
            SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
            lock_.Reset(::CreateMutexA(&attributes, FALSE, kInstallLockPrivateName));
        } else {
            lock_.Reset(::CreateMutexA(nullptr, FALSE, kInstallLockName));
            // A lock made by another account may grant us no more than waiting for it and
            // letting it go.
            if (!lock_) lock_.Reset(::OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kInstallLockName));
        }
        // The name is taken by an object that is not ours to use: no installation holds it.
        if (!lock_) return LockResult::Unusable;
    }
    const DWORD waited = ::WaitForSingleObject(lock_.Get(), waitMs);
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    return held_ ? LockResult::Held : waited == WAIT_TIMEOUT ? LockResult::Busy : LockResult::Unusable;
}

void Win32InstallPlatform::Unlock() {
    if (held_) ::ReleaseMutex(lock_.Get());
    held_ = false;
}

ObjectSecurity Win32InstallPlatform::SecurityOf(const std::string& path) {
    PSID owner = nullptr;
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD error = GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT,
                                              OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr,
                                              &dacl, nullptr, &descriptor);
    ObjectSecurity security;
    security.state = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ObjectSecurity::State::Missing
                                                                                    : ObjectSecurity::State::Unreadable;
    if (error != ERROR_SUCCESS) return security;
    const ScopeGuard free([descriptor] { LocalFree(descriptor); });
    security = {ObjectSecurity::State::Read, SidText(owner), dacl == nullptr, {}};
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(dacl, i, &ace)) {
            security.state = ObjectSecurity::State::Unreadable;
            return security;
        }
        const auto* header = static_cast<const ACE_HEADER*>(ace);
        AccessEntry entry;
        entry.flags = header->AceFlags;
        entry.mask = static_cast<const ACCESS_ALLOWED_ACE*>(ace)->Mask;
        switch (header->AceType) {
        case ACCESS_ALLOWED_ACE_TYPE:
        case ACCESS_ALLOWED_CALLBACK_ACE_TYPE:
            entry.allows = true;
            entry.sid = SidText(&static_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart);
            break;
        case ACCESS_ALLOWED_OBJECT_ACE_TYPE:
        case ACCESS_ALLOWED_CALLBACK_OBJECT_ACE_TYPE:
            entry.allows = true;  // whom it names is not read: it counts as anyone
            break;
        default: break;  // denies and the like grant nothing
        }
        security.dacl.push_back(std::move(entry));
    }
    return security;
}

std::string Win32InstallPlatform::Account() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    const ScopedHandle owned(token);
    alignas(TOKEN_USER) BYTE user[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenUser, user, sizeof user, &size)) return {};
    return SidText(reinterpret_cast<TOKEN_USER*>(user)->User.Sid);
}

std::string Win32InstallPlatform::Environment(const char* name) { return EnvironmentVariable(name); }

std::string EnvironmentVariable(const char* name) {
    const DWORD length = GetEnvironmentVariableA(name, nullptr, 0);
    if (length == 0) return {};
    std::string value(length, '\0');
    const DWORD got = GetEnvironmentVariableA(name, value.data(), length);
    if (got == 0 || got >= length) return {};
    value.resize(got);
    return value;
}

std::string Win32InstallPlatform::FullPath(const std::string& path) {
    const DWORD length = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) return path;
    std::string full(length, '\0');
    const DWORD got = GetFullPathNameA(path.c_str(), length, full.data(), nullptr);
    if (got == 0 || got >= length) return path;
    full.resize(got);
    return full;
}

}  // namespace korva
