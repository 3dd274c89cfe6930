// The developer group of the developer build: pick the interface file in the open-file
// dialog, then generate the payload header beside it.
#include <gtest/gtest.h>

#include "Driver.h"
#include "app/ControlIds.h"

using namespace e2e;

namespace {

// The open-file dialog's file-name box: an Edit with id 0x480 in the old layout; in Wine
// 8's explorer-style dialog the Edit inside the combo box with id 0x47C. The dialog also
// holds a toolbar with id 1, so its buttons are looked up with their class.
HWND FileNameBox(HWND dlg) {
    if (HWND e = FindDescendant(dlg, 0x480, "Edit")) return e;
    HWND combo = FindDescendant(dlg, 0x47C, "ComboBox");
    return combo ? FindWindowExA(combo, nullptr, "Edit", nullptr) : nullptr;
}

class DevTools : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = MakeScratchDir("devtools");
        std::string err = tool_.Start(true, folder_);
        ASSERT_EQ(err, "");
        edit2_ = tool_.Control(IDC_PATH_FIELD);
        ASSERT_NE(edit2_, nullptr);
        ASSERT_NE(tool_.DebugControl(IDC_OPEN_BUTTON), nullptr) << "no button \"1) Open File R7716.xif\"";
        ASSERT_NE(tool_.DebugControl(IDC_GENERATE_BUTTON), nullptr) << "no button \"2) Generate R7716.h\"";
    }
    void TearDown() override {
        if (tool_.Running()) {
            if (HWND dlg = tool_.FindDialog("")) {
                PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
                tool_.WaitGone(dlg);
            }
            EXPECT_EQ(tool_.CloseAndWait(), 0) << "exit code after WM_CLOSE";
        }
    }
    // Copies the five source files into the scratch folder under the given base name.
    void CopySources(const std::string& base) {
        for (const char* ext : {"xif", "enu", "fpt", "fmt", "typ"}) {
            std::string src = ResourceDir() + "\\R7716." + ext;
            ASSERT_TRUE(CopyFileA(src.c_str(), (folder_ + "\\" + base + "." + ext).c_str(), FALSE)) << src;
        }
    }
    // Clicks "1) Open File R7716.xif" and returns the open-file dialog, which belongs to the
    // application like every box of the tool.
    HWND OpenDialog() {
        if (!tool_.PostClick(tool_.DebugControl(IDC_OPEN_BUTTON))) return nullptr;
        HWND dlg = tool_.WaitForDialog("");
        if (dlg) EXPECT_EQ(BoxOwnership(tool_, dlg), "") << "the open-file dialog";
        return dlg && FileNameBox(dlg) ? dlg : nullptr;
    }
    // Presses a button of the dialog (IDOK, IDCANCEL) and waits until it is gone.
    bool Press(HWND dlg, int id) {
        HWND b = FindDescendant(dlg, id, "Button");
        return b && tool_.PostClick(b) && tool_.WaitGone(dlg);
    }
    // Waits until the path field holds the text (the handler runs on after the dialog).
    std::string WaitPathField(const std::string& want) {
        DWORD start = GetTickCount();
        std::string got;
        while ((got = WindowText(edit2_)) != want && GetTickCount() - start < kTimeoutMs) Sleep(20);
        return got;
    }
    // Picks the name through the dialog, typed into its file-name box.
    void Pick(const std::string& name) {
        HWND dlg = OpenDialog();
        ASSERT_NE(dlg, nullptr) << "no open-file dialog with a file-name box within 10 s";
        ASSERT_TRUE(SetText(FileNameBox(dlg), name));
        ASSERT_TRUE(Press(dlg, IDOK)) << "the dialog did not close on OK";
        ASSERT_EQ(WaitPathField(name), name) << "path field after picking";
    }
    void Generate() {
        ASSERT_TRUE(tool_.SendClick(tool_.DebugControl(IDC_GENERATE_BUTTON))) << "generation did not return";
    }

    std::string folder_;
    Tool tool_;
    HWND edit2_ = nullptr;
};

TEST_F(DevTools, PickedFileLandsInThePathFieldAndTheHeaderMatchesTheBuilds) {
    ASSERT_NO_FATAL_FAILURE(CopySources("R7716"));
    std::string xif = folder_ + "\\R7716.xif";
    ASSERT_NO_FATAL_FAILURE(Pick(xif));
    ASSERT_NO_FATAL_FAILURE(Generate());
    const auto want = ReadFileBytes(GeneratedHeader());
    ASSERT_TRUE(want) << "the build's header is missing: " << GeneratedHeader();
    const auto got = ReadFileBytes(folder_ + "\\R7716.h");
    ASSERT_TRUE(got) << "no header written beside the picked file";
    EXPECT_EQ(got->size(), want->size());
    EXPECT_TRUE(*got == *want) << "the header differs from the one the build generated";
}

// On the monitor that shows the main window: centred across its whole width, a third of its
// free height above. (Wine reports the whole monitor as the work area, so which of the two
// the tool takes is pinned by the Win32 side's own test.)
TEST_F(DevTools, DialogIsCentredOnTheMonitorWithAThirdAbove) {
    HWND dlg = OpenDialog();
    ASSERT_NE(dlg, nullptr) << "no open-file dialog within 10 s";
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(tool_.Main(), MONITOR_DEFAULTTONEAREST), &mi));
    const RECT& monitor = mi.rcMonitor;
    RECT r{};
    LONG wantLeft = 0, wantTop = 0;
    DWORD start = GetTickCount();
    do {  // the dialog is placed once it has been laid out
        GetWindowRect(dlg, &r);
        wantLeft = monitor.left + ((monitor.right - monitor.left) - (r.right - r.left)) / 2;
        wantTop = monitor.top + ((monitor.bottom - monitor.top) - (r.bottom - r.top)) / 3;
        if (r.left == wantLeft && r.top == wantTop) break;
        Sleep(50);
    } while (GetTickCount() - start < kTimeoutMs);
    EXPECT_EQ(r.left, wantLeft) << "monitor " << monitor.right - monitor.left << " wide, dialog " << r.right - r.left;
    EXPECT_EQ(r.top, wantTop) << "monitor " << monitor.bottom - monitor.top << " high, dialog " << r.bottom - r.top;
    ASSERT_TRUE(Press(dlg, IDCANCEL));
    EXPECT_EQ(BackAfterBox(tool_, tool_.DebugControl(IDC_OPEN_BUTTON)), "");
}

TEST_F(DevTools, CancelLeavesThePathField) {
    ASSERT_TRUE(SetText(edit2_, "C:\\kept\\as it was"));
    HWND dlg = OpenDialog();
    ASSERT_NE(dlg, nullptr) << "no open-file dialog within 10 s";
    ASSERT_TRUE(SetText(FileNameBox(dlg), folder_ + "\\other.xif"));
    ASSERT_TRUE(Press(dlg, IDCANCEL)) << "the dialog did not close on Cancel";
    EXPECT_TRUE(tool_.WaitTakesInput());
    Sleep(200);
    EXPECT_EQ(WindowText(edit2_), "C:\\kept\\as it was");
}

// The second run starts with the name picked first: confirming it at once picks it again.
// (Wine, like Windows, opens the dialog in the picked file's folder and may show only the
// file's own name in the box.)
TEST_F(DevTools, SecondRunOffersTheNamePickedFirst) {
    ASSERT_NO_FATAL_FAILURE(CopySources("R7716"));
    std::string xif = folder_ + "\\R7716.xif";
    ASSERT_NO_FATAL_FAILURE(Pick(xif));
    ASSERT_TRUE(SetText(edit2_, "C:\\elsewhere"));
    HWND dlg = OpenDialog();
    ASSERT_NE(dlg, nullptr) << "no open-file dialog on the second run";
    std::string shown = WindowText(FileNameBox(dlg));
    EXPECT_TRUE(shown == xif || shown == "R7716.xif") << "the file-name box shows \"" << shown << "\"";
    ASSERT_TRUE(Press(dlg, IDOK));
    EXPECT_EQ(WaitPathField(xif), xif);
}

TEST_F(DevTools, NameOfAMissingFileIsTakenAndGivesAnEmptyXifSection) {
    ASSERT_NO_FATAL_FAILURE(CopySources("Missing"));
    std::string missing = folder_ + "\\Missing.xif";
    ASSERT_TRUE(DeleteFileA(missing.c_str()));
    ASSERT_NO_FATAL_FAILURE(Pick(missing));
    ASSERT_NO_FATAL_FAILURE(Generate());
    const auto built = ReadFileBytes(GeneratedHeader());
    ASSERT_TRUE(built) << GeneratedHeader();
    size_t xifEnd = built->find("};\r\n\r\n");
    ASSERT_NE(xifEnd, std::string::npos) << "the build's header has no xif section";
    std::string want = "\r\n\r\n" + built->substr(xifEnd + 6);
    const auto got = ReadFileBytes(folder_ + "\\Missing.h");
    ASSERT_TRUE(got) << "no header written";
    EXPECT_EQ(got->substr(0, 4), "\r\n\r\n");
    EXPECT_EQ(got->size(), want.size());
    EXPECT_TRUE(*got == want) << "beyond the empty xif section the header differs from the build's";
}

}  // namespace
