#pragma once
// Small helpers shared by the Windows-side benchmark timers: a monotonic clock in
// milliseconds, the median, and bounded waits for another process's windows.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace bench {

constexpr DWORD kWaitMs = 20000;  // every wait for a window or a process ends by then

inline double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> v) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

inline double Min(const std::vector<double>& v) { return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end()); }
inline double Max(const std::vector<double>& v) { return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()); }

// A Unix path as the Windows path Wine maps it to (Z:); a Windows path stays as it is.
inline std::string WindowsPath(std::string path) {
    if (path.empty() || path[0] != '/') return path;
    path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

inline std::string FolderOf(const std::string& path) {
    const size_t cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string(".") : path.substr(0, cut);
}

inline bool IsFolder(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

inline bool MakeFolders(const std::string& path) {
    if (IsFolder(path)) return true;
    const size_t cut = path.find_last_of('\\');
    if (cut != std::string::npos && cut > 2 && !MakeFolders(path.substr(0, cut))) return false;
    return CreateDirectoryA(path.c_str(), nullptr) || IsFolder(path);
}

// A started process; ended and released by the destructor if still running.
class Process {
public:
    Process() = default;
    ~Process() {
        if (!pi_.hProcess) return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(pi_.hProcess, 99);
            WaitForSingleObject(pi_.hProcess, kWaitMs);
        }
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Start(const std::string& exe, const std::string& workingDir) {
        std::string command = "\"" + exe + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        return CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, workingDir.c_str(), &si,
                              &pi_) != 0;
    }
    bool Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD Pid() const { return pi_.dwProcessId; }
    HANDLE Handle() const { return pi_.hProcess; }

    // Posts WM_CLOSE to the window and waits for the process to end; false on timeout.
    bool CloseAndWait(HWND w) {
        if (Running() && w) PostMessageA(w, WM_CLOSE, 0, 0);
        return WaitForSingleObject(pi_.hProcess, kWaitMs) == WAIT_OBJECT_0;
    }

private:
    PROCESS_INFORMATION pi_{};
};

// The visible top-level window of the process with the class and caption, or nullptr.
inline HWND FindVisible(DWORD pid, const char* cls, const char* caption) {
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, cls, caption)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == pid && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

// Polls (1 ms apart) for that window; nullptr when the process ended or the wait ran out.
inline HWND WaitVisible(const Process& p, const char* cls, const char* caption, DWORD timeoutMs = kWaitMs) {
    const double start = NowMs();
    for (;;) {
        if (HWND w = FindVisible(p.Pid(), cls, caption)) return w;
        if (!p.Running() || NowMs() - start > timeoutMs) return nullptr;
        Sleep(1);
    }
}

}  // namespace bench
