#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeChooserPlatform.h"
#include "core/chooser/DriveChooserModel.h"
#include "core/chooser/InOutError.h"

namespace korva {
namespace {

using testing::FakeChooserPlatform;
using testing::FakeChooserWindow;
using testing::MakeTypicalMachine;
using testing::SelectedEntry;
using testing::SelectedLetter;

// Every kind of drive the system can report, with labels in mixed case.
void AddEveryKindOfDrive(FakeChooserPlatform& fs) {
    using D = FakeChooserPlatform::Drive;
    fs.AddDrive('A', D{kDriveRemovable, true, "Floppy", 0, std::nullopt});
    fs.AddDrive('C', D{kDriveFixed, true, "Windows", 0, std::nullopt});
    fs.AddDrive('D', D{kDriveFixed, true, std::nullopt, 0, std::nullopt});   // label cannot be read
    fs.AddDrive('E', D{kDriveCdRom, false, std::nullopt, 0, std::nullopt});  // no medium
    fs.AddDrive('F', D{kDriveCdRom, true, "Setup_CD", 0, std::nullopt});
    fs.AddDrive('G', D{kDriveRamDisk, true, "RamDisk", 0, std::nullopt});
    fs.AddDrive('H', D{kDriveUnknown, true, "X", 0, std::nullopt});
    fs.AddDrive('I', D{kDriveNoRootDir, true, "X", 0, std::nullopt});
    fs.AddDrive('J', D{7, true, "X", 0, std::nullopt});
    fs.AddDrive('Y', D{kDriveRemote, true, "NetVol", 0, std::nullopt});  // connection cannot be read
    fs.AddDrive('Z', D{kDriveRemote, true, "Share", 0, "\\\\Server\\Share"});
    fs.SetCwd("C:\\");
}

TEST(DriveChooserModel, EntriesByDriveTypeInLowerCase) {
    FakeChooserPlatform fs;
    AddEveryKindOfDrive(fs);
    DriveChooserModel chooser(fs);
    EXPECT_EQ(fs.calls, std::vector<std::string>{"WorkingDirectory"}) << "no drive is read before the window exists";
    fs.calls.clear();
    chooser.HandleWindowCreated();
    const std::vector<DriveEntry> entries = {
        {"a:", ChooserIcon::Floppy},           {"c: [windows]", ChooserIcon::Hard},
        {"d: []", ChooserIcon::Hard},          {"e: []", ChooserIcon::CdRom},
        {"f: [setup_cd]", ChooserIcon::CdRom}, {"g: [ramdisk]", ChooserIcon::Ram},
        {"y: [netvol]", ChooserIcon::Network}, {"z: \\\\server\\share", ChooserIcon::Network},
    };
    EXPECT_EQ(chooser.Entries(), entries);
    EXPECT_EQ(SelectedEntry(chooser), "c: [windows]");  // the working directory's drive

    // One read of the drive set; the type and the labels asked with the lower-case letter,
    // never a label from the removable drive; the network name asked with the upper-case letter.
    EXPECT_EQ(fs.CallCount("LogicalDrives"), 1);
    EXPECT_EQ(fs.CallCount("DriveType c:\\"), 1);
    EXPECT_EQ(fs.CallCount("DriveType"), 11);
    std::vector<std::string> labelQueries;
    for (const std::string& call : fs.calls)
        if (call.rfind("VolumeInfo ", 0) == 0) labelQueries.push_back(call.substr(11));
    EXPECT_EQ(labelQueries, (std::vector<std::string>{"c:\\", "d:\\", "e:\\", "f:\\", "g:\\", "y:\\"}));
    EXPECT_EQ(fs.CallCount("NetworkConnection Y:"), 1);
    EXPECT_EQ(fs.CallCount("NetworkConnection Z:"), 1);
    EXPECT_EQ(fs.CallCount("NetworkConnection"), 2);
}

TEST(DriveChooserModel, LabelsAreReadWithCriticalErrorPromptsSuppressed) {
    FakeChooserPlatform fs;
    AddEveryKindOfDrive(fs);
    const unsigned before = 0x8000;  // SEM_NOOPENFILEERRORBOX, as the process had it
    fs.errorMode = before;
    DriveChooserModel chooser(fs);
    fs.calls.clear();
    chooser.HandleWindowCreated();
    int queries = 0;
    for (std::size_t i = 0; i < fs.calls.size(); ++i) {
        if (fs.calls[i].rfind("VolumeInfo", 0) != 0) continue;
        ++queries;
        ASSERT_GT(i, 0u);
        ASSERT_LT(i + 1, fs.calls.size());
        EXPECT_EQ(fs.calls[i - 1], "ChangeErrorMode " + std::to_string(kSemFailCriticalErrors)) << fs.calls[i];
        EXPECT_EQ(fs.calls[i + 1], "ChangeErrorMode " + std::to_string(before)) << fs.calls[i];
    }
    EXPECT_EQ(queries, 6);
    EXPECT_EQ(fs.CallCount("ChangeErrorMode"), 2 * queries);
    EXPECT_EQ(fs.errorMode, before);
}

TEST(DriveChooserModel, SwitchingDrivesMovesTheListToTheDrivesOwnDirectory) {
    FakeChooserPlatform fs;
    MakeTypicalMachine(fs);
    FakeChooserWindow w(fs);
    w.Create();

    w.chooser.SelectDrive('e');
    EXPECT_EQ(SelectedEntry(w.chooser), "e: []");
    EXPECT_EQ(w.list.CurrentDirectory(), "E:\\Work");
    EXPECT_EQ(w.RowTexts(), (std::vector<std::string>{"E:\\", "Work", "Sub"}));
    EXPECT_EQ(w.pathField, "E:\\Work");
    EXPECT_EQ(w.changes, 1);

    // The same drive again, in any case, does nothing.
    fs.calls.clear();
    w.chooser.SelectDrive('E');
    EXPECT_TRUE(fs.calls.empty());
    EXPECT_EQ(w.changes, 1);

    // Back to C: the system kept C:'s own current directory.
    w.chooser.SelectDrive('C');
    EXPECT_EQ(SelectedLetter(w.chooser), 'c');
    EXPECT_EQ(w.list.CurrentDirectory(), "C:\\Program Files\\LonWorks");
    EXPECT_EQ(w.pathField, "C:\\Program Files\\LonWorks");
    EXPECT_EQ(w.changes, 2);
}

TEST(DriveChooserModel, DriveWithoutMediumLeavesTheListAndKeepsTheChoice) {
    FakeChooserPlatform fs;
    MakeTypicalMachine(fs);
    FakeChooserWindow w(fs);
    w.Create();
    const auto rows = w.list.Rows();
    const auto version = w.list.RowsVersion();
    const int labelUpdates = w.labelUpdates;
    w.pathField = "typed";

    try {
        w.chooser.SelectDrive('d');
        ADD_FAILURE() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode(), 21);
        EXPECT_EQ(e.Message(), "I/O error 21");
    }
    EXPECT_EQ(SelectedEntry(w.chooser), "d: []");
    EXPECT_EQ(w.list.CurrentDirectory(), "C:\\Program Files\\LonWorks");
    EXPECT_EQ(w.list.Rows(), rows);
    EXPECT_EQ(w.list.RowsVersion(), version);
    EXPECT_EQ(w.labelUpdates, labelUpdates);
    EXPECT_EQ(w.pathField, "typed");
    EXPECT_EQ(w.changes, 0);
    EXPECT_EQ(fs.cwd, "C:\\Program Files\\LonWorks");

    // The same entry again does nothing.
    fs.calls.clear();
    EXPECT_NO_THROW(w.chooser.SelectDrive('d'));
    EXPECT_TRUE(fs.calls.empty());

    // The list's drive again brings the chooser back without a change notification.
    w.chooser.SelectDrive('c');
    EXPECT_EQ(SelectedLetter(w.chooser), 'c');
    EXPECT_EQ(w.list.RowsVersion(), version);
    EXPECT_EQ(w.changes, 0);

    // After that, the failed drive is tried again.
    EXPECT_THROW(w.chooser.SelectDrive('d'), EInOutError);
}

// A link shows in what it does: the chooser moves its list, and a change of drive in the
// list moves its chooser. (Under the sanitizers a link left to a destroyed partner fails.)
TEST(DriveChooserModel, LinksAreClearedWhenEitherGoesAway) {
    FakeChooserPlatform fs;
    MakeTypicalMachine(fs);
    DriveChooserModel chooser(fs);
    {
        DirectoryListModel list(fs);
        chooser.SetDirList(&list);
        list.HandleWindowCreated();
        chooser.HandleWindowCreated();
        chooser.SelectDrive('e');
        EXPECT_EQ(list.CurrentDirectory(), "E:\\Work");
    }
    fs.calls.clear();
    chooser.SelectDrive('a');  // the list is gone: nothing moves
    EXPECT_EQ(fs.CallCount("SetWorkingDirectory"), 0);
    EXPECT_EQ(fs.cwd, "E:\\Work");

    DirectoryListModel list(fs);
    list.HandleWindowCreated();
    {
        DriveChooserModel other(fs);
        other.SetDirList(&list);
        chooser.SetDirList(&list);  // takes the list over
        other.HandleWindowCreated();
        other.SelectDrive('c');
        EXPECT_EQ(list.CurrentDirectory(), "E:\\Work") << "the chooser that gave up the list still moves it";
    }
    list.ChangeDirectory("C:\\Temp");
    EXPECT_EQ(list.CurrentDirectory(), "C:\\Temp");
    EXPECT_EQ(SelectedLetter(chooser), 'c') << "the list's change of drive did not reach its chooser";
}

TEST(DriveChooserModel, DrawEntryPlacesIconAndText) {
    FakeChooserPlatform fs;
    MakeTypicalMachine(fs);
    DriveChooserModel chooser(fs);
    chooser.HandleWindowCreated();
    struct Case {
        int index;
        ItemRect rect;
        ChooserIcon icon;
        int iconTop;
    } cases[] = {
        {0, {0, 0, 345, 13}, ChooserIcon::Floppy, 1},
        {1, {0, 13, 345, 26}, ChooserIcon::Hard, 14},
        {4, {3, 52, 345, 65}, ChooserIcon::Network, 53},
        {1, {0, -12, 345, -1}, ChooserIcon::Hard, -12},  // (-12 - 1 - 11) / 2
    };
    for (const Case& c : cases) {
        ItemDrawing d = chooser.DrawEntry(c.index, c.rect);
        EXPECT_EQ(d.icon, c.icon) << c.index;
        EXPECT_EQ(d.iconLeft, c.rect.left + 2) << c.index;
        EXPECT_EQ(d.iconTop, c.iconTop) << c.index;
        EXPECT_EQ(d.textRect, (ItemRect{c.rect.left + 22, c.rect.top, c.rect.right, c.rect.bottom})) << c.index;
        EXPECT_EQ(d.text, chooser.Entries()[static_cast<std::size_t>(c.index)].text) << c.index;
    }
    EXPECT_EQ(DriveItemHeight(8), 11);
    EXPECT_EQ(DriveItemHeight(13), 13);
    EXPECT_STREQ(IconResourceName(ChooserIcon::CdRom), "CDROM");
}

}  // namespace
}  // namespace korva
