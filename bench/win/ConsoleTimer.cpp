// bench_console RUNS INSTALL_EXE FLOOR_EXE SCRATCH_FOLDER RESOURCE_DIR [PACKAGE]
//
// A whole run of the console installer, process start to process end, against the least
// work of the same kind (bench_console_floor: folders, CopyFileA of the five files, a command
// file started and awaited). Each run gives both a fresh LonWorks folder whose Types folder
// holds a catalog tool that ends at once (a copy of the floor program as mkcat.exe); the two
// alternate which goes first. After each run the exit code must be 0 and the five files must
// equal RESOURCE_DIR byte for byte, so a run that did not install counts as a failure.
// With PACKAGE (the .msi), each run also times a whole `msiexec /i PACKAGE /qn LONWORKSDIR=`
// into a third fresh folder, and removes the package again afterwards (msiexec /x, not timed).
//
// Prints every run and, last: median console <ms>, median floor <ms> and, with a package,
// median msi <ms>. Exit status 0 when every run succeeded.
#include <cstdlib>

#include "Timing.h"
#include "support/FileBytes.h"

namespace {

const char* const kSources[5] = {"R7716.xif", "R7716.enu", "R7716.fmt", "R7716.fpt", "R7716.typ"};
const char* const kTargets[5] = {"\\Import\\R7716.XIF", "\\Types\\User\\KR\\R7716.ENU", "\\Types\\User\\KR\\R7716.FMT",
                                 "\\Types\\User\\KR\\R7716.FPT", "\\Types\\User\\KR\\R7716.TYP"};

// Starts the command line with its output into NUL and waits for its end; the milliseconds
// from the start to the end, or a negative value when it failed or ended with another code than 0.
double TimeProcess(std::string commandLine, const std::string& workingDir) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                   OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION process{};
    const double start = bench::NowMs();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, workingDir.c_str(), &startup,
                        &process)) {
        CloseHandle(nul);
        return -1;
    }
    const bool ended = WaitForSingleObject(process.hProcess, bench::kWaitMs) == WAIT_OBJECT_0;
    const double end = bench::NowMs();
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    if (!ended) TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(nul);
    if (!ended || code != 0) {
        std::fprintf(stderr, "bench_console: %s ended with %lu\n", commandLine.c_str(), code);
        return -1;
    }
    return end - start;
}

// A fresh LonWorks folder with the stand-in catalog tool in its Types folder.
bool Prepare(const std::string& lonworks, const std::string& floorExe) {
    return !bench::IsFolder(lonworks) && bench::MakeFolders(lonworks + "\\Types") &&
           CopyFileA(floorExe.c_str(), (lonworks + "\\Types\\mkcat.exe").c_str(), TRUE);
}

bool Installed(const std::string& lonworks, const std::string& resources) {
    for (int i = 0; i < 5; ++i) {
        using korva::testsupport::ReadFileBytes;
        const auto want = ReadFileBytes(resources + "\\" + kSources[i]);
        if (!want || ReadFileBytes(lonworks + kTargets[i]) != want) {
            std::fprintf(stderr, "bench_console: %s%s is missing or differs\n", lonworks.c_str(), kTargets[i]);
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6 || argc > 7 || std::atoi(argv[1]) < 1) {
        std::fputs("usage: bench_console RUNS INSTALL_EXE FLOOR_EXE SCRATCH_FOLDER RESOURCE_DIR [PACKAGE]\n", stderr);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::string installExe = bench::WindowsPath(argv[2]);
    const std::string floorExe = bench::WindowsPath(argv[3]);
    const std::string root = bench::WindowsPath(argv[4]);
    const std::string resources = bench::WindowsPath(argv[5]);
    const std::string package = argc == 7 ? bench::WindowsPath(argv[6]) : "";
    if (!bench::MakeFolders(root)) return 1;
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%lu-%lu", GetCurrentProcessId(), GetTickCount());

    std::vector<double> ours, floor, msi;
    for (int run = 0; run < runs; ++run) {
        char name[128];
        std::snprintf(name, sizeof name, "\\%s-%02d", stamp, run + 1);
        const std::string oursFolder = root + name + "\\ours\\LonWorks";
        const std::string floorFolder = root + name + "\\floor\\LonWorks";
        if (!Prepare(oursFolder, floorExe) || !Prepare(floorFolder, floorExe)) {
            std::fprintf(stderr, "bench_console: cannot prepare %s%s\n", root.c_str(), name);
            return 1;
        }
        double a = 0, b = 0;
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn == 0) == (run % 2 == 0)) a = TimeProcess("\"" + installExe + "\" \"" + oursFolder + "\"", root);
            else b = TimeProcess("\"" + floorExe + "\" \"" + resources + "\" \"" + floorFolder + "\"", root);
        }
        if (a < 0 || b < 0 || !Installed(oursFolder, resources) || !Installed(floorFolder, resources)) return 1;
        ours.push_back(a);
        floor.push_back(b);
        std::printf("run %2d r7716-install %.1f ms, floor %.1f ms\n", run + 1, a, b);
        if (package.empty()) continue;
        const std::string msiFolder = root + name + "\\msi\\LonWorks";
        if (!Prepare(msiFolder, floorExe)) return 1;
        const double m = TimeProcess("msiexec.exe /i \"" + package + "\" /qn LONWORKSDIR=\"" + msiFolder + "\"", root);
        if (m < 0 || !Installed(msiFolder, resources) ||
            TimeProcess("msiexec.exe /x \"" + package + "\" /qn", root) < 0)
            return 1;
        msi.push_back(m);
        std::printf("run %2d msiexec /i %.1f ms\n", run + 1, m);
    }
    std::printf("median console %.2f min %.2f max %.2f\n", bench::Median(ours), bench::Min(ours), bench::Max(ours));
    std::printf("median floor %.2f min %.2f max %.2f\n", bench::Median(floor), bench::Min(floor), bench::Max(floor));
    if (!msi.empty())
        std::printf("median msi %.2f min %.2f max %.2f\n", bench::Median(msi), bench::Min(msi), bench::Max(msi));
    return 0;
}
