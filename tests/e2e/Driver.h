#pragma once
// Black-box driver: starts the tool as its own process and works it only through window
// messages and key input, as a user would. Every wait is bounded and reports what it
// waited for.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "support/FileBytes.h"

namespace e2e {

using korva::testsupport::ReadFileBytes;
using korva::testsupport::WriteFileBytes;

constexpr DWORD kTimeoutMs = 10000;

// Paths handed in by the build (Unix paths of the build machine) as Windows paths (Z:).
std::string ToWindowsPath(const std::string& path);
std::string ToolExe(bool developerBuild);
std::string ResourceDir();      // resources/R7716 of the source tree
std::string GeneratedHeader();  // R7716.h as the build generated it
std::string ArtifactDir();      // <builddir>/artifacts

// A fresh folder under C:\e2e of the prefix, unique for this process and call.
std::string MakeScratchDir(const std::string& tag);
bool MakeDirs(const std::string& path);
bool IsDirectory(const std::string& path);
bool Exists(const std::string& path);

// Texts of windows of another process.
std::string WindowText(HWND w);  // WM_GETTEXT with a timeout
std::string ClassOf(HWND w);
bool SetText(HWND w, const std::string& text);
RECT RectInParent(HWND child);
// A descendant window with the id and the class, at any depth, or nullptr.
HWND FindDescendant(HWND parent, int id, const char* cls);  // window rect in the parent's client coordinates
std::string Printable(const std::string& s);                // \r and \n made visible for messages

// Records every change of a thread's keyboard focus (to a window or to none) with its time,
// from its making to its Stop, sampling about every millisecond on a thread of its own.
class FocusSampler {
public:
    struct Sample {
        DWORD tick;
        HWND focus;
    };
    explicit FocusSampler(DWORD tid);
    ~FocusSampler() { Stop(); }
    FocusSampler(const FocusSampler&) = delete;
    FocusSampler& operator=(const FocusSampler&) = delete;
    std::vector<Sample> Stop();

private:
    static DWORD WINAPI Run(LPVOID parameter);
    DWORD tid_;
    HANDLE thread_ = nullptr;
    volatile LONG stop_ = 0;
    std::vector<Sample> seen_;
};

// The tool under test, one process. The destructor ends it if it is still running.
class Tool {
public:
    Tool() = default;
    ~Tool();
    Tool(const Tool&) = delete;
    Tool& operator=(const Tool&) = delete;

    // Starts the exe with the given working directory and waits for its main window; a
    // process of an earlier start is ended first. Returns an empty text or what went wrong.
    std::string Start(bool developerBuild, const std::string& workingDir);

    HWND Main() const { return main_; }
    HWND Control(int id) const;       // child of the main window
    HWND DebugControl(int id) const;  // child of the developer group box
    DWORD Pid() const { return pid_; }
    DWORD Tid() const { return tid_; }

    // A visible top-level window of this process with class #32770 and the given caption
    // (any caption when empty), or nullptr after the timeout.
    HWND WaitForDialog(const std::string& caption, DWORD timeoutMs = kTimeoutMs) const;
    HWND FindDialog(const std::string& caption) const;
    bool WaitGone(HWND w, DWORD timeoutMs = kTimeoutMs) const;
    // Waits until the main window takes input again: a box is gone a moment before the tool
    // enables its other windows again.
    bool WaitTakesInput(DWORD timeoutMs = kTimeoutMs) const;

    // Clicks a button whose handler may block in a modal box (posted, returns at once).
    bool PostClick(HWND button) const;
    // Clicks a button and waits until its handler has returned (sent, bounded).
    bool SendClick(HWND button) const;

    // The window that has the keyboard focus in the tool's GUI thread.
    HWND Focus() const;
    // Every window the focus passed through while the tool started, in order.
    const std::vector<HWND>& FocusAtStart() const { return focusAtStart_; }
    // Waits until the focus is on `want` (an activation may be in the middle of moving it);
    // returns where the focus is in the end.
    HWND WaitForFocus(HWND want, DWORD timeoutMs = kTimeoutMs) const;
    bool BringToFront(HWND w) const;

    // The tool's windows that the system lists in its task list: visible top-level windows
    // that are unowned and no tool windows, or that ask for an entry (WS_EX_APPWINDOW).
    std::vector<HWND> TaskListEntries() const;

    // Closes the main window and waits for the process to end; the exit code or -1.
    long CloseAndWait();
    bool Running() const;

private:
    void End();  // ends the process if it still runs and lets go of it

    PROCESS_INFORMATION pi_{};
    HWND main_ = nullptr;
    DWORD pid_ = 0;
    DWORD tid_ = 0;
    std::vector<HWND> focusAtStart_;
};

// The text of a box: the static with id 0xFFFF of a standard message box, else the first
// static child with a text.
HWND BoxStatic(HWND box);
std::string BoxText(HWND box);
// Presses the box's OK button and waits until the box is gone and, within the timeout, the
// main window takes input again.
bool PressOk(const Tool& tool, HWND box);
// What a user sees of a box's ownership: it belongs to the tool's task-list window, not to
// the main window, and the main window takes no input while the box is open. Empty when
// so, else what differs.
std::string BoxOwnership(const Tool& tool, HWND box);
// After a box has closed: the main window takes input again, is active and has the focus
// on `control`. Empty when so, else what differs.
std::string BackAfterBox(const Tool& tool, HWND control);

// Real key input: a key press and release sent to the foreground window's thread.
// With modifier (e.g. VK_MENU for Alt), held around the key.
void SendKey(WORD vk, WORD modifier = 0);

// A window's screen rectangle as it shows on the screen (the window in front).
struct Shot {
    POINT origin{};  // screen position of the top left pixel
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;   // top-down rows, 3 bytes a pixel
    COLORREF At(POINT screen) const;  // CLR_INVALID outside
};
bool Capture(HWND w, Shot& shot);

// Captures a window's screen rectangle into a 24-bit PNG; returns false on failure.
bool SaveScreenshot(HWND w, const std::string& pngPath);

// The headless demonstration (Demo.cpp): one installation into `lonworks`, a LonWorks folder
// it creates, with what was installed printed; 0 when it succeeded.
int RunDemo(const std::string& lonworks);

// ---- fault cases ----

// The stand-in program (see FaultDecoy.cpp): a copy started as NAME leaves NAME.ran with its
// command line.
std::string DecoyExe();
// Copies the stand-in program to path.
bool PlaceDecoy(const std::string& path);
// Waits for a file to appear and reads it; nothing after the timeout.
std::optional<std::string> WaitForFileBytes(const std::string& path, DWORD timeoutMs = kTimeoutMs);
// The machine-wide installation lock, held by the driver as another installation would hold
// it, from construction to Release or destruction; or, made `denied`, taken first by an
// object that lets nobody use it (a DACL that grants nothing), as a squatter would.
class HeldInstallLock {
public:
    explicit HeldInstallLock(bool denied = false);
    ~HeldInstallLock() { Release(); }
    HeldInstallLock(const HeldInstallLock&) = delete;
    HeldInstallLock& operator=(const HeldInstallLock&) = delete;
    bool Held() const { return held_; }
    void Release();

private:
    HANDLE mutex_ = nullptr;
    bool held_ = false;
};

// Makes `link` lead to `target`, a file or a folder: a symbolic link on Windows; under Wine,
// which makes none of its own, a Unix symbolic link, which it follows like one.
bool MakeLink(const std::string& link, const std::string& target);
// Lets everyone do everything with a file or folder: no DACL (under Wine: Unix mode 777).
bool LetEveryoneChange(const std::string& path);

// Checks the stand-in's report (`<name>.token`, FaultDecoy.cpp) of a run with a standard user's
// rights. Wine drops restricting SIDs and keeps no integrity level: neither is seen here.
void ExpectStandardUserReport(const std::string& tokenFile, bool ownStation);

// Names of the entries of a folder matching a pattern such as "*.tmp" (A functions).
std::vector<std::string> FindNames(const std::string& folder, const std::string& pattern);

// Paths longer than MAX_PATH, through the W functions and the \\?\ form (the path is a
// full path in the ANSI code page).
bool MakeDirsLong(const std::string& path);
bool ExistsLong(const std::string& path);
bool IsDirectoryLong(const std::string& path);
// The entries of a folder (without . and ..), through the \\?\ form.
std::vector<std::string> FindNamesLong(const std::string& folder);

}  // namespace e2e
