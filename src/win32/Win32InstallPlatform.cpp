#include "win32/Win32InstallPlatform.h"

#include <windows.h>

namespace korva {

namespace {

HANDLE ToHandle(InstallPlatform::FileHandle handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

bool Win32InstallPlatform::IsFolder(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32InstallPlatform::MakeFolder(const std::string& path) {
    return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool Win32InstallPlatform::OpenForWrite(const std::string& path, FileHandle& handle) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_COMPRESSED, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle = reinterpret_cast<FileHandle>(file);
    return true;
}

std::uint32_t Win32InstallPlatform::Write(FileHandle handle, const unsigned char* bytes, std::uint32_t count) {
    DWORD written = 0;
    if (!::WriteFile(ToHandle(handle), bytes, count, &written, nullptr)) return 0;
    return written;
}

bool Win32InstallPlatform::Close(FileHandle handle) { return ::CloseHandle(ToHandle(handle)) != FALSE; }

bool Win32InstallPlatform::MoveOver(const std::string& from, const std::string& to) {
    return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32InstallPlatform::Remove(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

bool Win32InstallPlatform::RemoveFolder(const std::string& path) { return ::RemoveDirectoryA(path.c_str()) != FALSE; }

bool Win32InstallPlatform::EnterFolder(const std::string& path) {
    return ::SetCurrentDirectoryA(path.c_str()) != FALSE;
}

void Win32InstallPlatform::Pause(unsigned milliseconds) { ::Sleep(milliseconds); }

bool Win32InstallPlatform::Start(const std::string& commandLine, int showMode) {
    return ::WinExec(commandLine.c_str(), static_cast<UINT>(showMode)) > 31;
}

bool Win32InstallPlatform::Lock(unsigned waitMs) {
    if (held_) return true;
    if (!lock_) {
        lock_.Reset(::CreateMutexA(nullptr, FALSE, kInstallLockName));
        // A lock made by another account may grant us no more than waiting for it and
        // letting it go.
        if (!lock_) lock_.Reset(::OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kInstallLockName));
        if (!lock_) return false;
    }
    const DWORD waited = ::WaitForSingleObject(lock_.Get(), waitMs);
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    return held_;
}

void Win32InstallPlatform::Unlock() {
    if (held_) ::ReleaseMutex(lock_.Get());
    held_ = false;
}

}  // namespace korva
