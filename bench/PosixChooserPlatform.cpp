#include "PosixChooserPlatform.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace korva {
namespace {

std::uint32_t AttributesOf(const struct stat& st, const char* name) {
    std::uint32_t attributes = S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrArchive;
    if (name[0] == '.' && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0) attributes |= kAttrHidden;
    return attributes;
}

class PosixFolderSearch : public FolderSearch {
public:
    explicit PosixFolderSearch(DIR* dir) : dir_(dir) {}
    ~PosixFolderSearch() override { closedir(dir_); }
    PosixFolderSearch(const PosixFolderSearch&) = delete;
    PosixFolderSearch& operator=(const PosixFolderSearch&) = delete;

    bool Next(FolderEntry& entry) override {
        while (const dirent* d = readdir(dir_)) {
            struct stat st;
            if (fstatat(dirfd(dir_), d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;  // gone meanwhile
            entry.name = d->d_name;
            entry.attributes = AttributesOf(st, d->d_name);
            return true;
        }
        return false;
    }

private:
    DIR* dir_;
};

int ErrorCode(int error) {
    switch (error) {
    case ENOENT: return 2;   // ERROR_FILE_NOT_FOUND
    case ENOTDIR: return 3;  // ERROR_PATH_NOT_FOUND
    case EACCES: return 5;   // ERROR_ACCESS_DENIED
    default: return 1000 + error;
    }
}

}  // namespace

int PosixChooserPlatform::SetWorkingDirectory(const std::string& path) {
    return chdir(path.c_str()) == 0 ? 0 : ErrorCode(errno);
}

std::string PosixChooserPlatform::WorkingDirectory() {
    std::vector<char> buffer(4096);
    return getcwd(buffer.data(), buffer.size()) ? std::string(buffer.data()) : std::string();
}

std::optional<std::uint32_t> PosixChooserPlatform::FileAttributes(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return std::nullopt;
    const std::size_t slash = path.find_last_of('/');
    return AttributesOf(st, path.c_str() + (slash == std::string::npos ? 0 : slash + 1));
}

std::unique_ptr<FolderSearch> PosixChooserPlatform::FindFirst(const std::string& pattern) {
    std::string folder = pattern;
    if (folder.size() >= 3 && folder.compare(folder.size() - 3, 3, "*.*") == 0) folder.resize(folder.size() - 3);
    if (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return nullptr;
    return std::make_unique<PosixFolderSearch>(dir);
}

int PosixChooserPlatform::Compare(const std::string& a, const std::string& b, bool ignoreCase) {
    const int result = ignoreCase ? strcasecmp(a.c_str(), b.c_str()) : std::strcmp(a.c_str(), b.c_str());
    return result < 0 ? -1 : result > 0 ? 1 : 0;
}

}  // namespace korva
