// The main window as a user meets it: caption, frame, layout, start folder, focus and Tab.
#include <gtest/gtest.h>

#include <functional>

#include "Driver.h"
#include "app/ControlIds.h"

using namespace e2e;

namespace {

struct Build {
    bool developer;
    const char* name;
};

class MainWindow : public ::testing::TestWithParam<Build> {
protected:
    void SetUp() override {
        startDir_ = MakeScratchDir("start");
        std::string err = tool_.Start(GetParam().developer, startDir_);
        ASSERT_EQ(err, "");
    }
    void TearDown() override {
        if (tool_.Running()) {
            EXPECT_EQ(tool_.CloseAndWait(), 0) << "exit code after WM_CLOSE";
        }
    }
    std::string startDir_;
    Tool tool_;
};

void PrintTo(const Build& b, std::ostream* os) { *os << b.name; }

std::string BuildName(const ::testing::TestParamInfo<Build>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Builds, MainWindow, ::testing::Values(Build{false, "Delivered"}, Build{true, "Developer"}),
                         BuildName);

// The task list names the tool by the application title, one blank after KORVA; the main
// window's caption has two. Exactly one window of the tool has an entry there.
TEST_P(MainWindow, CaptionHasTwoSpacesTheTaskListOneAndFrameIsFixed) {
    EXPECT_EQ(WindowText(tool_.Main()), "KORVA  Updates Tool - Lon R7716");
    const std::vector<HWND> entries = tool_.TaskListEntries();
    ASSERT_EQ(entries.size(), 1u) << "windows of the tool with a task-list entry";
    EXPECT_EQ(WindowText(entries[0]), "KORVA Updates Tool - Lon R7716") << "the task list's name for the tool";
    LONG style = GetWindowLongA(tool_.Main(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU) << "the title bar carries the system menu";
    EXPECT_FALSE(style & WS_THICKFRAME) << "the frame is not resizable";
    EXPECT_FALSE(style & WS_MINIMIZEBOX) << "no minimise button";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "no maximise button";
}

// Centred on the screen when first shown (integer halves of the free width and height).
TEST_P(MainWindow, CentredOnTheScreen) {
    RECT r{};
    ASSERT_TRUE(GetWindowRect(tool_.Main(), &r));
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(r.left, (sw - (r.right - r.left)) / 2) << "screen " << sw << " wide, window " << r.right - r.left;
    EXPECT_EQ(r.top, (sh - (r.bottom - r.top)) / 2) << "screen " << sh << " high, window " << r.bottom - r.top;
}

TEST_P(MainWindow, ClientAreaIs379By424) {
    RECT r{};
    ASSERT_TRUE(GetClientRect(tool_.Main(), &r));
    EXPECT_EQ(r.right - r.left, 379);
    EXPECT_EQ(r.bottom - r.top, 424);
}

TEST_P(MainWindow, PathFieldHoldsTheStartFolder) {
    HWND edit = tool_.Control(IDC_PATH_FIELD);
    ASSERT_NE(edit, nullptr) << "no path field (id IDC_PATH_FIELD)";
    EXPECT_EQ(WindowText(edit), startDir_);
}

TEST_P(MainWindow, DeveloperGroupFollowsTheBuild) {
    HWND group = tool_.Control(IDC_DEVELOPER_GROUP);
    ASSERT_NE(group, nullptr) << "no developer group box (id IDC_DEVELOPER_GROUP)";
    EXPECT_EQ(WindowText(group), "Debug");
    if (GetParam().developer) {
        EXPECT_TRUE(IsWindowVisible(group)) << "developer build: the group is shown";
        EXPECT_TRUE(IsWindowEnabled(group)) << "developer build: the group is enabled";
        for (int id : {IDC_GENERATE_BUTTON, IDC_OPEN_BUTTON, IDC_DEVICE_FOLDER_FIELD}) {
            HWND c = tool_.DebugControl(id);
            ASSERT_NE(c, nullptr) << "no control " << id << " in the group";
            EXPECT_TRUE(IsWindowVisible(c)) << "control " << id;
        }
        EXPECT_EQ(WindowText(tool_.DebugControl(IDC_DEVICE_FOLDER_FIELD)), "KR");
    } else {
        EXPECT_FALSE(IsWindowVisible(group)) << "delivered build: the group stays hidden";
        for (int id : {IDC_GENERATE_BUTTON, IDC_OPEN_BUTTON, IDC_DEVICE_FOLDER_FIELD})
            EXPECT_FALSE(IsWindowVisible(tool_.DebugControl(id))) << "control " << id;
    }
}

// Focus starts on "Installation"; Tab moves between it and the path field only. The keys
// are real key input (SendInput) to the window in the foreground: a WM_KEYDOWN posted to
// a control would bypass the tool's dialog-key handling.
TEST_P(MainWindow, FocusStartsOnInstallationAndTabCyclesWithThePathField) {
    HWND button = tool_.Control(IDC_INSTALL_BUTTON);
    HWND field = tool_.Control(IDC_PATH_FIELD);
    ASSERT_NE(button, nullptr);
    ASSERT_NE(field, nullptr);
    const HWND atStart = tool_.WaitForFocus(button);
    EXPECT_EQ(atStart, button) << "focus at start is on " << ClassOf(atStart) << " \"" << WindowText(atStart) << "\"";
    for (HWND passed : tool_.FocusAtStart())
        EXPECT_NE(passed, tool_.Main()) << "while the tool started, the focus rested on the main window itself";
    ASSERT_TRUE(tool_.BringToFront(tool_.Main())) << "the main window did not become the foreground window";
    const HWND expected[] = {field, button, field, button};
    for (HWND want : expected) {
        SendKey(VK_TAB);
        HWND got = tool_.WaitForFocus(want);
        ASSERT_EQ(got, want) << "after Tab the focus is on " << ClassOf(got) << " id " << GetDlgCtrlID(got) << " \""
                             << WindowText(got) << "\", expected id " << GetDlgCtrlID(want);
    }
}

// The keyboard on the main window: Space presses the focused "Installation" (the start
// folder is no LonWorks folder, so the warning answers); the window has no default or
// cancel button, so Escape presses nothing, and neither key does in the path field (Enter
// on the focused button itself is left open: a focused push button may take it);
// Alt+F4 ends the tool with exit code 0.
TEST_P(MainWindow, KeysOnTheMainWindow) {
    const std::string title = R7716_APP_TITLE;
    ASSERT_TRUE(tool_.BringToFront(tool_.Main()));
    ASSERT_EQ(tool_.WaitForFocus(tool_.Control(IDC_INSTALL_BUTTON)), tool_.Control(IDC_INSTALL_BUTTON));
    SendKey(VK_ESCAPE);
    EXPECT_EQ(tool_.WaitForDialog(title, 1000), nullptr) << "Escape on Installation opened a box";
    SendKey(VK_TAB);
    for (WORD vk : {VK_RETURN, VK_ESCAPE}) {
        SendKey(vk);
        EXPECT_EQ(tool_.WaitForDialog(title, 1000), nullptr) << "key " << vk << " in the path field opened a box";
    }
    EXPECT_EQ(tool_.Focus(), tool_.Control(IDC_PATH_FIELD));
    SendKey(VK_TAB);
    SendKey(VK_SPACE);
    HWND box = tool_.WaitForDialog(title);
    ASSERT_NE(box, nullptr) << "Space on the focused Installation button opened no box";
    EXPECT_EQ(BoxText(box).substr(0, 8), "Warning:");
    EXPECT_EQ(BoxOwnership(tool_, box), "");
    ASSERT_TRUE(PressOk(tool_, box));
    EXPECT_EQ(BackAfterBox(tool_, tool_.Control(IDC_INSTALL_BUTTON)), "");
    ASSERT_TRUE(tool_.BringToFront(tool_.Main()));
    SendKey(VK_F4, VK_MENU);
    EXPECT_EQ(tool_.CloseAndWait(), 0) << "exit code after Alt+F4";
}

// The task list's entry minimises the tool (the main window goes out of sight), restores it
// with the focus where it was, and closes it with exit code 0.
TEST_P(MainWindow, TaskListEntryMinimisesRestoresAndCloses) {
    const std::vector<HWND> entries = tool_.TaskListEntries();
    ASSERT_EQ(entries.size(), 1u);
    const HWND entry = entries[0];
    const HWND field = tool_.Control(IDC_PATH_FIELD);
    ASSERT_TRUE(tool_.BringToFront(tool_.Main()));
    SendKey(VK_TAB);
    ASSERT_EQ(tool_.WaitForFocus(field), field);

    PostMessageA(entry, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    DWORD start = GetTickCount();
    while ((IsWindowVisible(tool_.Main()) || !IsIconic(entry)) && GetTickCount() - start < kTimeoutMs) Sleep(20);
    EXPECT_FALSE(IsWindowVisible(tool_.Main())) << "minimised, the main window is still shown";
    EXPECT_TRUE(IsIconic(entry)) << "the task-list entry is not minimised";

    PostMessageA(entry, WM_SYSCOMMAND, SC_RESTORE, 0);
    start = GetTickCount();
    while (!IsWindowVisible(tool_.Main()) && GetTickCount() - start < kTimeoutMs) Sleep(20);
    EXPECT_TRUE(IsWindowVisible(tool_.Main())) << "restored, the main window stays hidden";
    EXPECT_EQ(tool_.WaitForFocus(field), field) << "restored, the focus is not back on the path field";

    PostMessageA(entry, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(tool_.CloseAndWait(), 0) << "exit code after closing through the task list";
}

// However the activation reaches the window, the focus ends on the control that last had it,
// never on the window itself: another program takes the foreground and the window gets it
// back; the task-list entry is activated; the focus is put on the window itself; and
// activation messages arrive in orders the system may send them in under load.
TEST_P(MainWindow, FocusReturnsToItsControlWhateverTheActivationOrder) {
    const HWND main = tool_.Main();
    const HWND field = tool_.Control(IDC_PATH_FIELD);
    ASSERT_TRUE(tool_.BringToFront(main));
    SendKey(VK_TAB);
    ASSERT_EQ(tool_.WaitForFocus(field), field);
    Tool other;  // another program in the foreground
    ASSERT_EQ(other.Start(false, startDir_), "");

    struct Case {
        const char* name;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"another program in front, then this window",
         [&] {
             other.BringToFront(other.Main());
             tool_.BringToFront(main);
         }},
        {"another program in front, then the task-list entry",
         [&] {
             other.BringToFront(other.Main());
             SetForegroundWindow(tool_.TaskListEntries().at(0));  // it hands the activation on
         }},
        {"the focus put on the window itself",
         [&] {
             tool_.BringToFront(main);
             AttachThreadInput(GetCurrentThreadId(), tool_.Tid(), TRUE);
             SetFocus(main);
             AttachThreadInput(GetCurrentThreadId(), tool_.Tid(), FALSE);
         }},
        {"activated before the deactivation arrives",
         [&] {
             PostMessageA(main, WM_ACTIVATE, WA_ACTIVE, 0);
             PostMessageA(main, WM_ACTIVATE, WA_INACTIVE, 0);
             PostMessageA(main, WM_SETFOCUS, 0, 0);
         }},
        {"activated by a click, the focus message first",
         [&] {
             PostMessageA(main, WM_SETFOCUS, 0, 0);
             PostMessageA(main, WM_ACTIVATE, WA_CLICKACTIVE, 0);
         }},
    };
    // Until the tool has handled every message a case sent or posted it. The system hands the
    // activations over as sent messages, which the tool may take up only later: without this
    // a case would look at the focus before anything happened to it, and the next one act on
    // a window that has yet to see the last. A message sent now comes after the system's; a
    // flag of the path field's, set by a posted message, after the case's posted ones.
    const auto settled = [&] {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &result);
        SendMessageA(field, EM_SETMODIFY, FALSE, 0);
        PostMessageA(field, EM_SETMODIFY, TRUE, 0);
        const DWORD start = GetTickCount();
        while (!SendMessageA(field, EM_GETMODIFY, 0, 0) && GetTickCount() - start < kTimeoutMs) Sleep(1);
    };
    // Where the focus went, and when, should a case fail.
    FocusSampler sampler(tool_.Tid());
    std::string history;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        history += std::to_string(GetTickCount()) + " " + c.name + "; ";
        c.act();
        settled();
        const HWND got = tool_.WaitForFocus(field);
        GUITHREADINFO gi{};
        gi.cbSize = sizeof gi;
        GetGUIThreadInfo(tool_.Tid(), &gi);
        const HWND front = GetForegroundWindow();
        EXPECT_EQ(got, field) << "the focus is on " << ClassOf(got) << " \"" << WindowText(got)
                              << "\"; the active window " << ClassOf(gi.hwndActive) << " \""
                              << WindowText(gi.hwndActive) << "\"; in front " << ClassOf(front) << " \""
                              << WindowText(front) << "\" of "
                              << (front == other.Main() ? "the other program" : "this or a third one");
    }
    for (const FocusSampler::Sample& sample : sampler.Stop())
        history += std::to_string(sample.tick) + " " +
                   (sample.focus == field ? "path field"
                    : sample.focus        ? ClassOf(sample.focus)
                                          : "none") +
                   "; ";
    if (HasFailure()) ADD_FAILURE() << "the cases and the focus, with their times: " << history;
    other.CloseAndWait();
}

// ---- layout ----

enum Kind { kLabel, kControl, kLabelRuntimeText };

struct Place {
    int id;
    bool inGroup;
    Kind kind;
    int left, top, width, height;
    const char* text;  // expected caption, nullptr where the text is the implementer's
};

// Positions and sizes at 96 dpi with a 13-pixel text height; group children relative to
// the group box.
const Place kLayout[] = {
    {IDC_COPIES_LABEL, false, kLabel, 16, 280, 156, 13, "The KORVA Updates Tool copies:"},
    {IDC_IMPORT_FILE_LABEL, false, kLabel, 16, 296, 218, 13, "File R7716.XIF into folder \"LonWorks\\Import\"."},
    {IDC_TYPES_FILES_LABEL, false, kLabel, 16, 312, 268, 13, "Files R7716.ENU, R7716.FPT, R7716.FMT, R7716.TYP"},
    {IDC_SUMMARY_FRAME, false, kControl, 8, 272, 361, 97, nullptr},
    {IDC_TYPES_FOLDER_LABEL, false, kLabel, 16, 328, 194, 13, "into folder \"LonWorks\\Types\\User\\KR\"."},
    {IDC_PRODUCT_LINK, false, kLabel, 48, 401, 161, 13, nullptr},
    {IDC_COPYRIGHT_LABEL, false, kLabel, 48, 384, 212, 13, nullptr},
    {IDC_CATALOG_LABEL, false, kLabel, 16, 344, 336, 13,
     "Adds the path to the resource files into the LonWorks resource catalog."},
    {IDC_ICON_IMAGE, false, kControl, 8, 384, 33, 33, nullptr},
    {IDC_PATH_LABEL, false, kLabel, 8, 212, 25, 13, "Path:"},
    {IDC_VERSION_LABEL, false, kLabel, 304, 384, 56, 13, "Version: " R7716_VERSION},
    {IDC_INSTRUCTION_LABEL, false, kLabel, 8, 8, 332, 13,
     "Select a path to existing LonWorks folder and press button Installation."},
    {IDC_INSTALL_BUTTON, false, kControl, 8, 240, 75, 25, "Installation"},
    {IDC_DIRECTORY_LIST, false, kControl, 8, 56, 361, 145, nullptr},
    {IDC_DRIVE_LIST, false, kControl, 8, 30, 361, 19, nullptr},
    {IDC_PATH_FIELD, false, kControl, 40, 208, 329, 21, nullptr},
    {IDC_DEVELOPER_GROUP, false, kControl, 128, 200, 241, 185, "Debug"},
    {IDC_DIRECTORY_LABEL, true, kLabelRuntimeText, 7, 96, 122, 13, nullptr},
    {IDC_STEPS_LABEL, true, kLabel, 8, 16, 187, 13, "I. Three steps for creating file R7716.h :"},
    {IDC_FOLDER_NAME_LABEL, true, kLabel, 8, 112, 152, 13, "II. Set folder name in LonWorks "},
    {IDC_LINK_STEP_LABEL, true, kLabel, 8, 80, 219, 13, nullptr},
    {IDC_TESTING_LABEL, true, kLabel, 8, 128, 108, 13, "for testing the Tool.exe"},
    {IDC_GENERATE_BUTTON, true, kControl, 6, 56, 131, 25, "2) Generate R7716.h"},
    {IDC_OPEN_BUTTON, true, kControl, 6, 32, 131, 25, "1) Open File R7716.xif"},
    {IDC_DEVICE_FOLDER_FIELD, true, kControl, 8, 148, 121, 21, "KR"},
};

// Width of a label's text in "MS Sans Serif" 8 points, measured here the way an autosized
// label measures itself.
int TextWidth(const std::string& text) {
    HDC dc = GetDC(nullptr);
    int height = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return r.right - r.left;
}

// Scale of the layout: 1 at 96 dpi with a 13-pixel text height (the case under Wine's
// default settings); otherwise positions scale by the text height over 13.
int Scaled(int v) {
    HDC dc = GetDC(nullptr);
    int height = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return MulDiv(v, tm.tmHeight, 13);
}

// Labels are autosized to their text: for them the test checks position and height
// against the table and the width against the text's width measured here in the same
// font (with Windows' own "MS Sans Serif" that width is the table's; Wine's replacement
// font may differ by a pixel or two, so the table width is only reported).
TEST_P(MainWindow, ControlsStandWhereTheLayoutPutsThem) {
    HWND group = tool_.Control(IDC_DEVELOPER_GROUP);
    ASSERT_NE(group, nullptr);
    for (const Place& p : kLayout) {
        SCOPED_TRACE("control id " + std::to_string(p.id));
        HWND c = p.inGroup ? GetDlgItem(group, p.id) : tool_.Control(p.id);
        ASSERT_NE(c, nullptr) << "control missing";
        EXPECT_EQ(GetParent(c), p.inGroup ? group : tool_.Main()) << "wrong parent";
        RECT r = RectInParent(c);
        EXPECT_EQ(r.left, Scaled(p.left)) << "left";
        EXPECT_EQ(r.top, Scaled(p.top)) << "top";
        std::string text = WindowText(c);
        if (p.text) {
            EXPECT_EQ(text, p.text) << "caption";
        }
        switch (p.kind) {
        case kControl:
            EXPECT_EQ(r.right - r.left, Scaled(p.width)) << "width";
            EXPECT_EQ(r.bottom - r.top, Scaled(p.height)) << "height";
            break;
        case kLabel:
            EXPECT_EQ(r.bottom - r.top, Scaled(p.height)) << "height";
            EXPECT_EQ(r.right - r.left, TextWidth(text))
                << "width of \"" << text << "\" (the table's width at 96 dpi with Windows' font: " << p.width << ")";
            break;
        case kLabelRuntimeText:  // its font and text are set at run time
            break;
        }
    }
}

// ---- colours, read off the screen ----

POINT ScreenPoint(HWND w, int x, int y) {
    POINT p{x, y};
    ClientToScreen(w, &p);
    return p;
}

// Pixels of the colour inside the control's window rectangle.
int CountColour(const Shot& shot, HWND control, COLORREF colour) {
    RECT r{};
    GetWindowRect(control, &r);
    int n = 0;
    for (LONG y = r.top; y < r.bottom; ++y)
        for (LONG x = r.left; x < r.right; ++x)
            if (shot.At(POINT{x, y}) == colour) ++n;
    return n;
}

std::string Rgb(COLORREF c) {
    if (c == CLR_INVALID) return "outside";
    return "(" + std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
           std::to_string(GetBValue(c)) + ")";
}

TEST_P(MainWindow, ColoursOnTheScreen) {
    ASSERT_TRUE(tool_.BringToFront(tool_.Main()));
    Shot shot;
    ASSERT_TRUE(Capture(tool_.Main(), shot));
    const COLORREF face = GetSysColor(COLOR_BTNFACE), menu = GetSysColor(COLOR_MENU);
    const COLORREF lightRed = RGB(255, 128, 128), red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    HWND main = tool_.Main();
    EXPECT_EQ(Rgb(shot.At(ScreenPoint(main, 375, 4))), Rgb(face)) << "window background: button face";

    HWND link = tool_.Control(IDC_PRODUCT_LINK);
    ASSERT_NE(link, nullptr);
    EXPECT_GT(CountColour(shot, link, blue), 0) << "the web address is drawn in blue";
    EXPECT_GT(CountColour(shot, tool_.Control(IDC_INSTRUCTION_LABEL), GetSysColor(COLOR_WINDOWTEXT)), 0)
        << "labels in the window-text colour";

    // The list's and the drive field's ground: the menu colour (the list shows three rows
    // for the start folder, so its lower part is empty).
    HWND list = tool_.Control(IDC_DIRECTORY_LIST);
    RECT lc{};
    GetClientRect(list, &lc);
    EXPECT_EQ(Rgb(shot.At(ScreenPoint(list, lc.right - 30, lc.bottom - 5))), Rgb(menu)) << "directory list ground";
    HWND drives = tool_.Control(IDC_DRIVE_LIST);
    RECT dc{};
    GetClientRect(drives, &dc);
    EXPECT_EQ(Rgb(shot.At(ScreenPoint(drives, dc.right - 60, dc.bottom / 2))), Rgb(menu)) << "drive field ground";

    // A free spot of the developer group, right of its buttons.
    HWND group = tool_.Control(IDC_DEVELOPER_GROUP);
    POINT inGroup = ScreenPoint(group, 200, 60);
    if (GetParam().developer) {
        EXPECT_EQ(Rgb(shot.At(inGroup)), Rgb(lightRed)) << "developer group ground";
        EXPECT_GT(CountColour(shot, tool_.DebugControl(IDC_GENERATE_BUTTON), red), 0) << "red caption of Button1";
        EXPECT_GT(CountColour(shot, tool_.DebugControl(IDC_OPEN_BUTTON), red), 0) << "red caption of Button3";
        HWND edit1 = tool_.DebugControl(IDC_DEVICE_FOLDER_FIELD);
        RECT ec{};
        GetClientRect(edit1, &ec);
        EXPECT_EQ(Rgb(shot.At(ScreenPoint(edit1, ec.right - 10, ec.bottom / 2))), Rgb(lightRed)) << "Edit1 ground";
    } else {
        EXPECT_EQ(Rgb(shot.At(inGroup)), Rgb(face)) << "the hidden group leaves the window's ground";
        EXPECT_EQ(CountColour(shot, group, lightRed), 0) << "nothing of the hidden group shows";
    }
}

TEST_P(MainWindow, ScreenshotOfTheMainWindow) {
    ASSERT_TRUE(tool_.BringToFront(tool_.Main()));
    std::string file = ArtifactDir() + (GetParam().developer ? "\\main-window-dev.png" : "\\main-window.png");
    EXPECT_TRUE(SaveScreenshot(tool_.Main(), file)) << file;
}

}  // namespace
