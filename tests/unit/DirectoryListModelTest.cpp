#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "FakeChooserPlatform.h"
#include "core/chooser/DirectoryListModel.h"
#include "core/chooser/InOutError.h"
#include "core/common/Ascii.h"

namespace korva {
namespace {

using testing::FakeChooserPlatform;
using testing::FakeChooserWindow;
using testing::MakeTypicalMachine;
using testing::SelectedLetter;
using testing::SubfolderRows;

constexpr RowKind A = RowKind::Ancestor, C = RowKind::Current, S = RowKind::Subfolder;

TEST(DirectoryListModel, StartInTheLonWorksFolder) {
    FakeChooserPlatform fs;
    MakeTypicalMachine(fs);
    FakeChooserWindow w(fs);
    EXPECT_EQ(w.pathField, "C:\\Program Files\\LonWorks");
    EXPECT_EQ(w.label, "C:\\Program Files\\LonWorks");  // linking the label gave it its caption
    w.Create();

    const std::vector<DirectoryRow> expected = {{"C:\\", A}, {"Program Files", A}, {"LonWorks", C}, {"apps", S},
                                                {"bin", S},  {"Import", S},        {"LNS", S},      {"Types", S}};
    EXPECT_EQ(w.list.Rows(), expected);
    EXPECT_EQ(w.list.HighlightedRow(), 2);
    EXPECT_EQ(testing::SelectedEntry(w.chooser), "c: [windows]");
    // Window creation rebuilds once and notifies nothing; the path field keeps its start text.
    EXPECT_EQ(fs.CallCount("FindFirst"), 1);
    EXPECT_EQ(w.changes, 0);
    EXPECT_EQ(w.pathField, "C:\\Program Files\\LonWorks");
}

struct RowsCase {
    std::string directory;
    std::vector<DirectoryRow> rows;
    std::vector<std::string> paths;  // RowPath of each row
};

TEST(DirectoryListModel, RowsAndRowPathsOfEachKindOfFolder) {
    const std::vector<RowsCase> cases = {
        {"C:\\",
         {{"C:\\", C}, {"LonWorks", S}, {"Program Files", S}, {"Temp", S}, {"Windows", S}},
         {"C:\\", "C:\\LonWorks", "C:\\Program Files", "C:\\Temp", "C:\\Windows"}},
        {"C:\\LonWorks\\Types",
         {{"C:\\", A}, {"LonWorks", A}, {"Types", C}, {"User", S}},
         {"C:\\", "C:\\LonWorks", "C:\\LonWorks\\Types", "C:\\LonWorks\\Types\\User"}},
        {"C:\\LonWorks\\Types\\User\\KR",
         {{"C:\\", A}, {"LonWorks", A}, {"Types", A}, {"User", A}, {"KR", C}},
         {"C:\\", "C:\\LonWorks", "C:\\LonWorks\\Types", "C:\\LonWorks\\Types\\User", "C:\\LonWorks\\Types\\User\\KR"}},
        {"\\\\Server\\Share\\dir\\sub",
         {{"\\\\Server\\Share\\", A}, {"dir", A}, {"sub", C}, {"x", S}},
         {"\\\\Server\\Share\\", "\\\\Server\\Share\\dir", "\\\\Server\\Share\\dir\\sub",
          "\\\\Server\\Share\\dir\\sub\\x"}},
        {"\\\\Server\\Share\\",
         {{"\\\\Server\\Share\\", A}, {"dir", S}},
         {"\\\\Server\\Share\\", "\\\\Server\\Share\\dir"}},
    };
    for (const RowsCase& c : cases) {
        FakeChooserPlatform fs;
        MakeTypicalMachine(fs);
        fs.AddDrive('\\');
        fs.AddDir("\\\\Server\\Share\\dir\\sub\\x");
        fs.SetCwd(c.directory);
        DirectoryListModel list(fs);
        list.HandleWindowCreated();
        EXPECT_EQ(list.Rows(), c.rows) << c.directory;
        std::vector<std::string> paths;
        for (int i = 0; i < static_cast<int>(list.Rows().size()); ++i) paths.push_back(list.RowPath(i));
        EXPECT_EQ(paths, c.paths) << c.directory;
        EXPECT_EQ(list.RowPath(-1), "");
        EXPECT_EQ(list.RowPath(static_cast<int>(list.Rows().size())), "");
    }
}

TEST(DirectoryListModel, SubfolderNamesSkipHiddenSystemLabelsFilesAndDots) {
    FakeChooserPlatform fs;
    fs.AddDrive('C');
    fs.AddDir("C:\\F");
    fs.AddListing("C:\\F", "Hidden", kAttrDirectory | kAttrHidden);
    fs.AddListing("C:\\F", "Sys", kAttrDirectory | kAttrSystem);
    fs.AddListing("C:\\F", "VOLUME", kAttrDirectory | kAttrVolumeLabel);
    fs.AddListing("C:\\F", "file.txt", kAttrArchive);
    fs.AddListing("C:\\F", "b", kAttrDirectory);
    fs.AddListing("C:\\F", "A", kAttrDirectory | kAttrReadOnly | kAttrArchive);
    // The search pattern gets a backslash only where the folder does not end in one.
    struct Case {
        const char* folder;
        std::vector<std::string> subfolders;
        const char* search;
    } cases[] = {
        {"C:\\F", {"A", "b"}, "FindFirst C:\\F\\*.*"},
        {"C:\\", {"F"}, "FindFirst C:\\*.*"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        fs.SetCwd(c.folder);
        fs.calls.clear();
        DirectoryListModel list(fs);
        list.HandleWindowCreated();
        EXPECT_EQ(SubfolderRows(list), c.subfolders);
        EXPECT_EQ(fs.CallCount(c.search), 1);
    }
}

TEST(DirectoryListModel, SubfolderNamesSortedByTheLocaleFirstFoundStays) {
    FakeChooserPlatform fs;
    fs.AddDrive('C');
    for (const char* name : {"beta", "Alpha", "gamma", "BETA", "alpha", "Beta"})
        fs.AddListing("C:\\", name, kAttrDirectory);
    fs.SetCwd("C:\\");
    DirectoryListModel list(fs);
    list.HandleWindowCreated();
    EXPECT_EQ(SubfolderRows(list), (std::vector<std::string>{"Alpha", "beta", "gamma"}));

    // The order is the platform's: a locale that sorts backwards gives the names backwards.
    fs.compare = [](const std::string& a, const std::string& b, bool ignoreCase) {
        const std::string x = ignoreCase ? AsciiLower(a) : a;
        const std::string y = ignoreCase ? AsciiLower(b) : b;
        return y.compare(x);
    };
    list.BuildRows();
    EXPECT_EQ(SubfolderRows(list), (std::vector<std::string>{"gamma", "beta", "Alpha"}));
}

TEST(DirectoryListModel, ManyNamesDifferingInCaseKeepTheFirstFound) {
    // 150 names found in a scrambled order, each in three spellings; the spelling found
    // first must stay, whatever the sort does with equal names.
    FakeChooserPlatform fs;
    fs.AddDrive('C');
    std::vector<std::string> firstFound(150);
    for (int k = 0; k < 450; ++k) {
        const int n = (k * 37) % 150;
        const int spelling = (k / 150 + n) % 3;
        char name[16];
        std::snprintf(name, sizeof name, spelling == 0 ? "Name%03d" : spelling == 1 ? "NAME%03d" : "name%03d", n);
        if (firstFound[static_cast<std::size_t>(n)].empty()) firstFound[static_cast<std::size_t>(n)] = name;
        fs.AddListing("C:\\", name, kAttrDirectory);
    }
    fs.SetCwd("C:\\");
    DirectoryListModel list(fs);
    list.HandleWindowCreated();
    EXPECT_EQ(SubfolderRows(list), firstFound);
}

TEST(DirectoryListModel, FolderThatCannotBeSearchedShowsNoSubfolders) {
    FakeChooserPlatform fs;
    MakeTypicalMachine(fs);
    fs.failures["FindFirst"] = 5;
    FakeChooserWindow w(fs);
    w.Create();
    EXPECT_EQ(w.RowTexts(), (std::vector<std::string>{"C:\\", "Program Files", "LonWorks"}));
    EXPECT_EQ(w.list.HighlightedRow(), 2);
}

struct CaseFlagsCase {
    std::optional<std::uint32_t> flags;  // nullopt: the volume query fails
    bool sensitive;
    std::vector<std::string> shown;
};

TEST(DirectoryListModel, CaseFlagsOfTheVolumeDecideShownTextsAndComparison) {
    const std::vector<CaseFlagsCase> cases = {
        {0u, false, {"c:\\", "lonworks", "mixedcase"}},
        {kFsCaseIsPreserved, false, {"C:\\", "LonWorks", "MixedCase"}},
        {kFsCaseSensitive, true, {"C:\\", "LonWorks", "MixedCase"}},
        {kFsCaseSensitive | kFsCaseIsPreserved, true, {"C:\\", "LonWorks", "MixedCase"}},
        {std::nullopt, false, {"C:\\", "LonWorks", "MixedCase"}},  // chosen: like a common volume
    };
    for (const CaseFlagsCase& c : cases) {
        FakeChooserPlatform fs;
        fs.AddDrive('C', {kDriveFixed, true, c.flags ? std::optional<std::string>("") : std::nullopt,
                          c.flags.value_or(0), std::nullopt});
        fs.AddDir("C:\\LonWorks\\MixedCase");
        fs.SetCwd("C:\\LonWorks");
        FakeChooserWindow w(fs);
        w.Create();
        const std::string label = c.flags ? std::to_string(*c.flags) : "failed";
        std::vector<std::string> shown;
        for (int i = 0; i < 3; ++i) shown.push_back(w.list.DrawRow(i, {0, 16 * i, 361, 16 * i + 16}).text);
        EXPECT_EQ(shown, c.shown) << label;
        // Stored texts and paths keep the system's case.
        EXPECT_EQ(w.RowTexts(), (std::vector<std::string>{"C:\\", "LonWorks", "MixedCase"})) << label;
        EXPECT_EQ(w.list.RowPath(2), "C:\\LonWorks\\MixedCase") << label;

        // The current directory in another case is the same folder unless the volume is
        // case-sensitive.
        fs.calls.clear();
        w.list.ChangeDirectory("C:\\LONWORKS");
        EXPECT_EQ(fs.CallCount("SetWorkingDirectory"), c.sensitive ? 6 : 0) << label;
        EXPECT_EQ(w.changes, c.sensitive ? 1 : 0) << label;
    }
}

TEST(DirectoryListModel, CaseSensitiveVolumeShowsNamesDifferingInCaseOnce) {
    FakeChooserPlatform fs;
    fs.AddDrive('C', {kDriveFixed, true, "", kFsCaseSensitive | kFsCaseIsPreserved, std::nullopt});
    fs.AddDir("C:\\Data");
    fs.AddListing("C:\\", "DATA", kAttrDirectory);
    fs.SetCwd("C:\\");
    FakeChooserWindow w(fs);
    w.Create();
    EXPECT_EQ(w.RowTexts(), (std::vector<std::string>{"C:\\", "Data"}));
}

TEST(DirectoryListModel, OpeningRowsMovesTheListAndThePathFieldFollows) {
    FakeChooserPlatform fs;
    MakeTypicalMachine(fs);
    FakeChooserWindow w(fs);
    w.Create();

    // Ancestor Program Files: the rows below it go, its subfolders appear.
    w.list.SetHighlightedRow(1);
    w.list.OpenHighlightedRow();
    EXPECT_EQ(w.RowTexts(), (std::vector<std::string>{"C:\\", "Program Files", "Common Files", "LonWorks"}));
    EXPECT_EQ(w.list.HighlightedRow(), 1);
    EXPECT_EQ(w.list.CurrentDirectory(), "C:\\Program Files");
    EXPECT_EQ(fs.cwd, "C:\\Program Files");
    EXPECT_EQ(w.pathField, "C:\\Program Files");
    EXPECT_EQ(w.changes, 1);

    // Subfolder LonWorks, then its subfolder Types.
    w.list.SetHighlightedRow(3);
    w.list.OpenHighlightedRow();
    w.list.SetHighlightedRow(7);
    w.list.OpenHighlightedRow();
    EXPECT_EQ(w.list.CurrentDirectory(), "C:\\Program Files\\LonWorks\\Types");
    EXPECT_EQ(w.pathField, "C:\\Program Files\\LonWorks\\Types");
    EXPECT_EQ(w.changes, 3);

    // The drive root.
    w.list.SetHighlightedRow(0);
    w.list.OpenHighlightedRow();
    EXPECT_EQ(w.list.CurrentDirectory(), "C:\\");
    EXPECT_EQ(w.list.Rows().front(), (DirectoryRow{"C:\\", C}));
    EXPECT_EQ(w.pathField, "C:\\");
    EXPECT_EQ(w.changes, 4);
}

TEST(DirectoryListModel, OpeningTheCurrentRowDoesNothing) {
    for (const char* start : {"C:\\Program Files\\LonWorks", "C:\\"}) {
        FakeChooserPlatform fs;
        MakeTypicalMachine(fs);
        fs.SetCwd(start);
        FakeChooserWindow w(fs);
        w.Create();
        w.pathField = "typed by the user";
        fs.calls.clear();
        w.list.OpenHighlightedRow();
        EXPECT_TRUE(fs.calls.empty()) << start;
        EXPECT_EQ(w.changes, 0) << start;
        EXPECT_EQ(w.pathField, "typed by the user") << start;
    }
}

struct RefusalCase {
    const char* name;
    std::function<void(FakeChooserPlatform&)> breakIt;
    int code;
    const char* message;
};

TEST(DirectoryListModel, RefusedRowOpeningChangesNothing) {
    const std::vector<RefusalCase> cases = {
        {"folder removed", [](FakeChooserPlatform& fs) { fs.RemoveDir("C:\\Program Files\\LonWorks\\Types"); }, 2,
         "File not found"},
        {"no access", [](FakeChooserPlatform& fs) { fs.failures["SetWorkingDirectory Types"] = 5; }, 5,
         "File access denied"},
        {"parent gone", [](FakeChooserPlatform& fs) { fs.RemoveDir("C:\\Program Files"); }, 3, "Invalid filename"},
        {"not ready", [](FakeChooserPlatform& fs) { fs.failures["SetWorkingDirectory Types"] = 21; }, 21,
         "I/O error 21"},
    };
    for (const RefusalCase& c : cases) {
        FakeChooserPlatform fs;
        MakeTypicalMachine(fs);
        FakeChooserWindow w(fs);
        w.Create();
        const int typesRow = 7;
        ASSERT_EQ(w.list.Rows()[typesRow].text, "Types");
        w.list.SetHighlightedRow(typesRow);
        const auto rows = w.list.Rows();
        const auto version = w.list.RowsVersion();
        const std::string label = w.label;
        c.breakIt(fs);
        fs.SetCwd("C:\\Temp");  // the installation moved the working directory
        try {
            w.list.OpenHighlightedRow();
            ADD_FAILURE() << c.name << ": no error";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.ErrorCode(), c.code) << c.name;
            EXPECT_EQ(e.Message(), c.message) << c.name;
        }
        EXPECT_EQ(w.list.Rows(), rows) << c.name;
        EXPECT_EQ(w.list.RowsVersion(), version) << c.name;
        EXPECT_EQ(w.list.HighlightedRow(), typesRow) << c.name;
        EXPECT_EQ(w.list.CurrentDirectory(), "C:\\Program Files\\LonWorks") << c.name;
        EXPECT_EQ(w.label, label) << c.name;
        EXPECT_EQ(w.changes, 0) << c.name;
        EXPECT_EQ(fs.cwd, "C:\\Temp") << c.name;
    }
}

TEST(DirectoryListModel, NetworkStartRebuildsAndNotifiesOnceAtCreation) {
    FakeChooserPlatform fs;
    MakeTypicalMachine(fs);
    fs.AddDrive('\\');
    fs.AddDir("\\\\Server\\Share\\dir\\sub");
    fs.SetCwd("\\\\Server\\Share\\dir");
    FakeChooserWindow w(fs);
    EXPECT_EQ(w.pathField, "\\\\Server\\Share\\dir");
    fs.calls.clear();
    w.Create();
    EXPECT_EQ(w.chooser.SelectedIndex(), -1);  // no drive is chosen for a network folder
    EXPECT_EQ(fs.CallCount("FindFirst"), 2);   // the list's own build and the rebuild for SelectDrive(none)
    EXPECT_EQ(fs.CallCount("SetWorkingDirectory"), 0);
    EXPECT_EQ(w.changes, 1);
    EXPECT_EQ(w.RowTexts(), (std::vector<std::string>{"\\\\Server\\Share\\", "dir", "sub"}));
    EXPECT_EQ(w.pathField, w.label);
    EXPECT_EQ(w.pathField, "\\\\Server\\Share\\dir");

    // Opening the share's root row.
    w.list.SetHighlightedRow(0);
    w.list.OpenHighlightedRow();
    EXPECT_EQ(w.list.CurrentDirectory(), "\\\\Server\\Share\\");
    EXPECT_EQ(w.RowTexts(), (std::vector<std::string>{"\\\\Server\\Share\\", "dir"}));
    EXPECT_EQ(w.changes, 2);
}

TEST(DirectoryListModel, LongPathReachesThePathFieldShortened) {
    FakeChooserPlatform fs;
    MakeTypicalMachine(fs);
    const std::string deep = "C:\\Program Files\\Echelon Corporation\\LonWorks Network Services\\LonWorks";
    fs.AddDir(deep + "\\Types");
    fs.SetCwd(deep);
    FakeChooserWindow w(fs, 6);    // 6 pixels a character: 60 characters fit 361 pixels
    EXPECT_EQ(w.pathField, deep);  // the start text is the working directory in full
    w.Create();
    w.list.SetHighlightedRow(static_cast<int>(w.list.Rows().size()) - 1);
    w.list.OpenHighlightedRow();
    // 78 characters; the first pass leaves 66, the second 47 (282 pixels), which fit.
    EXPECT_EQ(w.pathField, "C:\\...\\LonWorks Network Services\\LonWorks\\Types");
    EXPECT_EQ(w.label, w.pathField);
}

TEST(DirectoryListModel, LabelWidthIsTheListsWhenTheLabelSizesItself) {
    FakeChooserPlatform fs;
    MakeTypicalMachine(fs);  // C:\Program Files\LonWorks: 25 characters
    DirectoryListModel list(fs);
    std::string caption;
    auto measure = [](const std::string& text) { return static_cast<int>(text.size()); };
    auto set = [&](const std::string& text) { caption = text; };
    list.SetWidth(20);
    list.SetDirLabel(DirLabelLink{measure, set, true, 361});
    EXPECT_EQ(caption, "C:\\...\\LonWorks");
    list.SetDirLabel(DirLabelLink{measure, set, false, 361});
    EXPECT_EQ(caption, "C:\\Program Files\\LonWorks");
    list.SetDirLabel(DirLabelLink{measure, set, false, 10});
    EXPECT_EQ(caption, "LonWorks");
}

// A change of directory onto another drive, with and without a drive chooser linked to the
// list. Refused: the drive switch works and the folder behind it is refused; the list must
// not be left on the new drive with the old drive's rows.
TEST(DirectoryListModel, ChangeToAnotherDriveRebuildsOnceOrLeavesTheListOnItsDrive) {
    struct Case {
        const char* name;
        bool linked, refused;
    } cases[] = {
        {"linked", true, false},
        {"alone", false, false},
        {"linked, refused", true, true},
        {"alone, refused", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeChooserPlatform fs;
        MakeTypicalMachine(fs);
        FakeChooserWindow w(fs);
        if (!c.linked) w.chooser.SetDirList(nullptr);
        w.Create();
        const auto rows = w.list.Rows();
        fs.calls.clear();
        if (!c.refused) {
            w.list.ChangeDirectory("E:\\Work\\Sub");
            EXPECT_EQ(w.list.CurrentDirectory(), "E:\\Work\\Sub");
            EXPECT_EQ(fs.CallCount("FindFirst"), 1);
            EXPECT_EQ(w.changes, 1);
            EXPECT_EQ(SelectedLetter(w.chooser), c.linked ? 'e' : 'c');
            continue;
        }
        fs.SetCwd("C:\\Temp");
        fs.failures["SetWorkingDirectory \\Work\\Sub"] = 5;
        EXPECT_THROW(w.list.ChangeDirectory("E:\\Work\\Sub"), EInOutError);
        EXPECT_EQ(w.list.CurrentDirectory(), "C:\\Program Files\\LonWorks");
        EXPECT_EQ(w.list.Rows(), rows);
        EXPECT_EQ(w.list.RowPath(1), "C:\\Program Files");
        EXPECT_EQ(fs.cwd, "C:\\Temp");
        EXPECT_EQ(SelectedLetter(w.chooser), 'c');
        EXPECT_EQ(w.changes, 0);
    }
}

TEST(DirectoryListModel, DriveSwitchAfterARefusedDriveRebuildsTheList) {
    FakeChooserPlatform fs;
    MakeTypicalMachine(fs);
    FakeChooserWindow w(fs);
    w.Create();
    fs.failures["SetWorkingDirectory E:"] = 21;
    EXPECT_THROW(w.list.ChangeDirectory("E:\\Work\\Sub"), EInOutError);
    EXPECT_EQ(w.list.CurrentDirectory(), "C:\\Program Files\\LonWorks");
    EXPECT_EQ(w.changes, 0);

    // The drive answers again: a switch in the chooser moves the list, rebuilds it and tells
    // the window, as any switch does.
    fs.failures.clear();
    w.chooser.SelectDrive('c');
    w.chooser.SelectDrive('e');
    EXPECT_EQ(w.list.CurrentDirectory(), "E:\\Work");
    EXPECT_EQ(w.RowTexts(), (std::vector<std::string>{"E:\\", "Work", "Sub"}));
    EXPECT_EQ(w.changes, 1);
}

TEST(DirectoryListModel, SplitTargetPathGivesDriveAndFolderAndRestoresTheWorkingDirectory) {
    FakeChooserPlatform fs;
    MakeTypicalMachine(fs);
    fs.AddDrive('\\');
    fs.AddDir("\\\\Server\\Share\\dir");
    fs.SetCwd("C:\\Temp");
    DirectoryListModel list(fs);
    struct Case {
        const char* target;
        SplitTarget split;
    } cases[] = {
        {"C:\\", {'C', "\\"}},
        {"C:\\LonWorks", {'C', "\\LonWorks"}},
        {"C:\\LonWorks\\Types\\User", {'C', "\\LonWorks\\Types\\User"}},
        {"e:\\Work", {'e', "\\Work"}},
        {"C:\\Program Files\\LonWorks\\readme.txt", {'C', "\\Program Files\\LonWorks"}},  // a file: its folder
        {"C:\\LonWorks\\*.*", {'C', "\\LonWorks"}},
        {"\\\\Server\\Share\\dir", {'\0', "\\\\Server\\Share\\dir"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list.SplitTargetPath(c.target), c.split) << c.target;
        EXPECT_EQ(fs.cwd, "C:\\Temp") << c.target;
    }
    try {
        list.SplitTargetPath("C:\\LonWorks\\Missing");
        ADD_FAILURE() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode(), 2);
    }
    EXPECT_EQ(fs.cwd, "C:\\Temp");
}

TEST(DirectoryListModel, DrawingOffsetsFollowTheDepthOfTheCurrentDirectory) {
    struct Case {
        const char* directory;
        std::vector<int> offsets;
    } cases[] = {
        {"C:\\LonWorks\\Types", {2, 6, 10, 14}},
        {"C:\\", {2, 10, 10, 10, 10}},
        {"C:\\LonWorks", {2, 6, 10}},
    };
    for (const Case& c : cases) {
        FakeChooserPlatform fs;
        MakeTypicalMachine(fs);
        fs.SetCwd(c.directory);
        DirectoryListModel list(fs);
        list.HandleWindowCreated();
        std::vector<int> offsets;
        for (int i = 0; i < static_cast<int>(list.Rows().size()); ++i)
            offsets.push_back(list.DrawRow(i, {0, 16 * i, 361, 16 * i + 16}).iconLeft);
        EXPECT_EQ(offsets, c.offsets) << c.directory;
    }
}

TEST(DirectoryListModel, DrawRowPlacesIconAndText) {
    FakeChooserPlatform fs;
    MakeTypicalMachine(fs);
    fs.SetCwd("C:\\LonWorks\\Types");
    DirectoryListModel list(fs);
    list.HandleWindowCreated();
    struct Case {
        int row;
        ItemRect rect;
        ChooserIcon icon;
        int iconLeft, iconTop, textLeft;
    } cases[] = {
        {0, {0, 0, 361, 16}, ChooserIcon::OpenFolder, 2, 0, 22},
        {1, {0, 16, 361, 32}, ChooserIcon::OpenFolder, 6, 16, 26},
        {2, {0, 32, 361, 48}, ChooserIcon::CurrentFolder, 10, 32, 30},
        {3, {4, 48, 361, 68}, ChooserIcon::ClosedFolder, 18, 50, 38},    // taller row: centred, (48+68-15)/2
        {3, {0, -20, 361, -4}, ChooserIcon::ClosedFolder, 14, -19, 34},  // scrolled above: truncates toward zero
    };
    for (const Case& c : cases) {
        ItemDrawing d = list.DrawRow(c.row, c.rect);
        EXPECT_EQ(d.icon, c.icon) << c.row;
        EXPECT_EQ(d.iconLeft, c.iconLeft) << c.row;
        EXPECT_EQ(d.iconTop, c.iconTop) << c.row;
        EXPECT_EQ(d.textRect.left, c.textLeft) << c.row;
        EXPECT_EQ(d.textRect.top, c.rect.top) << c.row;
    }
    EXPECT_EQ(list.DrawRow(3, {0, 0, 361, 16}).text, "User");
    EXPECT_EQ(DirectoryItemHeight(13), 16);
    EXPECT_EQ(DirectoryItemHeight(20), 20);
}

TEST(InOutError, MessageTable) {
    struct Case {
        int code;
        const char* message;
    } cases[] = {
        {2, "File not found"},
        {3, "Invalid filename"},
        {4, "Too many open files"},
        {5, "File access denied"},
        {100, "Read beyond end of file"},
        {101, "Disk full"},
        {106, "Invalid numeric input"},
        {21, "I/O error 21"},
        {0, "I/O error 0"},
        {1, "I/O error 1"},
        {103, "I/O error 103"},
        {-5, "I/O error -5"},
    };
    for (const Case& c : cases) {
        EInOutError e = MakeInOutError(c.code);
        EXPECT_EQ(e.ErrorCode(), c.code);
        EXPECT_STREQ(e.what(), c.message);
    }
}

}  // namespace
}  // namespace korva
