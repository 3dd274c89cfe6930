#include "Driver.h"

#include <aclapi.h>
#include <gtest/gtest.h>

#include "Png.h"
#include "app/ControlIds.h"
#include "win32/Win32InstallPlatform.h"

#include <cstdio>
#include <cstring>
#include <regex>

namespace e2e {

std::string ToWindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string out = "Z:" + path;
    for (char& c : out)
        if (c == '/') c = '\\';
    return out;
}

std::string ToolExe(bool developerBuild) { return ToWindowsPath(developerBuild ? R7716_E2E_TOOL_DEV : R7716_E2E_TOOL); }
std::string ResourceDir() { return ToWindowsPath(R7716_E2E_RESOURCES); }
std::string GeneratedHeader() { return ToWindowsPath(R7716_E2E_HEADER); }
std::string ArtifactDir() { return ToWindowsPath(R7716_E2E_ARTIFACTS); }

bool IsDirectory(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool MakeDirs(const std::string& path) {
    if (IsDirectory(path)) return true;
    size_t cut = path.find_last_of('\\');
    if (cut != std::string::npos && cut > 2 && !MakeDirs(path.substr(0, cut))) return false;
    return CreateDirectoryA(path.c_str(), nullptr) || IsDirectory(path);
}

std::string MakeScratchDir(const std::string& tag) {
    static unsigned counter = 0;
    char name[128];
    std::snprintf(name, sizeof name, "C:\\e2e\\%s-%lu-%lu-%u", tag.c_str(), GetCurrentProcessId(), GetTickCount(),
                  ++counter);
    MakeDirs(name);
    return name;
}

std::string WindowText(HWND w) {
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &len)) return "<no answer>";
    std::string buf(len + 2, '\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), SMTO_ABORTIFHUNG,
                             kTimeoutMs, &got))
        return "<no answer>";
    buf.resize(std::strlen(buf.c_str()));
    return buf;
}

std::string ClassOf(HWND w) {
    char name[256] = "";
    GetClassNameA(w, name, sizeof name);
    return name;
}

bool SetText(HWND w, const std::string& text) {
    DWORD_PTR r = 0;
    return SendMessageTimeoutA(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, kTimeoutMs,
                               &r) &&
           r;
}

RECT RectInParent(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

namespace {
struct DescendantSearch {
    int id;
    const char* cls;
    HWND found;
};

BOOL CALLBACK FindDescendantProc(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<DescendantSearch*>(lp);
    if (GetDlgCtrlID(w) == s->id && ClassOf(w) == s->cls) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindDescendant(HWND parent, int id, const char* cls) {
    DescendantSearch s{id, cls, nullptr};
    EnumChildWindows(parent, FindDescendantProc, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::string Printable(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

// ---- the tool's process ----

Tool::~Tool() { End(); }

void Tool::End() {
    if (pi_.hProcess) {
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(pi_.hProcess, 99);
            WaitForSingleObject(pi_.hProcess, kTimeoutMs);
        }
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
    pi_ = {};
    main_ = nullptr;
    pid_ = tid_ = 0;
}

namespace {
struct TopLevelSearch {
    DWORD pid;
    const char* cls;
    const std::string* caption;  // any caption when empty
    HWND found;
};

BOOL CALLBACK FindTopLevelProc(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<TopLevelSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != s->pid || !IsWindowVisible(w)) return TRUE;
    char cls[64] = "", cap[256] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (std::strcmp(cls, s->cls) != 0) return TRUE;
    GetWindowTextA(w, cap, sizeof cap);
    if (!s->caption->empty() && *s->caption != cap) return TRUE;
    s->found = w;
    return FALSE;
}

// A visible top-level window of the process with the class and, unless empty, the caption.
HWND FindTopLevel(DWORD pid, const char* cls, const std::string& caption) {
    TopLevelSearch s{pid, cls, &caption, nullptr};
    EnumWindows(FindTopLevelProc, reinterpret_cast<LPARAM>(&s));
    return s.found;
}
}  // namespace

FocusSampler::FocusSampler(DWORD tid) : tid_(tid) { thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr); }

std::vector<FocusSampler::Sample> FocusSampler::Stop() {
    if (thread_) {
        InterlockedExchange(&stop_, 1);
        WaitForSingleObject(thread_, kTimeoutMs);
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    return seen_;
}

DWORD WINAPI FocusSampler::Run(LPVOID parameter) {
    auto* self = static_cast<FocusSampler*>(parameter);
    while (!InterlockedCompareExchange(&self->stop_, 0, 0)) {
        GUITHREADINFO gi{};
        gi.cbSize = sizeof gi;
        if (GetGUIThreadInfo(self->tid_, &gi) && (self->seen_.empty() || self->seen_.back().focus != gi.hwndFocus))
            self->seen_.push_back({GetTickCount(), gi.hwndFocus});
        Sleep(1);
    }
    return 0;
}

std::string Tool::Start(bool developerBuild, const std::string& workingDir) {
    End();
    std::string exe = ToolExe(developerBuild);
    if (!Exists(exe)) return "the tool is not built: " + exe;
    std::string cmd = "\"" + exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    // The mouse pointer away from the tool's windows (the desktop's corner): the driver clicks
    // with messages, and a list box that holds the capture follows the pointer's own moves,
    // which Wine sends the window under the pointer now and then.
    SetCursorPos(0, 0);
    if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, workingDir.c_str(), &si, &pi_))
        return "CreateProcessA failed for " + exe + " with error " + std::to_string(GetLastError());
    pid_ = pi_.dwProcessId;
    FocusSampler sampler(pi_.dwThreadId);
    WaitForInputIdle(pi_.hProcess, kTimeoutMs);
    // The main window: its class, shown, in our process (FindWindowA with the class keeps a
    // message box of the same caption out of the search).
    DWORD start = GetTickCount();
    HWND found = nullptr;
    while (GetTickCount() - start < kTimeoutMs) {
        found = FindTopLevel(pid_, R7716_MAIN_CLASS, "");
        if (found) break;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(pi_.hProcess, &code);
            return "the tool ended without showing its window, exit code " + std::to_string(code);
        }
        Sleep(20);
    }
    if (!found) return "no visible window of class " R7716_MAIN_CLASS " within 10 s";
    main_ = found;
    tid_ = GetWindowThreadProcessId(main_, nullptr);
    // Until the focus has come to rest inside the window (or the wait runs out).
    start = GetTickCount();
    while (GetAncestor(Focus(), GA_ROOT) != main_ && GetTickCount() - start < kTimeoutMs) Sleep(1);
    for (const FocusSampler::Sample& sample : sampler.Stop())
        if (sample.focus) focusAtStart_.push_back(sample.focus);
    return {};
}

HWND Tool::Control(int id) const { return GetDlgItem(main_, id); }

HWND Tool::DebugControl(int id) const {
    HWND group = GetDlgItem(main_, IDC_DEVELOPER_GROUP);
    return group ? GetDlgItem(group, id) : nullptr;
}

HWND Tool::FindDialog(const std::string& caption) const { return FindTopLevel(pid_, "#32770", caption); }

HWND Tool::WaitForDialog(const std::string& caption, DWORD timeoutMs) const {
    DWORD start = GetTickCount();
    do {
        if (HWND w = FindDialog(caption)) {
            Sleep(100);  // let it finish its layout and painting
            return w;
        }
        if (!Running()) return nullptr;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

bool Tool::WaitTakesInput(DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    while (Running() && !IsWindowEnabled(main_)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(5);
    }
    return IsWindowEnabled(main_) != FALSE;
}

bool Tool::WaitGone(HWND w, DWORD timeoutMs) const {
    DWORD start = GetTickCount();
    while (IsWindow(w) && IsWindowVisible(w)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

bool Tool::PostClick(HWND button) const { return button && PostMessageA(button, BM_CLICK, 0, 0); }

bool Tool::SendClick(HWND button) const {
    DWORD_PTR r = 0;
    return button && SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs, &r);
}

HWND Tool::Focus() const {
    GUITHREADINFO gi{};
    gi.cbSize = sizeof gi;
    if (!GetGUIThreadInfo(tid_, &gi)) return nullptr;
    return gi.hwndFocus;
}

HWND Tool::WaitForFocus(HWND want, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    while (Focus() != want && GetTickCount() - start < timeoutMs) Sleep(20);
    return Focus();
}

namespace {
struct TaskListSearch {
    DWORD pid;
    std::vector<HWND>* entries;
};

BOOL CALLBACK TaskListProc(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<TaskListSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != s->pid || !IsWindowVisible(w)) return TRUE;
    const LONG_PTR ex = GetWindowLongPtrA(w, GWL_EXSTYLE);
    if ((GetWindow(w, GW_OWNER) == nullptr && !(ex & WS_EX_TOOLWINDOW)) || (ex & WS_EX_APPWINDOW))
        s->entries->push_back(w);
    return TRUE;
}
}  // namespace

std::vector<HWND> Tool::TaskListEntries() const {
    std::vector<HWND> entries;
    TaskListSearch s{pid_, &entries};
    EnumWindows(TaskListProc, reinterpret_cast<LPARAM>(&s));
    return entries;
}

bool Tool::BringToFront(HWND w) const {
    // The driver is a console program without windows; asking the tool's thread to take the
    // foreground works from here under Wine and on Windows while no other window is active.
    SetForegroundWindow(w);
    DWORD start = GetTickCount();
    while (GetForegroundWindow() != w) {
        if (GetTickCount() - start >= kTimeoutMs) return false;
        Sleep(20);
    }
    return true;
}

bool Tool::Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

long Tool::CloseAndWait() {
    if (!pi_.hProcess) return -1;
    if (Running()) PostMessageA(main_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi_.hProcess, kTimeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return static_cast<long>(code);
}

// ---- boxes ----

namespace {
BOOL CALLBACK FirstStaticProc(HWND w, LPARAM lp) {
    if (ClassOf(w) == "Static" && !WindowText(w).empty()) {
        *reinterpret_cast<HWND*>(lp) = w;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND BoxStatic(HWND box) {
    if (HWND s = GetDlgItem(box, 0xFFFF)) return s;
    HWND found = nullptr;
    EnumChildWindows(box, FirstStaticProc, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string BoxText(HWND box) {
    HWND s = BoxStatic(box);
    return s ? WindowText(s) : "<no static>";
}

std::string BoxOwnership(const Tool& tool, HWND box) {
    const std::vector<HWND> entries = tool.TaskListEntries();
    if (entries.size() != 1) return std::to_string(entries.size()) + " task-list entries";
    std::string differs;
    const HWND owner = GetWindow(box, GW_OWNER);
    if (owner != entries[0])
        differs += "the box's owner is " + ClassOf(owner) + " \"" + WindowText(owner) +
                   "\", not the task-list window; ";
    if (IsWindowEnabled(tool.Main())) differs += "the main window takes input while the box is open; ";
    return differs;
}

std::string BackAfterBox(const Tool& tool, HWND control) {
    std::string differs;
    if (!tool.WaitTakesInput()) differs += "the main window stays disabled; ";
    GUITHREADINFO gi{};
    gi.cbSize = sizeof gi;
    const HWND focus = tool.WaitForFocus(control);
    if (GetGUIThreadInfo(tool.Tid(), &gi) && gi.hwndActive != tool.Main())
        differs += "the active window is " + ClassOf(gi.hwndActive) + ", not the main window; ";
    if (focus != control)
        differs += "the focus is on " + ClassOf(focus) + " \"" + WindowText(focus) + "\", not on \"" +
                   WindowText(control) + "\"; ";
    return differs;
}

bool PressOk(const Tool& tool, HWND box) {
    HWND ok = GetDlgItem(box, IDOK);
    if (!ok || !tool.PostClick(ok) || !tool.WaitGone(box)) return false;
    tool.WaitTakesInput();
    return true;
}

void SendKey(WORD vk, WORD modifier) {
    INPUT in[4]{};
    UINT n = 0;
    auto key = [&](WORD k, DWORD flags) {
        in[n].type = INPUT_KEYBOARD;
        in[n].ki.wVk = k;
        in[n].ki.wScan = static_cast<WORD>(MapVirtualKeyA(k, MAPVK_VK_TO_VSC));
        in[n].ki.dwFlags = flags;
        ++n;
    };
    if (modifier) key(modifier, 0);
    key(vk, 0);
    key(vk, KEYEVENTF_KEYUP);
    if (modifier) key(modifier, KEYEVENTF_KEYUP);
    SendInput(n, in, sizeof(INPUT));
}

// ---- screenshots ----

bool Capture(HWND w, Shot& shot) {
    RECT r{};
    if (!GetWindowRect(w, &r)) return false;
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(300);
    shot.origin = POINT{r.left, r.top};
    shot.width = r.right - r.left;
    shot.height = r.bottom - r.top;
    shot.rgb.clear();
    if (shot.width <= 0 || shot.height <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = shot.width;
    bi.bmiHeader.biHeight = -shot.height;  // top-down rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bmp) {
        HGDIOBJ old = SelectObject(mem, bmp);
        ok = BitBlt(mem, 0, 0, shot.width, shot.height, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        SelectObject(mem, old);
        if (ok) {
            int stride = (shot.width * 3 + 3) & ~3;
            shot.rgb.reserve(static_cast<size_t>(shot.height) * shot.width * 3);
            for (int y = 0; y < shot.height; ++y) {
                const unsigned char* p = static_cast<unsigned char*>(bits) + static_cast<size_t>(y) * stride;
                for (int x = 0; x < shot.width; ++x) {
                    shot.rgb.push_back(p[3 * x + 2]);
                    shot.rgb.push_back(p[3 * x + 1]);
                    shot.rgb.push_back(p[3 * x]);
                }
            }
        }
        DeleteObject(bmp);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

COLORREF Shot::At(POINT screen) const {
    int x = screen.x - origin.x, y = screen.y - origin.y;
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return RGB(rgb[i], rgb[i + 1], rgb[i + 2]);
}

bool SaveScreenshot(HWND w, const std::string& pngPath) {
    Shot shot;
    if (!Capture(w, shot)) return false;
    MakeDirs(ArtifactDir());
    return WriteFileBytes(pngPath, EncodePng(shot.width, shot.height, shot.rgb));
}

// ---- fault cases ----

std::string DecoyExe() { return ToWindowsPath(R7716_E2E_DECOY); }

bool PlaceDecoy(const std::string& path) { return CopyFileA(DecoyExe().c_str(), path.c_str(), FALSE) != FALSE; }

std::optional<std::string> WaitForFileBytes(const std::string& path, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (Exists(path))
            if (auto bytes = ReadFileBytes(path)) return bytes;
        if (GetTickCount() - start >= timeoutMs) return std::nullopt;
        Sleep(50);
    }
}

HeldInstallLock::HeldInstallLock(bool denied) {
    SECURITY_DESCRIPTOR nobody;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &nobody, FALSE};
    InitializeSecurityDescriptor(&nobody, SECURITY_DESCRIPTOR_REVISION);
    ACL empty;
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    SetSecurityDescriptorDacl(&nobody, TRUE, &empty, FALSE);
    mutex_ = CreateMutexA(denied ? &attributes : nullptr, FALSE, korva::kInstallLockName);
    held_ = mutex_ && (denied || WaitForSingleObject(mutex_, 0) == WAIT_OBJECT_0);
}

void HeldInstallLock::Release() {
    if (held_) ReleaseMutex(mutex_);  // fails, harmlessly, for a mutex only made
    held_ = false;
    if (mutex_) CloseHandle(mutex_);
    mutex_ = nullptr;
}

bool MakeLink(const std::string& link, const std::string& target) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    using Spawn = LONG(CDECL*)(char* const*, int);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    const auto spawn = reinterpret_cast<Spawn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    if (!unixName || !spawn) {
        const DWORD kind = IsDirectory(target) ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0;
        return CreateSymbolicLinkA(link.c_str(), target.c_str(), kind | 0x2 /* unprivileged create */) != FALSE;
    }
    auto toUnix = [unixName](const std::string& path) {
        const std::wstring wide(path.begin(), path.end());
        char* name = unixName(wide.c_str());
        std::string out = name ? name : "";
        if (name) HeapFree(GetProcessHeap(), 0, name);
        return out;
    };
    std::string from = toUnix(target), to = toUnix(link);
    char ln[] = "/bin/ln", s[] = "-s";
    char* const argv[] = {ln, s, from.data(), to.data(), nullptr};
    return !from.empty() && !to.empty() && spawn(argv, 1) == 0 && Exists(link);
}

bool LetEveryoneChange(const std::string& path) {
    // No DACL at all: everyone may do everything.
    return SetNamedSecurityInfoA(const_cast<char*>(path.c_str()), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                 nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void ExpectStandardUserReport(const std::string& tokenFile, bool ownStation) {
    const std::string report = ReadFileBytes(tokenFile).value_or("");
    // Its user, again first in the default DACL; the run's SID, in the DACL, the desktop and TEMP.
    std::smatch seen;
    ASSERT_TRUE(std::regex_search(
        report, seen,
        std::regex("user (S-[-0-9]+)\r\ndeny-only[^\r]* S-1-5-32-544(?: [^\r]*)?\r\nrestricting[^\r]*\r\n"
                   "privileges SeChangeNotifyPrivilege\r\ndefault-dacl \\1 S-1-5-18 (S-1-5-21(?:-[0-9]+){4})\r\n"
                   "desktop (KORVA-R7716-\\2|WinSta0)\\\\Default\r\ntemp ([^\r]*\\\\KORVA-R7716-\\2) writable\r\n")))
        << tokenFile << ":\n"
        << report;
    EXPECT_EQ(seen[3] != "WinSta0", ownStation) << seen[3];
    for (int i = 0; i < 50 && IsDirectory(seen[4]); ++i) Sleep(100);
    EXPECT_FALSE(IsDirectory(seen[4])) << seen[4] << " stays after the command has ended";
}

std::vector<std::string> FindNames(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\" + pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (std::strcmp(fd.cFileName, ".") != 0 && std::strcmp(fd.cFileName, "..") != 0) names.push_back(fd.cFileName);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

namespace {
std::wstring LongForm(const std::string& path) {
    std::string full = "\\\\?\\" + path;
    std::wstring wide(full.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, full.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n - 1 : 0);
    return wide;
}

std::string Narrow(const wchar_t* wide) {
    char buf[MAX_PATH * 2] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, buf, sizeof buf, nullptr, nullptr);
    return buf;
}
}  // namespace

bool IsDirectoryLong(const std::string& path) {
    DWORD a = GetFileAttributesW(LongForm(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool ExistsLong(const std::string& path) {
    return GetFileAttributesW(LongForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MakeDirsLong(const std::string& path) {
    if (IsDirectoryLong(path)) return true;
    size_t cut = path.find_last_of('\\');
    if (cut != std::string::npos && cut > 2 && !MakeDirsLong(path.substr(0, cut))) return false;
    return CreateDirectoryW(LongForm(path).c_str(), nullptr) || IsDirectoryLong(path);
}

std::vector<std::string> FindNamesLong(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((LongForm(folder) + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (lstrcmpW(fd.cFileName, L".") != 0 && lstrcmpW(fd.cFileName, L"..") != 0)
            names.push_back(Narrow(fd.cFileName));
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return names;
}

}  // namespace e2e
