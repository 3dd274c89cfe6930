#pragma once
// An in-memory machine for the installation: folders and files kept in maps, every call that
// can fail recorded in order as one line of text, and any one of them made to fail on demand.
// Names in `outside` lead out of the folder they lie in (links). The owner and DACL of every
// folder and file are SYSTEM's and grant nobody else anything unless `security` says otherwise.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/install/InstallPlatform.h"

namespace korva::testing {

class FakeInstallPlatform : public InstallPlatform {
public:
    std::vector<std::string> calls;            // "Operation argument..." in call order
    std::set<std::string> folders;             // existing directories
    std::map<std::string, std::string> files;  // existing files and their bytes
    std::set<std::string> outside;             // names that lead outside (their contents are not here)
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

    bool EnterFolder(const std::string& path) override {
        if (Record("EnterFolder " + path)) return false;
        if (!folders.count(path)) return false;
        currentDirectory = path;
        return true;
    }

    void Pause(unsigned milliseconds) override { Record("Pause " + std::to_string(milliseconds)); }

    bool Start(const std::string& commandLine, int showMode, Rights rights) override {
        if (Record("Start " + commandLine + " " + std::to_string(showMode))) return false;
        started.push_back(rights);
        return true;
    }

    LockResult Lock(unsigned waitMs) override {
        return Record("Lock " + std::to_string(waitMs)) ? lockRefused : LockResult::Held;
    }
    void Unlock() override { Record("Unlock"); }

    ObjectSecurity SecurityOf(const std::string& path) override {
        if (auto it = security.find(path); it != security.end()) return it->second;
        if (!folders.count(path) && !files.count(path)) return {ObjectSecurity::State::Missing};
        return {ObjectSecurity::State::Read, "S-1-5-18", false, {{true, 0, 0x1f01ff, "S-1-5-18"}}};
    }
    std::string Account() override { return kAccount; }
    std::string Environment(const char* name) override {
        auto it = environment.find(name);
        return it == environment.end() ? "" : it->second;
    }
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
    using Kind = FolderFiles::Kind;
    using Result = FolderFiles::Result;
    using Handle = FolderFiles::Handle;

    // The files of one folder, all kept by the platform.
    class Files : public FolderFiles {
    public:
        Files(FakeInstallPlatform& p, std::string folder) : p_(p), folder_(std::move(folder)) {}
        const std::string& Folder() const override { return folder_; }

        Kind Look(const std::string& path) override {
            if (p_.Record("Look " + path)) return Kind::Unknown;
            if (p_.Outside(path)) return Kind::Outside;
            return p_.folders.count(path) ? Kind::Folder : p_.files.count(path) ? Kind::File : Kind::Missing;
        }
        bool MakeFolder(const std::string& path) override {
            if (p_.Record("MakeFolder " + path)) return false;
            if (p_.Outside(path) || p_.folders.count(path) || p_.files.count(path) || !p_.folders.count(Parent(path)))
                return false;
            p_.folders.insert(path);
            return true;
        }
        FileContents Read(const std::string& path) override {
            if (p_.Record("Read " + path)) return {FileContents::State::Unreadable, {}};
            if (p_.Outside(path)) return {FileContents::State::Outside, {}};
            auto it = p_.files.find(path);
            if (it == p_.files.end())
                return {p_.folders.count(path) ? FileContents::State::Unreadable : FileContents::State::Missing, {}};
            return {FileContents::State::Read, it->second};
        }
        Result CreateNew(const std::string& path, Handle& handle) override {
            if (p_.Record("CreateNew " + path)) return Result::Failed;
            if (p_.Outside(path)) return p_.outside.count(path) ? Result::Exists : Result::Outside;
            if (p_.folders.count(path) || p_.files.count(path)) return Result::Exists;
            if (!p_.folders.count(Parent(path))) return Result::Failed;
            p_.files[path].clear();
            handle = p_.nextHandle_++;
            p_.open_[handle] = path;
            return Result::Done;
        }
        std::uint32_t Write(Handle handle, const unsigned char* bytes, std::uint32_t count) override {
            const std::string path = p_.PathOf(handle);
            if (p_.Record("Write " + path + " " + std::to_string(count))) {
                if (!p_.shortWrite || count == 0) return 0;
                --count;
            }
            if (!p_.open_.count(handle)) return 0;
            p_.files[path].append(reinterpret_cast<const char*>(bytes), count);
            return count;
        }
        bool MoveOver(Handle handle, const std::string& target) override {
            const std::string path = p_.PathOf(handle);
            if (p_.Record("MoveOver " + path + " -> " + target)) return false;
            if (!p_.open_.count(handle) || p_.folders.count(target)) return false;
            p_.files[target] = p_.files[path];
            p_.files.erase(path);
            p_.outside.erase(target);  // a link at the target's name is replaced, not followed
            p_.moved_.insert(handle);
            return true;
        }
        bool Close(Handle handle) override {
            const std::string path = p_.PathOf(handle);
            const bool fail = p_.Record("Close " + path);
            // A file made new and not moved over its target is gone with its handle.
            if (p_.open_.count(handle) && !p_.moved_.count(handle)) p_.files.erase(path);
            const bool known = p_.open_.erase(handle) != 0;  // a failed close still releases the handle
            return known && !fail;
        }
        Result Remove(const std::string& path) override {
            if (p_.Record("Remove " + path)) return Result::Failed;
            if (p_.Outside(path)) return Result::Outside;
            return p_.files.erase(path) ? Result::Done : Result::Missing;
        }
        Result RemoveFolder(const std::string& path) override {
            if (p_.Record("RemoveFolder " + path)) return Result::Failed;
            if (p_.Outside(path)) return Result::Outside;
            if (!p_.folders.count(path)) return Result::Missing;
            for (const auto& [name, bytes] : p_.files)
                if (Parent(name) == path) return Result::Failed;
            p_.folders.erase(path);
            return Result::Done;
        }

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
        for (std::string at = path; !at.empty(); at = Parent(at)) {
            if (outside.count(at)) return true;
            if (at.find('\\') == std::string::npos) break;
        }
        return false;
    }

    std::string PathOf(Handle handle) const {
        auto it = open_.find(handle);
        return it == open_.end() ? "<bad handle " + std::to_string(handle) + ">" : it->second;
    }

    std::map<Handle, std::string> open_;
    std::set<Handle> moved_;
    Handle nextHandle_ = 100;
};

}  // namespace korva::testing
