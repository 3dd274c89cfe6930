#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "core/chooser/DirectoryListModel.h"
#include "core/chooser/DriveChooserModel.h"
#include "core/common/Ascii.h"
#include "core/common/Exception.h"
#include "win32/Win32ChooserPlatform.h"

namespace korva {
namespace {

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// A folder tree made for one test under the temporary folder, removed afterwards, with the
// working directory put back.
class ChooserTree : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = scratch_.Path();
        ASSERT_NE(root_, "");
        for (const char* name : {"beta", "Alpha", "gamma", "Delta", "Secret", "Sys", "beta\\Inner"})
            ASSERT_TRUE(CreateDirectoryA((root_ + "\\" + name).c_str(), nullptr)) << name;
        ASSERT_TRUE(SetFileAttributesA((root_ + "\\Secret").c_str(), FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(SetFileAttributesA((root_ + "\\Sys").c_str(), FILE_ATTRIBUTE_SYSTEM));
        HANDLE file = CreateFileA((root_ + "\\file.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }

    testing::ScratchFolder scratch_{"chooser"};
    Win32ChooserPlatform platform_;
    std::string root_;
};

TEST_F(ChooserTree, EnumerationGivesEveryEntryWithItsAttributes) {
    auto search = platform_.FindFirst(root_ + "\\*.*");
    ASSERT_NE(search, nullptr);
    std::vector<std::string> names;
    std::uint32_t secret = 0, file = 0;
    for (FolderEntry entry; search->Next(entry);) {
        names.push_back(entry.name);
        if (entry.name == "Secret") secret = entry.attributes;
        if (entry.name == "file.txt") file = entry.attributes;
    }
    EXPECT_EQ(names.size(), 9u);  // ".", "..", six folders, one file
    EXPECT_NE(secret & kAttrHidden, 0u);
    EXPECT_NE(secret & kAttrDirectory, 0u);
    EXPECT_EQ(file & kAttrDirectory, 0u);
    EXPECT_EQ(platform_.FindFirst(root_ + "\\nothere\\*.*"), nullptr);
}

TEST_F(ChooserTree, SubfolderRowsAreVisibleFoldersSortedWithoutCase) {
    ASSERT_EQ(platform_.SetWorkingDirectory(root_), 0);
    DirectoryListModel list(platform_);
    list.HandleWindowCreated();
    std::vector<std::string> subfolders;
    for (const DirectoryRow& row : list.Rows())
        if (row.kind == RowKind::Subfolder) subfolders.push_back(row.text);
    EXPECT_EQ(subfolders, (std::vector<std::string>{"Alpha", "beta", "Delta", "gamma"}));
}

TEST_F(ChooserTree, ListWalksTheRealTree) {
    ASSERT_EQ(platform_.SetWorkingDirectory(root_), 0);
    DirectoryListModel list(platform_);
    list.HandleWindowCreated();
    EXPECT_EQ(list.CurrentDirectory(), platform_.WorkingDirectory());
    const auto& rows = list.Rows();
    ASSERT_GE(rows.size(), 5u);
    const int current = list.HighlightedRow();  // the current directory's row
    EXPECT_EQ(rows[static_cast<std::size_t>(current) + 2].text, "beta");

    int changes = 0;
    list.OnChange = [&](DirectoryListModel&) { ++changes; };
    list.SetHighlightedRow(current + 2);
    list.OpenHighlightedRow();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(platform_.Compare(list.CurrentDirectory(), root_ + "\\beta", true), 0) << list.CurrentDirectory();
    EXPECT_EQ(platform_.WorkingDirectory(), list.CurrentDirectory());
    EXPECT_EQ(list.Rows().back().text, "Inner");

    // A folder removed since the rows were built: the error, and nothing moves.
    ASSERT_TRUE(RemoveDirectoryA((root_ + "\\beta\\Inner").c_str()));
    const std::string before = list.CurrentDirectory();
    list.SetHighlightedRow(static_cast<int>(list.Rows().size()) - 1);
    try {
        list.OpenHighlightedRow();
        ADD_FAILURE() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_TRUE(e.ErrorCode() == 2 || e.ErrorCode() == 3) << e.ErrorCode();
    }
    EXPECT_EQ(list.CurrentDirectory(), before);
    EXPECT_EQ(platform_.WorkingDirectory(), before);
    EXPECT_EQ(changes, 1);
}

TEST_F(ChooserTree, RefusedChangeGivesTheSystemCode) {
    ASSERT_EQ(platform_.SetWorkingDirectory(root_), 0);
    const int missing = platform_.SetWorkingDirectory(root_ + "\\nothere");
    EXPECT_TRUE(missing == ERROR_FILE_NOT_FOUND || missing == ERROR_PATH_NOT_FOUND) << missing;
    const int deeper = platform_.SetWorkingDirectory(root_ + "\\nothere\\deeper");
    EXPECT_TRUE(deeper == ERROR_FILE_NOT_FOUND || deeper == ERROR_PATH_NOT_FOUND) << deeper;
    EXPECT_EQ(platform_.Compare(platform_.WorkingDirectory(), root_, true), 0);

    auto attributes = platform_.FileAttributes(root_ + "\\file.txt");
    ASSERT_TRUE(attributes.has_value());
    EXPECT_EQ(*attributes & kAttrDirectory, 0u);
    EXPECT_TRUE(platform_.IsDirectory(root_ + "\\Alpha"));
    EXPECT_FALSE(platform_.FileAttributes(root_ + "\\nothere").has_value());
}

TEST(Win32ChooserPlatform, DrivesCAndZAreFixed) {
    Win32ChooserPlatform platform;
    const std::uint32_t drives = platform.LogicalDrives();
    ASSERT_NE(drives & (1u << 2), 0u);
    EXPECT_EQ(platform.DriveType("c:\\"), kDriveFixed);
    DriveChooserModel chooser(platform);
    chooser.HandleWindowCreated();
    auto entryOf = [&](char letter) -> const DriveEntry* {
        for (const DriveEntry& e : chooser.Entries())
            if (e.text.size() >= 2 && e.text[0] == letter && e.text[1] == ':') return &e;
        return nullptr;
    };
    const DriveEntry* c = entryOf('c');
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->icon, ChooserIcon::Hard);
    EXPECT_EQ(c->text.substr(0, 4), "c: [");
    EXPECT_EQ(c->text.back(), ']');
    if (RunningUnderWine()) {
        // Wine maps Z: to the Unix root: a fixed drive without label.
        ASSERT_NE(drives & (1u << 25), 0u);
        EXPECT_EQ(platform.DriveType("z:\\"), kDriveFixed);
        const DriveEntry* z = entryOf('z');
        ASSERT_NE(z, nullptr);
        EXPECT_EQ(z->icon, ChooserIcon::Hard);
        EXPECT_EQ(z->text, "z: []");
    }
    auto volume = platform.VolumeInfo("C:\\");
    ASSERT_TRUE(volume.has_value());
    EXPECT_NE(volume->flags & (kFsCaseIsPreserved | kFsCaseSensitive), 0u);
}

TEST(Win32ChooserPlatform, EachDriveKeepsItsOwnCurrentDirectory) {
    Win32ChooserPlatform platform;
    const std::string saved = platform.WorkingDirectory();
    char windows[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
    std::string other;
    for (char letter = 'Z'; letter > 'C' && other.empty(); --letter)
        if (platform.LogicalDrives() & (1u << (letter - 'A')) &&
            platform.DriveType(std::string(1, letter) + ":\\") == kDriveFixed)
            other = std::string(1, letter) + ":\\";
    if (other.empty() || AsciiUpper(windows[0]) != 'C') GTEST_SKIP() << "needs C: and a second fixed drive";

    ASSERT_EQ(platform.SetWorkingDirectory(windows), 0);
    ASSERT_EQ(platform.SetWorkingDirectory(other), 0);
    ASSERT_EQ(platform.SetWorkingDirectory("C:"), 0);
    EXPECT_EQ(platform.Compare(platform.WorkingDirectory(), windows, true), 0) << platform.WorkingDirectory();
    platform.SetWorkingDirectory(saved);
}

TEST(Win32ChooserPlatform, CompareFollowsTheLocale) {
    Win32ChooserPlatform platform;
    EXPECT_EQ(platform.Compare("Windows", "WINDOWS", true), 0);
    EXPECT_NE(platform.Compare("Windows", "WINDOWS", false), 0);
    EXPECT_LT(platform.Compare("alpha", "Beta", true), 0);
    EXPECT_GT(platform.Compare("Gamma", "beta", true), 0);
}

}  // namespace
}  // namespace korva
