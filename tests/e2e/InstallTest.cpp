// Installations worked through the window: the path typed into the path field, a click on
// "Installation", the box that answers, and the files on disk afterwards.
#include <gtest/gtest.h>

#include <algorithm>

#include "Driver.h"
#include "app/ControlIds.h"

using namespace e2e;

namespace {

const char kTitle[] = R7716_APP_TITLE;
const char kSuccess[] = "Information: The operation is successfully complete.";
const char kWarning[] = "Warning:\rThe path to the LonWorks folder is not correct.\rThe operation was not complete.";

// The text a box shows, with CR LF read as the lone CR of the message: a static may be
// handed either to break its lines; the user sees the same lines.
std::string ShownMessage(HWND box) {
    std::string t = BoxText(box), out;
    for (size_t i = 0; i < t.size(); ++i) {
        out += t[i];
        if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
    }
    return out;
}

class Installation : public ::testing::Test {
protected:
    void Start(bool developer = false) {
        scratch_ = MakeScratchDir("install");
        std::string err = tool_.Start(developer, scratch_);
        ASSERT_EQ(err, "");
    }
    void TearDown() override {
        if (tool_.Running()) {
            if (HWND box = tool_.FindDialog("")) PressOk(tool_, box);
            EXPECT_EQ(tool_.CloseAndWait(), 0) << "exit code after WM_CLOSE";
        }
    }
    // Types the path into the path field and clicks "Installation"; returns the box that
    // answers (caption = the application title), or nullptr.
    HWND Install(const std::string& path, DWORD timeoutMs = kTimeoutMs) {
        HWND edit = tool_.Control(IDC_PATH_FIELD);
        HWND button = tool_.Control(IDC_INSTALL_BUTTON);
        if (!edit || !button || !SetText(edit, path) || !tool_.PostClick(button)) return nullptr;
        return tool_.WaitForDialog(kTitle, timeoutMs);
    }
    // The five files and the command file of an installation into lonworks, with the
    // device folder name.
    void ExpectInstalled(const std::string& lonworks, const std::string& deviceName) {
        const std::string device = lonworks + "\\Types\\User\\" + deviceName;
        const struct {
            std::string installed, source;
        } files[] = {
            {lonworks + "\\Import\\R7716.XIF", "R7716.xif"}, {device + "\\R7716.ENU", "R7716.enu"},
            {device + "\\R7716.FMT", "R7716.fmt"},           {device + "\\R7716.FPT", "R7716.fpt"},
            {device + "\\R7716.TYP", "R7716.typ"},
        };
        for (const auto& f : files) {
            const auto want = ReadFileBytes(ResourceDir() + "\\" + f.source);
            ASSERT_TRUE(want) << "cannot read the source " << f.source;
            const auto got = ReadFileBytes(f.installed);
            ASSERT_TRUE(got) << "not installed: " << f.installed;
            EXPECT_EQ(got->size(), want->size()) << f.installed;
            EXPECT_TRUE(*got == *want) << f.installed << " differs from " << f.source;
        }
        const auto cmd = ReadFileBytes(lonworks + "\\Types\\loninst.cmd");
        ASSERT_TRUE(cmd) << "no command file";
        EXPECT_EQ(*cmd, "\"mkcat.exe\" \"-a" + device + "\"");
        EXPECT_EQ(cmd->size(), device.size() + 16);
    }
    std::string scratch_;
    Tool tool_;
};

// Accepted paths, each typed as it stands: the derived folders are the typed text plus
// fixed pieces, so a trailing backslash gives a double one at every join.
TEST_F(Installation, AcceptedPathsGetTheFiveFilesAndTheCommandFile) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const struct {
        const char* folder;  // made under the scratch folder
        const char* typed;   // typed after the scratch folder
    } cases[] = {
        {"\\LonWorks", "\\LonWorks"},
        {"\\Trailing\\LonWorks", "\\Trailing\\LonWorks\\"},
        {"\\Lower\\lonworks", "\\Lower\\lonworks"},
        {"\\MyLonWorks", "\\MyLonWorks"},
    };
    for (const auto& c : cases) {
        std::string typed = scratch_ + c.typed;
        SCOPED_TRACE("typed: " + typed);
        ASSERT_TRUE(MakeDirs(scratch_ + c.folder));
        HWND box = Install(typed);
        ASSERT_NE(box, nullptr) << "no box captioned \"" << kTitle << "\" within 10 s after clicking Installation";
        EXPECT_EQ(BoxText(box), kSuccess);
        EXPECT_EQ(BoxOwnership(tool_, box), "") << "the simple message box";
        ASSERT_TRUE(PressOk(tool_, box)) << "the box did not close on OK";
        ExpectInstalled(typed, "KR");
        EXPECT_EQ(BackAfterBox(tool_, tool_.Control(IDC_INSTALL_BUTTON)), "");
    }
}

// While another installation (the console program, another session's window) holds the
// machine-wide lock, the window waits: it installs once the lock is let go, and when the lock
// is held through its whole wait of 10 s, the error box says so and nothing is written.
TEST_F(Installation, WaitsWhileAnotherInstallationRuns) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string freed = scratch_ + "\\Freed\\LonWorks", held = scratch_ + "\\Held\\LonWorks";
    ASSERT_TRUE(MakeDirs(freed) && MakeDirs(held));

    HeldInstallLock lock;
    ASSERT_TRUE(lock.Held());
    ASSERT_EQ(Install(freed, 1000), nullptr) << "a box while another installation runs";
    EXPECT_FALSE(Exists(freed + "\\Import")) << "written while another installation ran";
    lock.Release();
    HWND box = tool_.WaitForDialog(kTitle);
    ASSERT_NE(box, nullptr) << "no box after the other installation ended";
    EXPECT_EQ(BoxText(box), kSuccess);
    ASSERT_TRUE(PressOk(tool_, box));
    ExpectInstalled(freed, "KR");

    HeldInstallLock heldThrough;
    ASSERT_TRUE(heldThrough.Held());
    const DWORD began = GetTickCount();
    box = Install(held, 20000);
    ASSERT_NE(box, nullptr) << "no box within 20 s";
    EXPECT_GE(GetTickCount() - began, 9000u) << "the window did not wait";
    EXPECT_EQ(BoxText(box), "Cannot install: another installation is running.");
    SaveScreenshot(box, ArtifactDir() + "\\busy-box.png");
    EXPECT_EQ(BoxOwnership(tool_, box), "") << "the error box";
    ASSERT_TRUE(PressOk(tool_, box));
    EXPECT_FALSE(Exists(held + "\\Import")) << "written while another installation ran";
    EXPECT_EQ(BackAfterBox(tool_, tool_.Control(IDC_INSTALL_BUTTON)), "");
}

// A relative path resolves against the working directory, which a run moves to its own
// Types folder before it starts the command file: the relative name of the command file no
// longer names it then, and the run says so in the error box instead of reporting success
// (the files are in place). The same text typed again names a folder that is not there.
TEST_F(Installation, RelativePathFollowsTheWorkingDirectory) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(MakeDirs(scratch_ + "\\LonWorks"));
    HWND box = Install("LonWorks");
    ASSERT_NE(box, nullptr) << "no box within 10 s";
    EXPECT_EQ(BoxText(box), "Cannot start LonWorks\\Types\\loninst.cmd.");
    SaveScreenshot(box, ArtifactDir() + "\\start-error-box.png");
    EXPECT_EQ(BoxOwnership(tool_, box), "") << "the error box";
    ASSERT_TRUE(PressOk(tool_, box));
    EXPECT_EQ(BackAfterBox(tool_, tool_.Control(IDC_INSTALL_BUTTON)), "");
    const auto want = ReadFileBytes(ResourceDir() + "\\R7716.xif");
    ASSERT_TRUE(want);
    EXPECT_TRUE(ReadFileBytes(scratch_ + "\\LonWorks\\Import\\R7716.XIF") == want)
        << "not installed relative to the start folder";
    EXPECT_EQ(ReadFileBytes(scratch_ + "\\LonWorks\\Types\\loninst.cmd"),
              "\"mkcat.exe\" \"-aLonWorks\\Types\\User\\KR\"");

    box = Install("LonWorks");
    ASSERT_NE(box, nullptr) << "no box for the second run";
    EXPECT_EQ(BoxText(box), "Cannot create LonWorks\\Import.");
    ASSERT_TRUE(PressOk(tool_, box));
}

// A path that does not end in LonWorks, and a LonWorks folder given in the forms the system
// takes as they stand or as a device (the files could be written there, but the command
// interpreter could not run the command file, so the folder could never be registered).
TEST_F(Installation, RefusedPathShowsTheThreeLineWarningAndCreatesNothing) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string lonworks = scratch_ + "\\LonWorks", notLonWorks = lonworks + "\\Elsewhere";
    ASSERT_TRUE(MakeDirs(notLonWorks));
    std::string slashes = lonworks;
    std::replace(slashes.begin(), slashes.end(), '\\', '/');
    const std::string forms[] = {notLonWorks, "\\\\?\\" + lonworks, "//./" + slashes};
    // Three lines: the static is as high as three lines of the message font.
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontIndirectA(&ncm.lfMessageFont);
    HGDIOBJ old = SelectObject(dc, font);
    RECT line{0, 0, 1000, 0};
    DrawTextA(dc, "Warning:", -1, &line, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    for (const std::string& typed : forms) {
        SCOPED_TRACE(typed);
        HWND box = Install(typed);
        ASSERT_NE(box, nullptr) << "no warning box within 10 s";
        HWND text = BoxStatic(box);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(ShownMessage(box), kWarning) << "seen: " << Printable(WindowText(text));
        RECT r{};
        GetClientRect(text, &r);
        EXPECT_EQ(r.bottom, 3 * line.bottom) << "the text's height is not three lines of " << line.bottom << " pixels";
        SaveScreenshot(box, ArtifactDir() + "\\warning-box-" + std::to_string(&typed - forms) + ".png");
        ASSERT_TRUE(PressOk(tool_, box));
        for (const std::string& folder : {lonworks, notLonWorks})
            for (const char* made : {"\\Import", "\\Types"})
                EXPECT_FALSE(Exists(folder + made)) << "a refused path created " << folder + made;
        EXPECT_EQ(tool_.FindDialog(""), nullptr) << "a second box followed the warning";
    }
}

TEST_F(Installation, MissingLonWorksFolderIsAnErrorAndASecondRunThenSucceeds) {
    ASSERT_NO_FATAL_FAILURE(Start());
    std::string lonworks = scratch_ + "\\LonWorks";  // not there yet
    HWND box = Install(lonworks);
    ASSERT_NE(box, nullptr) << "no error box within 10 s";
    EXPECT_EQ(BoxText(box), "Cannot create " + lonworks + "\\Import.");
    int icons = 0;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (ClassOf(c) == "Static" && (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(c))
            ++icons;
    EXPECT_EQ(icons, 1) << "the error box shows the stop icon";
    SaveScreenshot(box, ArtifactDir() + "\\error-box.png");
    ASSERT_TRUE(PressOk(tool_, box));
    EXPECT_FALSE(Exists(lonworks)) << "the failed run created something";
    EXPECT_TRUE(tool_.WaitTakesInput()) << "the window takes input again after the error";

    ASSERT_TRUE(MakeDirs(lonworks));
    box = Install(lonworks);
    ASSERT_NE(box, nullptr) << "no box for the second run";
    EXPECT_EQ(BoxText(box), kSuccess);
    ASSERT_TRUE(PressOk(tool_, box));
    ExpectInstalled(lonworks, "KR");
}

TEST_F(Installation, TypesStandingAsAFileIsAnErrorNamingTheTypesFolder) {
    ASSERT_NO_FATAL_FAILURE(Start());
    std::string lonworks = scratch_ + "\\LonWorks";
    ASSERT_TRUE(MakeDirs(lonworks));
    ASSERT_TRUE(WriteFileBytes(lonworks + "\\Types", "not a folder"));
    HWND box = Install(lonworks);
    ASSERT_NE(box, nullptr) << "no error box within 10 s";
    EXPECT_EQ(BoxText(box), "Cannot create " + lonworks + "\\Types.");
    ASSERT_TRUE(PressOk(tool_, box));
    EXPECT_TRUE(IsDirectory(lonworks + "\\Import")) << "the folder made before the failure stays";
    EXPECT_FALSE(Exists(lonworks + "\\Import\\R7716.XIF")) << "a file was written after the failure";
}

// Files from an earlier installation are replaced whole, also when they were longer, and
// nothing is left beside them.
TEST_F(Installation, ExistingFilesAreReplacedWhole) {
    ASSERT_NO_FATAL_FAILURE(Start());
    std::string lonworks = scratch_ + "\\LonWorks";
    std::string device = lonworks + "\\Types\\User\\KR";
    ASSERT_TRUE(MakeDirs(lonworks + "\\Import"));
    ASSERT_TRUE(MakeDirs(device));
    const std::string junk(300000, 'x');
    for (const std::string& f : {lonworks + "\\Import\\R7716.XIF", device + "\\R7716.ENU", device + "\\R7716.FPT",
                                 lonworks + "\\Types\\loninst.cmd"})
        ASSERT_TRUE(WriteFileBytes(f, junk)) << f;
    HWND box = Install(lonworks);
    ASSERT_NE(box, nullptr) << "no box within 10 s";
    EXPECT_EQ(BoxText(box), kSuccess);
    ASSERT_TRUE(PressOk(tool_, box));
    ExpectInstalled(lonworks, "KR");
    for (const std::string& folder : {lonworks + "\\Import", device, lonworks + "\\Types"}) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + "\\*.tmp").c_str(), &fd);
        EXPECT_EQ(h, INVALID_HANDLE_VALUE) << "left over in " << folder << ": " << fd.cFileName;
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
    }
}

// A file that cannot be replaced (another program holds it open without sharing) ends the
// run with an error naming it; the old file is kept as it was, and no success is reported.
TEST_F(Installation, FileHeldOpenIsAnErrorAndKeepsTheOldFile) {
    ASSERT_NO_FATAL_FAILURE(Start());
    std::string lonworks = scratch_ + "\\LonWorks";
    std::string device = lonworks + "\\Types\\User\\KR";
    ASSERT_TRUE(MakeDirs(device));
    std::string enu = device + "\\R7716.ENU";
    ASSERT_TRUE(WriteFileBytes(enu, "kept as it was"));
    HANDLE held = CreateFileA(enu.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    HWND box = Install(lonworks);
    CloseHandle(held);
    ASSERT_NE(box, nullptr) << "no box within 10 s";
    EXPECT_EQ(BoxText(box), "Cannot write " + enu + ".");
    ASSERT_TRUE(PressOk(tool_, box));
    EXPECT_EQ(ReadFileBytes(enu), "kept as it was") << "the old file was changed";
    EXPECT_FALSE(Exists(enu + ".tmp")) << "a temporary file was left";
    EXPECT_FALSE(Exists(lonworks + "\\Types\\loninst.cmd")) << "the run went on after the failure";
}

// The folder-name box of the developer group names the device folder in the developer
// build only; the delivered build installs into KR whatever the (hidden) box holds.
TEST_F(Installation, DeviceFolderNameComesFromTheFolderNameBoxOnlyInTheDeveloperBuild) {
    const struct {
        const char* build;
        bool developer;
        const char* device;   // the folder the files go to
        const char* notMade;  // the other name, which must not appear
    } cases[] = {
        {"developer build", true, "E2eDevice", "KR"},
        {"delivered build", false, "KR", "E2eDevice"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.build);
        ASSERT_NO_FATAL_FAILURE(Start(c.developer));
        std::string lonworks = scratch_ + "\\LonWorks";
        ASSERT_TRUE(MakeDirs(lonworks));
        HWND folderNameBox = tool_.DebugControl(IDC_DEVICE_FOLDER_FIELD);
        ASSERT_NE(folderNameBox, nullptr);
        ASSERT_TRUE(SetText(folderNameBox, "E2eDevice"));
        HWND box = Install(lonworks);
        ASSERT_NE(box, nullptr) << "no box within 10 s";
        EXPECT_EQ(BoxText(box), kSuccess);
        ASSERT_TRUE(PressOk(tool_, box));
        ExpectInstalled(lonworks, c.device);
        EXPECT_FALSE(Exists(lonworks + "\\Types\\User\\" + c.notMade)) << "a second device folder was made";
        EXPECT_EQ(tool_.CloseAndWait(), 0) << "exit code after WM_CLOSE";
    }
}

// ---- the simple message box ----

// The box's measures evaluated here from the message font, as the box is to compute them.
struct BoxMeasures {
    SIZE client;
    RECT text, button;
};

BoxMeasures Expected(const std::string& message) {
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontIndirectA(&ncm.lfMessageFont);
    HGDIOBJ old = SelectObject(dc, font);
    const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE sz{};
    GetTextExtentPoint32A(dc, letters, 52, &sz);
    int x = sz.cx / 52, y = sz.cy;
    int hMargin = MulDiv(8, x, 4), vMargin = MulDiv(8, y, 8), gap = MulDiv(10, y, 8);
    int bh = MulDiv(14, y, 8), bw = MulDiv(50, x, 4);
    SIZE ok{};
    GetTextExtentPoint32A(dc, "OK", 2, &ok);
    bw = std::max<int>(bw, ok.cx + 8);
    RECT t{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    DrawTextA(dc, message.c_str(), -1, &t, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    int tw = t.right - t.left, th = t.bottom - t.top;
    BoxMeasures m{};
    m.client.cx = std::max(tw, bw) + 2 * hMargin;
    m.client.cy = th + bh + gap + 2 * vMargin;
    m.text = RECT{hMargin, vMargin, hMargin + tw, vMargin + th};
    int left = (m.client.cx - bw) / 2, top = th + vMargin + gap;
    m.button = RECT{left, top, left + bw, top + bh};
    return m;
}

std::string Show(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

struct BoxCase {
    const char* name;
    bool refused;  // the warning; else the success message
};

void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.name; }

class SimpleBoxMeasures : public Installation, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(SimpleBoxMeasures, ClientAndButtonFollowTheMessageFont) {
    ASSERT_NO_FATAL_FAILURE(Start());
    std::string lonworks = scratch_ + "\\LonWorks";
    ASSERT_TRUE(MakeDirs(lonworks));
    HWND box = Install(GetParam().refused ? scratch_ : lonworks);
    ASSERT_NE(box, nullptr) << "no box within 10 s";
    const std::string message = GetParam().refused ? kWarning : kSuccess;
    ASSERT_EQ(ShownMessage(box), message);
    BoxMeasures want = Expected(message);
    RECT client{};
    GetClientRect(box, &client);
    EXPECT_EQ(client.right, want.client.cx) << "client width";
    EXPECT_EQ(client.bottom, want.client.cy) << "client height";
    HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr) << "no OK button (id IDOK)";
    EXPECT_EQ(WindowText(ok), "OK");
    RECT button = RectInParent(ok);
    EXPECT_TRUE(EqualRect(&button, &want.button)) << "button " << Show(button) << ", expected " << Show(want.button);
    RECT text = RectInParent(BoxStatic(box));
    EXPECT_TRUE(EqualRect(&text, &want.text)) << "text " << Show(text) << ", expected " << Show(want.text);
    EXPECT_FALSE(GetWindowLongA(box, GWL_STYLE) & WS_THICKFRAME);
    int children = 0, icons = 0;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        ++children;
        if (ClassOf(c) == "Static" && (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) ++icons;
    }
    EXPECT_EQ(icons, 0) << "the simple box has no icon";
    EXPECT_EQ(children, 2) << "the simple box holds its text and its OK button only";
    RECT frame{};
    GetWindowRect(box, &frame);
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(frame.left, (sw - (frame.right - frame.left)) / 2) << "the box is centred on the screen";
    EXPECT_EQ(frame.top, (sh - (frame.bottom - frame.top)) / 2) << "the box is centred on the screen";
    EXPECT_FALSE(IsWindowEnabled(tool_.Main())) << "the box is modal: the main window takes no input";
    ASSERT_TRUE(PressOk(tool_, box));
}

std::string CaseName(const ::testing::TestParamInfo<BoxCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Messages, SimpleBoxMeasures,
                         ::testing::Values(BoxCase{"Warning", true}, BoxCase{"Success", false}), CaseName);

// Enter and Escape close the box: real key presses with the box in the foreground.
struct KeyCase {
    const char* name;
    WORD vk;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class SimpleBoxKeys : public Installation, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(SimpleBoxKeys, KeyClosesTheBox) {
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND box = Install(scratch_);  // refused: the warning
    ASSERT_NE(box, nullptr) << "no box within 10 s";
    ASSERT_TRUE(tool_.BringToFront(box)) << "the box did not become the foreground window";
    SendKey(GetParam().vk);
    EXPECT_TRUE(tool_.WaitGone(box)) << GetParam().name << " did not close the box";
    EXPECT_TRUE(tool_.WaitTakesInput());
}

std::string KeyName(const ::testing::TestParamInfo<KeyCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Keys, SimpleBoxKeys,
                         ::testing::Values(KeyCase{"Enter", VK_RETURN}, KeyCase{"Escape", VK_ESCAPE}), KeyName);

}  // namespace
