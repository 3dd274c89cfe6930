#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace korva::testing {
namespace {

// Removes a folder and everything below it; what cannot be removed stays. Wide names: a file
// whose name the ANSI code page cannot spell (a test makes one) is removed too.
void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
            else DeleteFileW(child.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

std::wstring Wide(const std::string& ansi) {
    std::wstring wide(ansi.size(), L'\0');  // never more characters than bytes
    wide.resize(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                                    static_cast<int>(wide.size())));
    return wide;
}

}  // namespace

ScratchFolder::ScratchFolder(const std::string& tag) {
    char buffer[MAX_PATH];
    if (GetCurrentDirectoryA(MAX_PATH, buffer) > 0) savedDirectory_ = buffer;
    if (GetTempPathA(MAX_PATH, buffer) == 0) return;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string folder = std::string(buffer) + "r7716 " + tag + " " + std::to_string(GetCurrentProcessId()) +
                               " " + (info ? info->name() : "");
    RemoveTree(Wide(folder));
    if (CreateDirectoryA(folder.c_str(), nullptr)) path_ = folder;
}

ScratchFolder::~ScratchFolder() {
    if (!savedDirectory_.empty()) SetCurrentDirectoryA(savedDirectory_.c_str());
    if (!path_.empty()) RemoveTree(Wide(path_));
}

}  // namespace korva::testing
