// bench_install RUNS TOOL_EXE SCRATCH_FOLDER RESOURCE_DIR BARE_EXE
//
// Installation time through the window: for every run a fresh LonWorks folder under
// SCRATCH_FOLDER, the tool started on it, the folder typed into the path field (WM_SETTEXT),
// then the clock runs from the "Installation" click (BM_CLICK, posted: the handler blocks in
// its box) to the success box being visible. Start-up and closing are not timed. After each
// run the box text and the five installed files are checked byte for byte against
// RESOURCE_DIR, so a run that did not install counts as a failure, not as a time.
//
// For comparison the same five files are copied with CopyFileA into a fresh folder in this
// process (Wine's file layer without any process start), and a one-line command file (a
// remark only) is written there and started with WinExec, as the tool starts loninst.cmd:
// together the least work any installer of this kind does under Wine. Last, the bare window
// program's OK button is clicked the same way and timed to its message box: the cost of a
// click answered by a box, with no work between.
//
// Prints every run and, last: median install <ms>, median install_less_pause <ms> (the
// tool's fixed 300 ms pause before it starts the command file taken off), median
// copyfile <ms>, median winexec <ms> and median bare_box <ms>. Exit status 0 when every run
// succeeded.
#include <cstdlib>

#include "BareWindow.h"
#include "Timing.h"
#include "app/ControlIds.h"
#include "support/FileBytes.h"

namespace {

constexpr double kPauseMs = 300.0;
const char kSuccess[] = "Information: The operation is successfully complete.";

struct Installed {
    const char* source;  // name in the resource folder
    const char* target;  // below the LonWorks folder
};
constexpr Installed kFiles[] = {{"R7716.xif", "\\Import\\R7716.XIF"},
                                {"R7716.enu", "\\Types\\User\\KR\\R7716.ENU"},
                                {"R7716.fmt", "\\Types\\User\\KR\\R7716.FMT"},
                                {"R7716.fpt", "\\Types\\User\\KR\\R7716.FPT"},
                                {"R7716.typ", "\\Types\\User\\KR\\R7716.TYP"}};

std::string TextOf(HWND w) {
    char buf[512] = "";
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, bench::kWaitMs,
                             &got))
        return "<no answer>";
    return buf;
}

bool WaitGone(HWND w) {
    const double start = bench::NowMs();
    while (IsWindow(w) && IsWindowVisible(w)) {
        if (bench::NowMs() - start > bench::kWaitMs) return false;
        Sleep(5);
    }
    return true;
}

// One installation; the milliseconds from the click to the box, or a negative value.
double TimeOneInstallation(const std::string& exe, const std::string& scratch, const std::string& resources) {
    const std::string lonworks = scratch + "\\LonWorks";
    if (bench::IsFolder(lonworks) || !bench::MakeFolders(lonworks)) {
        std::fprintf(stderr, "bench_install: cannot make the fresh folder %s\n", lonworks.c_str());
        return -1;
    }
    bench::Process tool;
    if (!tool.Start(exe, scratch)) {
        std::fprintf(stderr, "bench_install: cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
        return -1;
    }
    HWND main = bench::WaitVisible(tool, R7716_MAIN_CLASS, R7716_MAIN_CAPTION);
    if (!main) {
        std::fprintf(stderr, "bench_install: no main window within %lu ms\n", bench::kWaitMs);
        return -1;
    }
    WaitForInputIdle(tool.Handle(), bench::kWaitMs);
    HWND edit = GetDlgItem(main, IDC_PATH_FIELD);
    HWND button = GetDlgItem(main, IDC_INSTALL_BUTTON);
    DWORD_PTR result = 0;
    if (!edit || !button ||
        !SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lonworks.c_str()), SMTO_ABORTIFHUNG,
                             bench::kWaitMs, &result) ||
        TextOf(edit) != lonworks) {
        std::fprintf(stderr, "bench_install: could not type the path into the path field\n");
        return -1;
    }

    const double start = bench::NowMs();
    PostMessageA(button, BM_CLICK, 0, 0);
    HWND box = bench::WaitVisible(tool, "#32770", R7716_APP_TITLE);
    const double shown = bench::NowMs();
    if (!box) {
        std::fprintf(stderr, "bench_install: no box within %lu ms after the click\n", bench::kWaitMs);
        return -1;
    }

    HWND text = GetDlgItem(box, IDC_BOX_TEXT);
    const std::string said = text ? TextOf(text) : "<no text>";
    bool ok = said == kSuccess;
    if (!ok) std::fprintf(stderr, "bench_install: the box says \"%s\"\n", said.c_str());
    for (const Installed& f : kFiles) {
        using korva::testsupport::ReadFileBytes;
        const auto want = ReadFileBytes(resources + "\\" + f.source);
        if (!want || ReadFileBytes(lonworks + f.target) != want) {
            std::fprintf(stderr, "bench_install: %s%s is missing or differs from %s\n", lonworks.c_str(), f.target,
                         f.source);
            ok = false;
        }
    }
    HWND okButton = GetDlgItem(box, IDOK);
    if (!okButton || !PostMessageA(okButton, BM_CLICK, 0, 0) || !WaitGone(box)) {
        std::fprintf(stderr, "bench_install: the box did not close\n");
        ok = false;
    }
    if (!tool.CloseAndWait(main)) {
        std::fprintf(stderr, "bench_install: the tool did not end within %lu ms after WM_CLOSE\n", bench::kWaitMs);
        ok = false;
    }
    return ok ? shown - start : -1;
}

// The five files copied into a fresh folder with CopyFileA; milliseconds, or negative.
double TimeCopyFiles(const std::string& folder, const std::string& resources) {
    if (bench::IsFolder(folder) || !bench::MakeFolders(folder)) return -1;
    const double start = bench::NowMs();
    for (const Installed& f : kFiles) {
        const std::string from = resources + "\\" + f.source;
        const std::string to = folder + "\\" + f.source;
        if (!CopyFileA(from.c_str(), to.c_str(), TRUE)) return -1;
    }
    return bench::NowMs() - start;
}

// A one-line command file written into the folder and started by WinExec with show mode
// normal, as the tool does; milliseconds of the write and the start, or negative.
double TimeStartCommandFile(const std::string& folder) {
    const std::string file = folder + "\\floor.cmd";
    static const char line[] = "rem benchmark floor";
    const double start = bench::NowMs();
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return -1;
    DWORD put = 0;
    const bool written = WriteFile(h, line, sizeof line - 1, &put, nullptr) && put == sizeof line - 1;
    CloseHandle(h);
    if (!written || WinExec(file.c_str(), SW_SHOWNORMAL) <= 31) return -1;
    return bench::NowMs() - start;
}

// The bare window's OK button clicked (posted) and timed to its box; milliseconds, or negative.
double TimeBareBox(const std::string& exe) {
    bench::Process bare;
    if (!bare.Start(exe, bench::FolderOf(exe))) return -1;
    HWND main = bench::WaitVisible(bare, BENCH_BARE_CLASS, BENCH_BARE_CAPTION);
    if (!main) return -1;
    WaitForInputIdle(bare.Handle(), bench::kWaitMs);
    HWND button = GetDlgItem(main, IDOK);
    if (!button) return -1;
    const double start = bench::NowMs();
    PostMessageA(button, BM_CLICK, 0, 0);
    HWND box = bench::WaitVisible(bare, "#32770", BENCH_BARE_CAPTION);
    const double shown = bench::NowMs();
    if (!box) return -1;
    HWND ok = GetDlgItem(box, IDOK);
    if (!ok || !PostMessageA(ok, BM_CLICK, 0, 0) || !WaitGone(box) || !bare.CloseAndWait(main)) return -1;
    return shown - start;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6 || std::atoi(argv[1]) < 1) {
        std::fputs("usage: bench_install RUNS TOOL_EXE SCRATCH_FOLDER RESOURCE_DIR BARE_EXE\n", stderr);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::string exe = bench::WindowsPath(argv[2]);
    const std::string root = bench::WindowsPath(argv[3]);
    const std::string resources = bench::WindowsPath(argv[4]);
    const std::string bareExe = bench::WindowsPath(argv[5]);
    if (!bench::MakeFolders(root)) {
        std::fprintf(stderr, "bench_install: cannot make %s\n", root.c_str());
        return 1;
    }
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%lu-%lu", GetCurrentProcessId(), GetTickCount());

    std::vector<double> install, lessPause, copy, started, bareBox;
    for (int run = 0; run < runs; ++run) {
        char name[128];
        std::snprintf(name, sizeof name, "\\%s-%02d", stamp, run + 1);
        const double ms = TimeOneInstallation(exe, root + name, resources);
        if (ms < 0) return 1;
        Sleep(200);  // let the command interpreter the tool started end first
        const double copied = TimeCopyFiles(root + name + "\\copy", resources);
        if (copied < 0) {
            std::fprintf(stderr, "bench_install: CopyFileA failed (error %lu)\n", GetLastError());
            return 1;
        }
        const double start = TimeStartCommandFile(root + name + "\\copy");
        if (start < 0) {
            std::fprintf(stderr, "bench_install: could not write or start the command file (error %lu)\n",
                         GetLastError());
            return 1;
        }
        Sleep(200);  // let the started command interpreter end
        const double boxed = TimeBareBox(bareExe);
        if (boxed < 0) {
            std::fprintf(stderr, "bench_install: the bare window's box did not come and go\n");
            return 1;
        }
        install.push_back(ms);
        lessPause.push_back(ms - kPauseMs);
        copy.push_back(copied);
        started.push_back(start);
        bareBox.push_back(boxed);
        std::printf(
            "run %2d click to box %.1f ms, less the pause %.1f ms; CopyFileA %.2f ms, WinExec %.2f ms, "
            "bare click to box %.2f ms\n",
            run + 1, ms, ms - kPauseMs, copied, start, boxed);
    }
    std::printf("median install %.2f min %.2f max %.2f\n", bench::Median(install), bench::Min(install),
                bench::Max(install));
    std::printf("median install_less_pause %.2f min %.2f max %.2f\n", bench::Median(lessPause), bench::Min(lessPause),
                bench::Max(lessPause));
    std::printf("median copyfile %.2f min %.2f max %.2f\n", bench::Median(copy), bench::Min(copy), bench::Max(copy));
    std::printf("median winexec %.2f min %.2f max %.2f\n", bench::Median(started), bench::Min(started),
                bench::Max(started));
    std::printf("median bare_box %.2f min %.2f max %.2f\n", bench::Median(bareBox), bench::Min(bareBox),
                bench::Max(bareBox));
    return 0;
}
