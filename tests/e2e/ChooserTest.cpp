// The folder chooser worked through the window: the drive list's entries, the directory
// list's rows for a folder tree made here, opening rows by double-click and Enter, the path
// field and the hidden directory label after each change, and a drive that is not ready.
//
// The ChooserDrives cases need extra drives in the prefix (tests/e2e/chooser-drives.sh,
// run by the ctest fixture e2e.chooser_drives_setup); they run only where the fixture sets
// R7716_CHOOSER_DRIVES and are skipped elsewhere.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Driver.h"
#include "app/ControlIds.h"

using namespace e2e;

namespace {

const char kTitle[] = R7716_APP_TITLE;
const char kSuccess[] = "Information: The operation is successfully complete.";
// The width the directory label shortens to: the list's width at 96 dpi.
constexpr int kLabelWidth = 361;

std::string Narrow(const std::wstring& w) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
    return out;
}

LRESULT Ask(HWND w, UINT message, WPARAM wp = 0, LPARAM lp = 0) {
    DWORD_PTR r = static_cast<DWORD_PTR>(-1);
    if (!SendMessageTimeoutW(w, message, wp, lp, SMTO_ABORTIFHUNG, kTimeoutMs, &r)) return -1;
    return static_cast<LRESULT>(r);
}

// Item texts of a list box or of a combobox's list (read as UTF-16: Wine hands the ANSI
// call's text over as UTF-16 between processes).
std::vector<std::string> ItemTexts(HWND w, bool combo) {
    std::vector<std::string> out;
    const LRESULT count = Ask(w, combo ? CB_GETCOUNT : LB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = Ask(w, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(i));
        if (length < 0) {
            out.push_back("<error>");
            continue;
        }
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        Ask(w, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(wcslen(text.c_str()));
        out.push_back(Narrow(text));
    }
    return out;
}

std::string Join(const std::vector<std::string>& v) {
    std::string out;
    for (const std::string& s : v) out += (out.empty() ? "" : " | ") + s;
    return out;
}

int IndexOf(const std::vector<std::string>& v, const std::string& s) {
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i] == s) return static_cast<int>(i);
    return -1;
}

// Width of a text in the directory label's font ("MS Sans Serif", 8 pixels high at 96 dpi).
int LabelFontWidth(const std::string& text) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 96), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                             DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

// The tool with its chooser: the controls and the ways a user works them.
class ChooserWindow {
public:
    explicit ChooserWindow(Tool& tool) : tool_(tool) {}

    HWND List() const { return tool_.Control(IDC_DIRECTORY_LIST); }
    HWND Combo() const { return tool_.Control(IDC_DRIVE_LIST); }
    HWND Edit() const { return tool_.Control(IDC_PATH_FIELD); }
    HWND Label() const { return tool_.DebugControl(IDC_DIRECTORY_LABEL); }

    std::vector<std::string> Rows() const { return ItemTexts(List(), false); }
    int Highlight() const { return static_cast<int>(Ask(List(), LB_GETCURSEL)); }
    std::vector<std::string> Entries() const { return ItemTexts(Combo(), true); }
    std::string SelectedEntry() const {
        const LRESULT i = Ask(Combo(), CB_GETCURSEL);
        const std::vector<std::string> all = Entries();
        return i >= 0 && i < static_cast<LRESULT>(all.size()) ? all[static_cast<size_t>(i)] : "<none>";
    }
    std::string Path() const { return WindowText(Edit()); }
    std::string Caption() const { return WindowText(Label()); }

    // A double-click on a row as the mouse gives it: down, up, double-click, up at the
    // middle of the row's rectangle. Sent, so that it has been handled on return; false
    // when the tool did not return in time (a modal box is open).
    bool DoubleClickRow(int row, DWORD timeoutMs = 3000) const {
        const LPARAM at = RowPoint(row);
        if (at == -1) return false;
        for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
            DWORD_PTR result = 0;
            const WPARAM keys = (m == WM_LBUTTONUP) ? 0 : MK_LBUTTON;
            if (!SendMessageTimeoutA(List(), m, keys, at, SMTO_ABORTIFHUNG, timeoutMs, &result)) return false;
        }
        return true;
    }
    // The same, posted: for a row whose opening ends in the error box.
    bool PostDoubleClickRow(int row) const {
        const LPARAM at = RowPoint(row);
        return at != -1 && PostMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, at) &&
               PostMessageA(List(), WM_LBUTTONUP, 0, at) && PostMessageA(List(), WM_LBUTTONDBLCLK, MK_LBUTTON, at) &&
               PostMessageA(List(), WM_LBUTTONUP, 0, at);
    }

    // The middle of a row as a mouse message's point; -1 when there is no such row.
    LPARAM RowPoint(int row) const {
        RECT r{};
        if (Ask(List(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r)) == LB_ERR) return -1;
        return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    // Chooses a drive entry as the drop-down list does: the selection, then CBN_SELCHANGE to
    // the window (CB_SETCURSEL alone sends none). True when the handler returned in time,
    // false when it is still running (a modal box is open).
    bool ChooseEntry(int index, DWORD timeoutMs = 3000) const {
        if (Ask(Combo(), CB_SETCURSEL, static_cast<WPARAM>(index)) != index) return false;
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(tool_.Main(), WM_COMMAND, MAKEWPARAM(IDC_DRIVE_LIST, CBN_SELCHANGE),
                                   reinterpret_cast<LPARAM>(Combo()), SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
    }
    bool ChooseDrive(const std::string& entry, DWORD timeoutMs = 3000) const {
        const int index = IndexOf(Entries(), entry);
        return index >= 0 && ChooseEntry(index, timeoutMs);
    }

private:
    Tool& tool_;
};

// A folder tree made for the case:
//   <scratch>\Tree\  Alpha  ALPHA2  beta\inner  Delta  gamma   (visible folders)
//                    .dot (hidden by its name), Secret (hidden), Sys (system), file.txt (a file)
struct TreeFixture {
    std::string scratch, tree;
    void Make() {
        scratch = MakeScratchDir("chooser");
        tree = scratch + "\\Tree";
        for (const char* name : {"gamma", "beta\\inner", "ALPHA2", "Delta", "Alpha", ".dot", "Secret", "Sys"})
            ASSERT_TRUE(MakeDirs(tree + "\\" + name)) << name;
        ASSERT_TRUE(SetFileAttributesA((tree + "\\Secret").c_str(), FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(SetFileAttributesA((tree + "\\Sys").c_str(), FILE_ATTRIBUTE_SYSTEM));
        ASSERT_TRUE(WriteFileBytes(tree + "\\file.txt", "x"));
    }
    // The ancestor rows of a folder below C:\: C:\ and each folder name on the way.
    static std::vector<std::string> Ancestry(const std::string& path) {
        std::vector<std::string> rows{path.substr(0, 3)};
        std::string rest = path.substr(3);
        for (size_t cut; (cut = rest.find('\\')) != std::string::npos; rest.erase(0, cut + 1))
            rows.push_back(rest.substr(0, cut));
        if (!rest.empty()) rows.push_back(rest);
        return rows;
    }
};

class Chooser : public ::testing::Test {
protected:
    void Start(const std::string& folder) { ASSERT_EQ(tool_.Start(false, folder), ""); }
    void TearDown() override {
        if (tool_.Running()) {
            if (HWND box = tool_.FindDialog("")) PressOk(tool_, box);
            EXPECT_EQ(tool_.CloseAndWait(), 0) << "exit code after WM_CLOSE";
        }
    }
    static std::vector<std::string> Plus(std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
    Tool tool_;
    ChooserWindow window_{tool_};
    TreeFixture fs_;
};

const std::vector<std::string> kTreeSubfolders = {"Alpha", "ALPHA2", "beta", "Delta", "gamma"};

// At start: the rows of the start folder (ancestors, the current folder highlighted, its
// visible subfolders sorted without regard to case), the path field and the label with the
// folder in full, the drive entry of C: selected.
TEST_F(Chooser, StartFolderRowsEntriesAndFields) {
    fs_.Make();
    Start(fs_.tree);
    const std::vector<std::string> ancestry = TreeFixture::Ancestry(fs_.tree);
    EXPECT_EQ(Join(window_.Rows()), Join(Plus(ancestry, kTreeSubfolders)))
        << "hidden (.dot, Secret), system (Sys) folders, files, \".\" and \"..\" are left out";
    EXPECT_EQ(window_.Highlight(), static_cast<int>(ancestry.size()) - 1) << "the current row is highlighted";
    EXPECT_EQ(window_.Path(), fs_.tree);
    EXPECT_EQ(window_.Caption(), fs_.tree) << "a folder that fits the label's width is shown in full";

    const std::vector<std::string> entries = window_.Entries();
    EXPECT_GE(IndexOf(entries, "c: []"), 0) << Join(entries);
    EXPECT_GE(IndexOf(entries, "z: []"), 0) << Join(entries);
    EXPECT_EQ(window_.SelectedEntry(), "c: []");
    EXPECT_EQ(GetWindowLongA(window_.Combo(), GWL_STYLE) & (CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS),
              CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    for (HWND w : {window_.List(), window_.Combo()})
        EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & WS_TABSTOP) << "no tab stop: " << ClassOf(w);
    ASSERT_TRUE(tool_.BringToFront(tool_.Main()));
    EXPECT_TRUE(SaveScreenshot(tool_.Main(), ArtifactDir() + "\\chooser.png"));
}

// Double-clicks walk the tree: a subfolder, an ancestor, the drive root; the path field
// follows each change in full and the current row is highlighted.
TEST_F(Chooser, DoubleClickOpensSubfolderAncestorAndRoot) {
    fs_.Make();
    Start(fs_.tree);
    const std::vector<std::string> ancestry = TreeFixture::Ancestry(fs_.tree);
    const int treeRow = static_cast<int>(ancestry.size()) - 1;

    ASSERT_TRUE(window_.DoubleClickRow(IndexOf(window_.Rows(), "beta")));
    const std::string beta = fs_.tree + "\\beta";
    EXPECT_EQ(Join(window_.Rows()), Join(Plus(TreeFixture::Ancestry(beta), {"inner"})));
    EXPECT_EQ(window_.Highlight(), treeRow + 1);
    EXPECT_EQ(window_.Path(), beta);
    EXPECT_EQ(window_.Caption(), beta);

    ASSERT_TRUE(window_.DoubleClickRow(treeRow));  // the ancestor Tree
    EXPECT_EQ(Join(window_.Rows()), Join(Plus(ancestry, kTreeSubfolders)));
    EXPECT_EQ(window_.Highlight(), treeRow);
    EXPECT_EQ(window_.Path(), fs_.tree);

    ASSERT_TRUE(window_.DoubleClickRow(0));  // C:\ .
    const std::vector<std::string> rows = window_.Rows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], "C:\\") << "at a drive root the root is the one current row";
    EXPECT_GE(IndexOf(rows, "e2e"), 1) << Join(rows);
    EXPECT_EQ(window_.Highlight(), 0);
    EXPECT_EQ(window_.Path(), "C:\\");
    EXPECT_EQ(window_.Caption(), "C:\\");
}

// Opening the current row changes nothing and fires no event: the path field keeps what
// the user typed. A single click only moves the highlight.
TEST_F(Chooser, CurrentRowAndSingleClickChangeNothing) {
    fs_.Make();
    Start(fs_.tree);
    const std::vector<std::string> before = window_.Rows();
    const int current = window_.Highlight();
    ASSERT_TRUE(SetText(window_.Edit(), "typed by the user"));

    ASSERT_TRUE(window_.DoubleClickRow(current));
    EXPECT_EQ(Join(window_.Rows()), Join(before));
    EXPECT_EQ(window_.Path(), "typed by the user");

    const int gamma = IndexOf(before, "gamma");
    const LPARAM at = window_.RowPoint(gamma);
    ASSERT_NE(at, -1);
    Ask(window_.List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    Ask(window_.List(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(window_.Highlight(), gamma) << "a click moves the highlight";
    EXPECT_EQ(Join(window_.Rows()), Join(before)) << "and nothing else";
    EXPECT_EQ(window_.Path(), "typed by the user");
    EXPECT_EQ(window_.Caption(), fs_.tree);
}

// Enter on the list opens the highlighted row, like a double-click.
TEST_F(Chooser, EnterOpensTheHighlightedRow) {
    fs_.Make();
    Start(fs_.tree);
    const int delta = IndexOf(window_.Rows(), "Delta");
    ASSERT_GE(delta, 0);
    // A click gives the list the focus and the highlight; then the key.
    ASSERT_TRUE(tool_.BringToFront(tool_.Main()));
    const LPARAM at = window_.RowPoint(delta);
    ASSERT_NE(at, -1);
    Ask(window_.List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    Ask(window_.List(), WM_LBUTTONUP, 0, at);
    ASSERT_EQ(tool_.Focus(), window_.List());
    ASSERT_EQ(window_.Path(), fs_.tree) << "the click alone changes nothing";
    SendKey(VK_RETURN);
    const std::string target = fs_.tree + "\\Delta";
    const DWORD start = GetTickCount();
    while (window_.Path() != target && GetTickCount() - start < kTimeoutMs) Sleep(20);
    EXPECT_EQ(window_.Path(), target);
    EXPECT_EQ(Join(window_.Rows()), Join(TreeFixture::Ancestry(target)));
    EXPECT_EQ(tool_.FindDialog(""), nullptr) << "Enter presses no button of the window";
}

// A folder deeper than the label's width: the label holds the shortened text, the path
// field the full folder, and an installation lands in that full folder.
TEST_F(Chooser, DeepFolderPathFieldInFullLabelShortened) {
    fs_.Make();
    std::string longName;
    while (LabelFontWidth(longName) <= kLabelWidth + 20) longName += "VeryLongFolderName";
    const std::string parent = fs_.tree + "\\" + longName;
    const std::string lonworks = parent + "\\LonWorks";
    ASSERT_TRUE(MakeDirs(lonworks));
    Start(parent);
    EXPECT_EQ(window_.Path(), parent) << "at start the path field holds the working directory in full";
    EXPECT_EQ(window_.Caption(), longName) << "the last name alone is left, and it is never cut";

    ASSERT_TRUE(window_.DoubleClickRow(IndexOf(window_.Rows(), "LonWorks")));
    EXPECT_EQ(window_.Path(), lonworks) << "the path field takes the folder in full";
    // Leading folders give way one by one; the long folder alone is too wide, so the first
    // text that fits is the drive, the marker and the last name.
    ASSERT_LE(LabelFontWidth("C:\\...\\LonWorks"), kLabelWidth);
    EXPECT_EQ(window_.Caption(), "C:\\...\\LonWorks");

    tool_.PostClick(tool_.Control(IDC_INSTALL_BUTTON));
    HWND box = tool_.WaitForDialog(kTitle);
    ASSERT_NE(box, nullptr) << "no answer to Installation";
    EXPECT_EQ(BoxText(box), kSuccess);
    EXPECT_TRUE(PressOk(tool_, box));
    EXPECT_TRUE(Exists(lonworks + "\\Import\\R7716.XIF")) << "installed into the chosen folder";
    EXPECT_TRUE(Exists(lonworks + "\\Types\\User\\KR\\R7716.TYP"));
}

// ---- with the extra drives of the fixture ----

class ChooserDrives : public Chooser {
protected:
    void SetUp() override {
        const char* flag = std::getenv("R7716_CHOOSER_DRIVES");
        if (!flag || !*flag) GTEST_SKIP() << "needs the extra drives of the ctest fixture e2e.chooser_drives_setup";
        ASSERT_TRUE(GetLogicalDrives() & (1u << ('m' - 'a'))) << "the fixture's drive m: is missing";
    }
};

// Entries in letter order with their volume texts in the chooser's lower case: a labelled
// fixed drive, a CD-ROM, a network drive without connection (its volume text), a drive that
// is not ready ([]), and Wine's own C: and Z:.
TEST_F(ChooserDrives, EntriesOfAllDriveTypes) {
    fs_.Make();
    Start(fs_.tree);
    EXPECT_EQ(Join(window_.Entries()), "c: [] | m: [mylabel] | n: [] | o: [] | q: [] | z: []");
    EXPECT_EQ(window_.SelectedEntry(), "c: []");
    // The drop-down part with its icons, for the eye.
    ASSERT_TRUE(tool_.BringToFront(tool_.Main()));
    Ask(window_.Combo(), CB_SHOWDROPDOWN, TRUE);
    EXPECT_TRUE(SaveScreenshot(tool_.Main(), ArtifactDir() + "\\chooser-drives.png"));
    Ask(window_.Combo(), CB_SHOWDROPDOWN, FALSE);
}

// A volume that neither keeps case nor is case-sensitive (Wine's CD-ROM): the rows are
// drawn in lower case, while the texts the list holds, and so the paths, keep the
// system's case.
TEST_F(ChooserDrives, CaseOfRowsOnAVolumeThatDoesNotKeepCase) {
    fs_.Make();
    Start(fs_.tree);
    ASSERT_TRUE(window_.ChooseDrive("n: []"));
    std::vector<std::string> rows = window_.Rows();
    ASSERT_EQ(rows.size(), 2u) << Join(rows);
    EXPECT_EQ(lstrcmpiA(rows[0].c_str(), "N:\\"), 0) << rows[0];
    EXPECT_EQ(rows[1], "MixedCase");
    ASSERT_TRUE(window_.DoubleClickRow(1));
    EXPECT_EQ(window_.Path(), rows[0] + "MixedCase");
    ASSERT_TRUE(tool_.BringToFront(tool_.Main()));
    EXPECT_TRUE(SaveScreenshot(tool_.Main(), ArtifactDir() + "\\chooser-cdrom.png"));
}

// Switching drives moves the list to the drive's own current directory: the last folder
// shown there in this run.
TEST_F(ChooserDrives, DriveSwitchReturnsToTheFolderLastShownThere) {
    fs_.Make();
    char name[64];
    std::snprintf(name, sizeof name, "OnM-%lu-%lu", GetCurrentProcessId(), GetTickCount());
    ASSERT_TRUE(MakeDirs(std::string("M:\\") + name));
    Start(fs_.tree);

    ASSERT_TRUE(window_.ChooseDrive("m: [mylabel]"));
    std::vector<std::string> rows = window_.Rows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(lstrcmpiA(rows[0].c_str(), "M:\\"), 0) << Join(rows);
    EXPECT_GE(IndexOf(rows, name), 1) << Join(rows);
    EXPECT_EQ(window_.Path(), rows[0]);
    EXPECT_EQ(window_.Caption(), rows[0]);
    EXPECT_EQ(window_.SelectedEntry(), "m: [mylabel]");

    ASSERT_TRUE(window_.DoubleClickRow(IndexOf(rows, name)));
    const std::string onM = rows[0] + name;
    EXPECT_EQ(window_.Path(), onM);

    ASSERT_TRUE(window_.ChooseDrive("c: []"));
    EXPECT_EQ(window_.Path(), fs_.tree);
    EXPECT_EQ(Join(window_.Rows()), Join(Plus(TreeFixture::Ancestry(fs_.tree), kTreeSubfolders)));

    ASSERT_TRUE(window_.ChooseDrive("m: [mylabel]"));
    EXPECT_EQ(window_.Path(), onM);
    EXPECT_EQ(Join(window_.Rows()), rows[0] + " | " + name);
}

// A drive that is not ready: the error box shows the I/O error of the system's code; the
// list, the label and the path field stay as they were and the chooser shows the chosen
// drive. The same entry again does nothing; the list's drive brings the chooser back
// without a change; then the failed drive is tried again.
TEST_F(ChooserDrives, DriveNotReadyShowsTheErrorAndChangesNothing) {
    fs_.Make();
    Start(fs_.tree);
    const std::string rows = Join(window_.Rows());
    const int highlight = window_.Highlight();

    ASSERT_FALSE(window_.ChooseDrive("q: []", 1000)) << "the handler returned without a box";
    HWND box = tool_.WaitForDialog(kTitle);
    ASSERT_NE(box, nullptr) << "no error box";
    const std::string message = BoxText(box);
    // Windows reports a drive without medium as not ready (21); Wine reports a drive whose
    // folder is missing as path not found (3), whose message is "Invalid filename".
    EXPECT_TRUE(message == "I/O error 21." || message == "Invalid filename.") << message;
    std::printf("[ chooser  ] the drive that is not ready gives: %s\n", message.c_str());
    EXPECT_TRUE(PressOk(tool_, box));

    EXPECT_EQ(window_.SelectedEntry(), "q: []") << "the chooser keeps the chosen drive";
    EXPECT_EQ(Join(window_.Rows()), rows);
    EXPECT_EQ(window_.Highlight(), highlight);
    EXPECT_EQ(window_.Path(), fs_.tree);
    EXPECT_EQ(window_.Caption(), fs_.tree);

    EXPECT_TRUE(window_.ChooseDrive("q: []")) << "the same entry again does nothing (no box)";
    EXPECT_EQ(tool_.FindDialog(""), nullptr);

    ASSERT_TRUE(SetText(window_.Edit(), "typed"));
    EXPECT_TRUE(window_.ChooseDrive("c: []"));
    EXPECT_EQ(window_.SelectedEntry(), "c: []");
    EXPECT_EQ(Join(window_.Rows()), rows);
    EXPECT_EQ(window_.Path(), "typed") << "the list was already there: no change notification";

    EXPECT_FALSE(window_.ChooseDrive("q: []", 1000)) << "the failed drive is tried again";
    box = tool_.WaitForDialog(kTitle);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), message);
    EXPECT_TRUE(PressOk(tool_, box));
    EXPECT_EQ(Join(window_.Rows()), rows);
}

// A folder removed after the rows were built: opening its row shows the error box, and
// the rows, the highlight, the label and the path field stay as they were.
TEST_F(Chooser, OpeningARemovedFolderShowsTheErrorAndChangesNothing) {
    fs_.Make();
    Start(fs_.tree);
    const std::string rows = Join(window_.Rows());
    const int gamma = IndexOf(window_.Rows(), "gamma");
    ASSERT_TRUE(RemoveDirectoryA((fs_.tree + "\\gamma").c_str()));

    ASSERT_TRUE(window_.PostDoubleClickRow(gamma));
    HWND box = tool_.WaitForDialog(kTitle);
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_EQ(BoxText(box), "File not found.") << "ERROR_FILE_NOT_FOUND (2) or the code Wine gives";
    EXPECT_TRUE(PressOk(tool_, box));
    EXPECT_EQ(Join(window_.Rows()), rows);
    EXPECT_EQ(window_.Highlight(), gamma);
    EXPECT_EQ(window_.Path(), fs_.tree);
    EXPECT_EQ(window_.Caption(), fs_.tree);
}

}  // namespace
