#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace korva::testing {
namespace {

// Removes a folder and everything below it; what cannot be removed stays.
void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
            else DeleteFileA(child.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& tag) {
    char buffer[MAX_PATH];
    if (GetCurrentDirectoryA(MAX_PATH, buffer) > 0) savedDirectory_ = buffer;
    if (GetTempPathA(MAX_PATH, buffer) == 0) return;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string folder = std::string(buffer) + "r7716 " + tag + " " + std::to_string(GetCurrentProcessId()) +
                               " " + (info ? info->name() : "");
    RemoveTree(folder);
    if (CreateDirectoryA(folder.c_str(), nullptr)) path_ = folder;
}

ScratchFolder::~ScratchFolder() {
    if (!savedDirectory_.empty()) SetCurrentDirectoryA(savedDirectory_.c_str());
    if (!path_.empty()) RemoveTree(path_);
}

}  // namespace korva::testing
