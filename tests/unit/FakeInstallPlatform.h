#pragma once
// An in-memory machine for the installation: folders and files kept in maps, every call
// recorded in order as one line of text, and any one call made to fail on demand.
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
    std::string currentDirectory;
    int failCall = -1;        // index into `calls` of the call that fails
    bool shortWrite = false;  // a failing Write writes all but one byte

    bool IsFolder(const std::string& path) override {
        if (Record("IsFolder " + path)) return false;
        return folders.count(path) != 0;
    }

    bool MakeFolder(const std::string& path) override {
        if (Record("MakeFolder " + path)) return false;
        if (folders.count(path) || files.count(path) || !folders.count(Parent(path))) return false;
        folders.insert(path);
        return true;
    }

    bool OpenForWrite(const std::string& path, FileHandle& handle) override {
        if (Record("OpenForWrite " + path)) return false;
        if (folders.count(path) || !folders.count(Parent(path))) return false;
        for (const auto& [h, open] : open_)
            if (open.path == path) return false;  // opened without sharing
        files[path].clear();                      // create always: a new or emptied file
        handle = nextHandle_++;
        open_[handle] = {path, {}};
        return true;
    }

    std::uint32_t Write(FileHandle handle, const unsigned char* bytes, std::uint32_t count) override {
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

    bool Close(FileHandle handle) override {
        const std::string path = PathOf(handle);
        const bool fail = Record("Close " + path);
        const bool known = open_.erase(handle) != 0;  // a failed close still releases the handle
        return known && !fail;
    }

    bool MoveOver(const std::string& from, const std::string& to) override {
        if (Record("MoveOver " + from + " -> " + to)) return false;
        auto it = files.find(from);
        if (it == files.end() || folders.count(to) || !folders.count(Parent(to))) return false;
        files[to] = it->second;
        files.erase(from);
        return true;
    }

    bool Remove(const std::string& path) override {
        if (Record("Remove " + path)) return false;
        return files.erase(path) != 0;
    }

    bool RemoveFolder(const std::string& path) override {
        if (Record("RemoveFolder " + path)) return false;
        return folders.erase(path) != 0;
    }

    bool EnterFolder(const std::string& path) override {
        if (Record("EnterFolder " + path)) return false;
        if (!folders.count(path)) return false;
        currentDirectory = path;
        return true;
    }

    void Pause(unsigned milliseconds) override { Record("Pause " + std::to_string(milliseconds)); }

    bool Start(const std::string& commandLine, int showMode) override {
        if (Record("Start " + commandLine + " " + std::to_string(showMode))) return false;
        return true;
    }

    bool Lock(unsigned waitMs) override { return !Record("Lock " + std::to_string(waitMs)); }
    void Unlock() override { Record("Unlock"); }

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
    };

    // Records the call; true when this call is the one to fail.
    bool Record(std::string line) {
        calls.push_back(std::move(line));
        return static_cast<int>(calls.size()) - 1 == failCall;
    }

    std::string PathOf(FileHandle handle) const {
        auto it = open_.find(handle);
        return it == open_.end() ? "<bad handle " + std::to_string(handle) + ">" : it->second.path;
    }

    std::map<FileHandle, OpenFile> open_;
    FileHandle nextHandle_ = 100;
};

}  // namespace korva::testing
