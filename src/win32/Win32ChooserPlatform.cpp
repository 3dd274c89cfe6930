#include "win32/Win32ChooserPlatform.h"

#include <windows.h>
#include <winnetwk.h>

#include <cstring>

#include "win32/Scoped.h"

namespace korva {
namespace {

class Win32FolderSearch : public FolderSearch {
public:
    Win32FolderSearch(HANDLE handle, const WIN32_FIND_DATAA& first) : handle_(handle), data_(first) {}
    ~Win32FolderSearch() override { FindClose(handle_); }
    Win32FolderSearch(const Win32FolderSearch&) = delete;
    Win32FolderSearch& operator=(const Win32FolderSearch&) = delete;

    bool Next(FolderEntry& entry) override {
        if (!haveData_) {
            if (done_ || !FindNextFileA(handle_, &data_)) {
                done_ = true;
                return false;
            }
        }
        haveData_ = false;
        entry.name = data_.cFileName;
        entry.attributes = data_.dwFileAttributes;
        return true;
    }

private:
    HANDLE handle_;
    WIN32_FIND_DATAA data_;
    bool haveData_ = true;  // FindFirstFileA's entry is waiting
    bool done_ = false;
};

}  // namespace

std::uint32_t Win32ChooserPlatform::LogicalDrives() { return ::GetLogicalDrives(); }

int Win32ChooserPlatform::DriveType(const std::string& root) { return static_cast<int>(::GetDriveTypeA(root.c_str())); }

std::optional<VolumeInformation> Win32ChooserPlatform::VolumeInfo(const std::string& root) {
    char label[MAX_PATH + 1] = {};
    DWORD serial = 0, maxComponent = 0, flags = 0;
    if (!::GetVolumeInformationA(root.c_str(), label, sizeof label, &serial, &maxComponent, &flags, nullptr, 0))
        return std::nullopt;
    label[MAX_PATH] = '\0';
    return VolumeInformation{label, flags};
}

unsigned Win32ChooserPlatform::ChangeErrorMode(unsigned mode) { return ::SetErrorMode(mode); }

std::optional<std::string> Win32ChooserPlatform::NetworkConnection(const std::string& localName) {
    char remote[MAX_PATH + 1] = {};
    DWORD length = sizeof remote;
    // mpr is loaded for the first network drive, not imported: most machines show none, and
    // a library less to load makes every start of the tool shorter.
    static const auto getConnection = LoadProc<decltype(WNetGetConnectionA)>(::LoadLibraryA("mpr.dll"),
                                                                             "WNetGetConnectionA");
    if (!getConnection || getConnection(localName.c_str(), remote, &length) != NO_ERROR) return std::nullopt;
    remote[MAX_PATH] = '\0';
    return std::string(remote);
}

int Win32ChooserPlatform::SetWorkingDirectory(const std::string& path) {
    if (!::SetCurrentDirectoryA(path.c_str())) {
        const DWORD error = ::GetLastError();
        return error != 0 ? static_cast<int>(error) : ERROR_PATH_NOT_FOUND;
    }
    const std::string now = WorkingDirectory();
    if (now.size() >= 2 && now[1] == ':') {
        const std::string name = "=" + codePage_.Upper(now.substr(0, 1)) + ":";
        ::SetEnvironmentVariableA(name.c_str(), now.c_str());
    }
    return 0;
}

std::string Win32ChooserPlatform::WorkingDirectory() {
    char buffer[MAX_PATH] = {};
    const DWORD length = ::GetCurrentDirectoryA(sizeof buffer, buffer);
    if (length < sizeof buffer) return std::string(buffer, length);
    // Longer than the usual 260 characters: the call gave the size it needs.
    std::string longer(length, '\0');
    const DWORD written = ::GetCurrentDirectoryA(length, longer.data());
    longer.resize(written < length ? written : 0);
    return longer;
}

std::optional<std::uint32_t> Win32ChooserPlatform::FileAttributes(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
}

std::unique_ptr<FolderSearch> Win32ChooserPlatform::FindFirst(const std::string& pattern) {
    WIN32_FIND_DATAA data;
    const HANDLE handle = ::FindFirstFileA(pattern.c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32FolderSearch>(handle, data);
}

int Win32ChooserPlatform::Compare(const std::string& a, const std::string& b, bool ignoreCase) {
    const int result = ::CompareStringA(LOCALE_USER_DEFAULT, ignoreCase ? NORM_IGNORECASE : 0, a.data(),
                                        static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()));
    if (result == 0) {  // the call failed: fall back to the bytes
        const int bytes = std::strcmp(a.c_str(), b.c_str());
        return bytes < 0 ? -1 : bytes > 0 ? 1 : 0;
    }
    return result - CSTR_EQUAL;
}

}  // namespace korva
