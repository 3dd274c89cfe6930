#pragma once
// The files and folders inside one folder (the LonWorks folder, or the folder of a kept
// state), as that folder resolves when the object is made. Every operation opens its file or
// folder first, checks that the final path of what it opened lies inside, and only then
// reads, writes, renames or deletes, through that same handle: no name swapped for a link
// between the check and the act can lead it elsewhere. The Win32 implementation names its
// calls beside each operation; tests use a fake in memory.
#include <cstdint>
#include <string>

namespace korva {

struct FileContents {
    enum class State { Read, Missing, Unreadable, Outside };
    State state = State::Missing;
    std::string bytes;  // when Read
};

class FolderFiles {
public:
    using Handle = std::uintptr_t;  // opaque; meaningful only to the implementation

    // What a name holds. Outside: it leads out of the folder (a link, a junction).
    enum class Kind { Missing, Folder, File, Outside, Unknown };
    // How an operation ended. Exists: a name that CreateNew must make is taken.
    enum class Result { Done, Missing, Exists, Outside, Failed };

    virtual ~FolderFiles() = default;

    // The folder as it was given.
    virtual const std::string& Folder() const = 0;

    // CreateFileA (a folder is held open, so that it cannot be renamed, replaced or removed
    // while this object lives) and GetFinalPathNameByHandleW.
    virtual Kind Look(const std::string& path) = 0;
    // CreateDirectoryA in a folder that Look finds inside; true when `path` is then a folder inside.
    virtual bool MakeFolder(const std::string& path) = 0;
    // CreateFileA for reading and ReadFile to the end.
    virtual FileContents Read(const std::string& path) = 0;
    // CreateFileA with CREATE_NEW in a folder that Look finds inside: a name that exists, a
    // link or not, is never opened. The new file is to be deleted when its handle closes
    // (FileDispositionInfo), until MoveOver has given it its name.
    virtual Result CreateNew(const std::string& path, Handle& handle) = 0;
    // WriteFile in one call; returns the count of bytes written (0 on failure).
    virtual std::uint32_t Write(Handle handle, const unsigned char* bytes, std::uint32_t count) = 0;
    // SetFileInformationByHandle (FileRenameInfo): the file of `handle` replaces `target`, a
    // name in the same folder, in one step.
    virtual bool MoveOver(Handle handle, const std::string& target) = 0;
    // CloseHandle; a file made by CreateNew and not moved over its target is gone with it.
    virtual bool Close(Handle handle) = 0;
    // Deletes a file through its handle (FileDispositionInfo).
    virtual Result Remove(const std::string& path) = 0;
    // Deletes an empty folder through its handle; only a real folder at that very name, not
    // a link to one.
    virtual Result RemoveFolder(const std::string& path) = 0;
};

}  // namespace korva
