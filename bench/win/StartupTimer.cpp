// bench_startup RUNS TOOL_EXE BARE_EXE
//
// Start-up time of the tool against the bare window program: from CreateProcess to the
// program's main window being visible (found by class and caption, in that process), the
// two programs alternating, in one Wine session. Each program is then closed by WM_CLOSE
// and waited for before the next start. One start of each before the timed runs warms
// the file cache and is not counted. Prints every run and, last, the lines
//   median tool <ms> / median bare <ms> (and min, max).
// Exit status 0 when every run showed its window and ended after WM_CLOSE.
#include <cstdlib>

#include "BareWindow.h"
#include "Timing.h"
#include "app/ControlIds.h"

namespace {

struct Program {
    const char* name;
    std::string exe;
    const char* cls;
    const char* caption;
    std::vector<double> times;
};

// One start: milliseconds from CreateProcess to the visible window, or a negative value.
double TimeOneStart(const Program& program) {
    bench::Process process;
    const double start = bench::NowMs();
    if (!process.Start(program.exe, bench::FolderOf(program.exe))) {
        std::fprintf(stderr, "bench_startup: cannot start %s (error %lu)\n", program.exe.c_str(), GetLastError());
        return -1;
    }
    HWND w = bench::WaitVisible(process, program.cls, program.caption);
    const double shown = bench::NowMs();
    if (!w) {
        std::fprintf(stderr, "bench_startup: %s showed no window \"%s\" within %lu ms\n", program.name, program.caption,
                     bench::kWaitMs);
        return -1;
    }
    if (!process.CloseAndWait(w)) {
        std::fprintf(stderr, "bench_startup: %s did not end within %lu ms after WM_CLOSE\n", program.name,
                     bench::kWaitMs);
        return -1;
    }
    return shown - start;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || std::atoi(argv[1]) < 1) {
        std::fputs("usage: bench_startup RUNS TOOL_EXE BARE_EXE\n", stderr);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    Program programs[2] = {{"tool", bench::WindowsPath(argv[2]), R7716_MAIN_CLASS, R7716_MAIN_CAPTION, {}},
                           {"bare", bench::WindowsPath(argv[3]), BENCH_BARE_CLASS, BENCH_BARE_CAPTION, {}}};
    for (Program& p : programs)
        if (TimeOneStart(p) < 0) return 1;  // warm-up

    for (int run = 0; run < runs; ++run) {
        // Alternate which program goes first, so neither always follows the other.
        for (int k = 0; k < 2; ++k) {
            Program& p = programs[(run + k) % 2];
            const double ms = TimeOneStart(p);
            if (ms < 0) return 1;
            p.times.push_back(ms);
            std::printf("run %2d %s %.1f ms\n", run + 1, p.name, ms);
        }
    }
    for (const Program& p : programs)
        std::printf("median %s %.2f min %.2f max %.2f\n", p.name, bench::Median(p.times), bench::Min(p.times),
                    bench::Max(p.times));
    return 0;
}
