#include <windows.h>

// The members below carry the names that <windows.h> maps to its A/W functions.
#undef CreateDirectory
#undef CreateFile
#undef DeleteFile
#undef ReplaceFile
#undef SetCurrentDirectory

#include "win32/Win32InstallPlatform.h"

namespace korva {

namespace {

HANDLE ToHandle(InstallPlatform::FileHandle handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

bool Win32InstallPlatform::IsDirectory(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32InstallPlatform::CreateDirectory(const std::string& path) {
    return ::CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool Win32InstallPlatform::CreateFile(const std::string& path, FileHandle& handle) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_COMPRESSED, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle = reinterpret_cast<FileHandle>(file);
    return true;
}

std::uint32_t Win32InstallPlatform::WriteFile(FileHandle handle, const unsigned char* bytes, std::uint32_t count) {
    DWORD written = 0;
    if (!::WriteFile(ToHandle(handle), bytes, count, &written, nullptr)) return 0;
    return written;
}

bool Win32InstallPlatform::CloseHandle(FileHandle handle) { return ::CloseHandle(ToHandle(handle)) != FALSE; }

bool Win32InstallPlatform::ReplaceFile(const std::string& from, const std::string& to) {
    return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32InstallPlatform::DeleteFile(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

bool Win32InstallPlatform::SetCurrentDirectory(const std::string& path) {
    return ::SetCurrentDirectoryA(path.c_str()) != FALSE;
}

void Win32InstallPlatform::Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

bool Win32InstallPlatform::WinExec(const std::string& commandLine, int showMode) {
    return ::WinExec(commandLine.c_str(), static_cast<UINT>(showMode)) > 31;
}

}  // namespace korva
