#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace korva::testing {

std::string MakeScratchFolder(const std::string& tag) {
    char temp[MAX_PATH];
    if (GetTempPathA(MAX_PATH, temp) == 0) return {};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string folder = std::string(temp) + "r7716 " + tag + " " + std::to_string(GetCurrentProcessId()) +
                               " " + (info ? info->name() : "");
    RemoveTree(folder);
    return CreateDirectoryA(folder.c_str(), nullptr) ? folder : std::string();
}

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

}  // namespace korva::testing
