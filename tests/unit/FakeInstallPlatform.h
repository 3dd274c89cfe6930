#pragma once
// An in-memory machine for the installation: folders and files kept in maps, every call
// recorded in order as one line of text, and any one call made to fail on demand. Names in
// `outside` lead out of the folder they lie in (links). Every folder and file is SYSTEM's and
// grants nobody else anything unless `security` says otherwise; those queries are not recorded.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/install/InstallPlatform.h"

namespace korva::testing {

class FakeInstallPlatform : public InstallPlatform, public FolderFiles {
public:
    std::vector<std::string> calls;            // "Operation argument..." in call order
    std::set<std::string> folders;             // existing directories
    std::map<std::string, std::string> files;  // existing files and their bytes
    std::set<std::string> outside;             // names that lead outside (what lies there is not here)
    std::string currentDirectory;
    int failCall = -1;                          // index into `calls` of the call that fails
    bool shortWrite = false;                    // a failing Write writes all but one byte
    LockResult lockRefused = LockResult::Busy;  // what a failing Lock gives
    std::map<std::string, ObjectSecurity> security;
    std::map<std::string, std::string> environment;
    std::vector<Rights> started;  // the rights of each start
    static constexpr const char* kAccount = "S-1-5-21-7-7-7-500";

    std::unique_ptr<FolderFiles> FilesIn(const std::string& folder) override {
        return std::make_unique<Files>(*this, folder);
    }
    const std::string& Folder() const override { return folder_; }

    Kind Look(const std::string& path) override {
        if (Record("Look " + path)) return Kind::Unknown;
        if (Outside(path)) return Kind::Outside;
        return folders.count(path) ? Kind::Folder : files.count(path) ? Kind::File : Kind::Missing;
    }

    bool MakeFolder(const std::string& path) override {
        if (Record("MakeFolder " + path)) return false;
        if (Outside(path) || folders.count(path) || files.count(path) || !folders.count(Parent(path))) return false;
        folders.insert(path);
        return true;
    }

    FileContents Read(const std::string& path) override {
        if (Record("Read " + path)) return {FileContents::State::Unreadable, {}};
        if (Outside(path)) return {FileContents::State::Outside, {}};
        auto it = files.find(path);
        if (it == files.end())
            return {folders.count(path) ? FileContents::State::Unreadable : FileContents::State::Missing, {}};
        return {FileContents::State::Read, it->second};
    }

    Result CreateNew(const std::string& path, Handle& handle) override {
        if (Record("CreateNew " + path)) return Result::Failed;
        if (outside.count(path) || folders.count(path) || files.count(path)) return Result::Exists;
        if (Outside(path)) return Result::Outside;
        if (!folders.count(Parent(path))) return Result::Failed;
        files[path].clear();
        handle = nextHandle_++;
        open_[handle] = {path, {}};
        return Result::Done;
    }

    std::uint32_t Write(Handle handle, const unsigned char* bytes, std::uint32_t count) override {
        const std::string path = PathOf(handle);
        if (Record("Write " + path + " " + std::to_string(count))) {
            if (!shortWrite || count == 0) return 0;
            --count;
        }
        auto it = open_.find(handle);
        if (it == open_.end()) return 0;
        it->second.bytes.append(reinterpret_cast<const char*>(bytes), count);
        files[path] = it->second.bytes;
        return count;
    }

    bool Close(Handle handle) override {
        const std::string path = PathOf(handle);
        const bool fail = Record("Close " + path);
        // A file made new and not moved over its target is gone with its handle.
        if (open_.count(handle) && !open_[handle].moved) files.erase(path);
        const bool known = open_.erase(handle) != 0;  // a failed close still releases the handle
        return known && !fail;
    }

    bool MoveOver(Handle handle, const std::string& to) override {
        const std::string from = PathOf(handle);
        if (Record("MoveOver " + from + " -> " + to)) return false;
        auto it = files.find(from);
        if (it == files.end() || folders.count(to) || !folders.count(Parent(to))) return false;
        files[to] = it->second;
        files.erase(from);
        outside.erase(to);  // a link at the target's name is replaced, not followed
        open_[handle].moved = true;
        return true;
    }

    Result Remove(const std::string& path) override {
        if (Record("Remove " + path)) return Result::Failed;
        if (Outside(path)) return Result::Outside;
        return files.erase(path) != 0 ? Result::Done : Result::Missing;
    }

    Result RemoveFolder(const std::string& path) override {
        if (Record("RemoveFolder " + path)) return Result::Failed;
        if (Outside(path)) return Result::Outside;
        for (const auto& [name, bytes] : files)
            if (Parent(name) == path) return Result::Failed;
        return folders.erase(path) != 0 ? Result::Done : Result::Missing;
    }

    bool EnterFolder(const std::string& path) override {
        if (Record("EnterFolder " + path)) return false;
        if (!folders.count(path)) return false;
        currentDirectory = path;
        return true;
    }

    void Pause(unsigned milliseconds) override { Record("Pause " + std::to_string(milliseconds)); }

    StartFailure Start(const std::string& commandLine, int showMode, const StandardUserStart* standardUser) override {
        if (Record("Start " + commandLine + " " + std::to_string(showMode))) return {StartFailure::Step::Start, 2};
        started.push_back(standardUser ? Rights::StandardUser : Rights::Full);
        return {};
    }
    StartFacts FactsForStart() override { return {kAccount, {}, "WinSta0", "C:\\Temp", "S-1-5-21-1-2-3-4"}; }

    LockResult Lock(unsigned waitMs) override {
        return Record("Lock " + std::to_string(waitMs)) ? lockRefused : LockResult::Held;
    }
    void Unlock() override { Record("Unlock"); }

    ObjectSecurity SecurityOf(const std::string& path) override {
        if (auto it = security.find(path); it != security.end()) return it->second;
        if (!folders.count(path) && !files.count(path)) return {ObjectSecurity::State::Missing, {}, false, {}};
        return {ObjectSecurity::State::Read, "S-1-5-18", false, {{true, 0, 0x1f01ff, "S-1-5-18"}}};
    }
    std::string Account() override { return kAccount; }
    std::string Environment(const char* name) override { return environment.count(name) ? environment[name] : ""; }
    std::string FullPath(const std::string& path) override { return path; }

    std::size_t OpenHandles() const { return open_.size(); }

    // The folder part of a path: everything before its last backslash, with any further
    // backslashes at the join dropped (C:\LonWorks\\Import lies in C:\LonWorks).
    static std::string Parent(const std::string& path) {
        std::string parent = path.substr(0, path.find_last_of('\\') == std::string::npos ? 0 : path.find_last_of('\\'));
        while (parent.size() > 1 && parent.back() == '\\') parent.pop_back();
        return parent;
    }

private:
    struct OpenFile {
        std::string path;
        std::string bytes;
        bool moved = false;
    };

    // The files of one folder: this machine's, named after that folder.
    class Files : public FolderFiles {
    public:
        Files(FakeInstallPlatform& p, std::string folder) : p_(p), folder_(std::move(folder)) {}
        const std::string& Folder() const override { return folder_; }
        Kind Look(const std::string& path) override { return p_.Look(path); }
        bool MakeFolder(const std::string& path) override { return p_.MakeFolder(path); }
        FileContents Read(const std::string& path) override { return p_.Read(path); }
        Result CreateNew(const std::string& path, Handle& handle) override { return p_.CreateNew(path, handle); }
        std::uint32_t Write(Handle h, const unsigned char* b, std::uint32_t n) override { return p_.Write(h, b, n); }
        bool MoveOver(Handle handle, const std::string& to) override { return p_.MoveOver(handle, to); }
        bool Close(Handle handle) override { return p_.Close(handle); }
        Result Remove(const std::string& path) override { return p_.Remove(path); }
        Result RemoveFolder(const std::string& path) override { return p_.RemoveFolder(path); }

    private:
        FakeInstallPlatform& p_;
        std::string folder_;
    };

    // Records the call; true when this call is the one to fail.
    bool Record(std::string line) {
        calls.push_back(std::move(line));
        return static_cast<int>(calls.size()) - 1 == failCall;
    }

    // A name that leads outside, or lies below one that does.
    bool Outside(const std::string& path) const {
        for (std::string at = path; at.find('\\') != std::string::npos; at = Parent(at))
            if (outside.count(at)) return true;
        return false;
    }

    std::string PathOf(Handle handle) const {
        auto it = open_.find(handle);
        return it == open_.end() ? "<bad handle " + std::to_string(handle) + ">" : it->second.path;
    }

    std::map<Handle, OpenFile> open_;
    Handle nextHandle_ = 100;
    std::string folder_;
};

}  // namespace korva::testing
