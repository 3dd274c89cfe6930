#pragma once
// The files and folders inside one folder on Windows. The folder is opened when the object is
// made and its final path taken (GetFinalPathNameByHandleW); every file or folder is then
// opened first and acted on through that handle only when its own final path lies below.
// Each folder it looks at stays open, without sharing deletion, for the object's life, so
// that no folder on the way to a file can be renamed or replaced by a link meanwhile.
#include <map>

#include "core/install/FolderFiles.h"
#include "win32/Scoped.h"

namespace korva {

class Win32FolderFiles : public FolderFiles {
public:
    explicit Win32FolderFiles(std::string folder);

    const std::string& Folder() const override { return folder_; }
    Kind Look(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    FileContents Read(const std::string& path) override;
    Result CreateNew(const std::string& path, Handle& handle) override;
    std::uint32_t Write(Handle handle, const unsigned char* bytes, std::uint32_t count) override;
    bool MoveOver(Handle handle, const std::string& target) override;
    bool Close(Handle handle) override;
    Result Remove(const std::string& path) override;
    Result RemoveFolder(const std::string& path) override;

private:
    enum class Place { Inside, Outside, Unknown };
    Place Where(HANDLE handle) const;
    // Opens `path` as CreateFileA is asked; Done with the handle when it lies inside and, when
    // `sameName`, is no link (its final path is that of its folder and its own name).
    Result Open(const std::string& path, DWORD access, DWORD share, DWORD flags, bool sameName, ScopedHandle& opened);

    std::string folder_;
    ScopedHandle folderHandle_;
    std::wstring root_;                         // the folder's final path, no trailing backslash; empty: not opened
    std::map<std::string, ScopedHandle> held_;  // the folders looked at, by the path given
};

}  // namespace korva
