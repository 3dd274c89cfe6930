#include "win32/Win32FolderFiles.h"

#include "core/install/Installer.h"
#include "win32/HandleBytes.h"

namespace korva {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE ToHandle(FolderFiles::Handle handle) { return reinterpret_cast<HANDLE>(handle); }

// The final path of what a handle opened: "\\?\C:\LonWorks\Import"; empty when unknown.
std::wstring FinalPath(HANDLE handle) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(length);
    }
}

std::wstring NameOf(const std::string& path) {
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    std::wstring wide(name.size(), L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return wide;
}

bool MarkForDeletion(HANDLE handle, bool deleteIt) {
    FILE_DISPOSITION_INFO disposition{static_cast<BOOLEAN>(deleteIt)};
    return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

FolderFiles::Result NotOpened() {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FolderFiles::Result::Missing
                                                                          : FolderFiles::Result::Failed;
}

}  // namespace

Win32FolderFiles::Win32FolderFiles(std::string folder) : folder_(std::move(folder)) {
    folderHandle_.Reset(CreateFileA(folder_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!folderHandle_ || !GetFileInformationByHandle(folderHandle_.Get(), &info) ||
        !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    root_ = FinalPath(folderHandle_.Get());
    if (!root_.empty() && root_.back() == L'\\') root_.pop_back();  // a drive's root
}

Win32FolderFiles::Place Win32FolderFiles::Where(HANDLE handle) const {
    if (root_.empty()) return Place::Unknown;
    const std::wstring path = FinalPath(handle);
    if (path.empty()) return Place::Unknown;
    const bool inside = path.compare(0, root_.size(), root_) == 0 &&
                        (path.size() == root_.size() || path[root_.size()] == L'\\');
    return inside ? Place::Inside : Place::Outside;
}

FolderFiles::Result Win32FolderFiles::Open(const std::string& path, DWORD access, DWORD share, DWORD flags,
                                           bool sameName, ScopedHandle& opened) {
    std::wstring expected;
    if (sameName) {
        const std::string parent = FolderOf(path);
        switch (Look(parent)) {
        case Kind::Folder: break;
        case Kind::Missing: return Result::Missing;
        case Kind::Outside: return Result::Outside;
        default: return Result::Failed;
        }
        expected = FinalPath(held_[parent].Get()) + L"\\" + NameOf(path);
    }
    opened.Reset(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, flags, nullptr));
    if (!opened) return NotOpened();
    switch (Where(opened.Get())) {
    case Place::Inside: break;
    case Place::Outside: return Result::Outside;
    case Place::Unknown: return Result::Failed;
    }
    if (sameName) {
        const std::wstring final = FinalPath(opened.Get());
        if (CompareStringOrdinal(final.data(), static_cast<int>(final.size()), expected.data(),
                                 static_cast<int>(expected.size()), TRUE) != CSTR_EQUAL)
            return Result::Failed;  // a link to something else inside
    }
    return Result::Done;
}

FolderFiles::Kind Win32FolderFiles::Look(const std::string& path) {
    if (held_.count(path)) return Kind::Folder;  // held: it is still there, and where it was
    // Read access with the sharing of deletion withheld: held so, the folder cannot be renamed
    // or removed, nor a link put in its place.
    ScopedHandle handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return NotOpened() == Result::Missing ? Kind::Missing : Kind::Unknown;
    switch (Where(handle.Get())) {
    case Place::Inside: break;
    case Place::Outside: return Kind::Outside;
    case Place::Unknown: return Kind::Unknown;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle.Get(), &info)) return Kind::Unknown;
    if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return Kind::File;
    held_[path] = std::move(handle);
    return Kind::Folder;
}

bool Win32FolderFiles::MakeFolder(const std::string& path) {
    return Look(FolderOf(path)) == Kind::Folder && CreateDirectoryA(path.c_str(), nullptr) &&
           Look(path) == Kind::Folder;
}

FileContents Win32FolderFiles::Read(const std::string& path) {
    ScopedHandle file;
    switch (Open(path, GENERIC_READ, FILE_SHARE_READ, FILE_ATTRIBUTE_NORMAL, false, file)) {
    case Result::Done: break;
    case Result::Missing: return {FileContents::State::Missing, {}};
    case Result::Outside: return {FileContents::State::Outside, {}};
    default: return {FileContents::State::Unreadable, {}};
    }
    FileContents contents{FileContents::State::Read, {}};
    if (!ReadToEnd(file.Get(), contents.bytes)) return {FileContents::State::Unreadable, {}};
    return contents;
}

FolderFiles::Result Win32FolderFiles::CreateNew(const std::string& path, Handle& handle) {
    // In a folder held open and found inside: the new file cannot land anywhere else.
    switch (Look(FolderOf(path))) {
    case Kind::Folder: break;
    case Kind::Outside: return Result::Outside;
    default: return Result::Failed;
    }
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_COMPRESSED, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? Result::Exists : Result::Failed;
    }
    // Gone when its handle closes, until it has its name: a run ended midway leaves nothing.
    if (!MarkForDeletion(file.Get(), true)) return Result::Failed;
    switch (Where(file.Get())) {
    case Place::Inside: break;
    case Place::Outside: return Result::Outside;
    case Place::Unknown: return Result::Failed;
    }
    handle = reinterpret_cast<Handle>(file.Release());
    return Result::Done;
}

std::uint32_t Win32FolderFiles::Write(Handle handle, const unsigned char* bytes, std::uint32_t count) {
    DWORD written = 0;
    if (!WriteFile(ToHandle(handle), bytes, count, &written, nullptr)) return 0;
    return written;
}

bool Win32FolderFiles::MoveOver(Handle handle, const std::string& target) {
    // The new name in the target's folder as it was found, in the system's own form
    // (\??\C:\..., \??\UNC\...): nothing on the way there is looked up by name again.
    const std::string parent = FolderOf(target);
    if (Look(parent) != Kind::Folder) return false;
    std::wstring name = FinalPath(held_[parent].Get());
    if (name.rfind(L"\\\\?\\", 0) != 0) return false;
    name = L"\\??\\" + name.substr(4) + L"\\" + NameOf(target);

    std::string buffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t), '\0');
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    name.copy(rename->FileName, name.size());
    // Its bytes are on the disk before it takes the name: a write the system kept back and
    // failed later shows here, while the old file is still in place.
    if (!FlushFileBuffers(ToHandle(handle)) || !MarkForDeletion(ToHandle(handle), false)) return false;
    if (SetFileInformationByHandle(ToHandle(handle), FileRenameInfo, rename, static_cast<DWORD>(buffer.size())))
        return true;
    MarkForDeletion(ToHandle(handle), true);
    return false;
}

bool Win32FolderFiles::Close(Handle handle) { return CloseHandle(ToHandle(handle)) != FALSE; }

FolderFiles::Result Win32FolderFiles::Remove(const std::string& path) {
    // The very file of that name: a link is not followed (on Windows the link itself is
    // opened) and not deleted through.
    ScopedHandle file;
    const Result opened = Open(path, DELETE | FILE_READ_ATTRIBUTES, kShareAll, FILE_FLAG_OPEN_REPARSE_POINT, true,
                               file);
    if (opened != Result::Done) return opened;
    return MarkForDeletion(file.Get(), true) ? Result::Done : Result::Failed;
}

FolderFiles::Result Win32FolderFiles::RemoveFolder(const std::string& path) {
    held_.erase(path);  // our own hold would keep it
    ScopedHandle folder;
    const Result opened = Open(path, DELETE | FILE_READ_ATTRIBUTES, kShareAll,
                               FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, true, folder);
    if (opened != Result::Done) return opened;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(folder.Get(), &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return Result::Failed;
    // Fails for a folder that is not empty.
    return MarkForDeletion(folder.Get(), true) ? Result::Done : Result::Failed;
}

}  // namespace korva
