// bench_console_floor RESOURCE_DIR LONWORKS_FOLDER
//
// The least work of an unattended installation, as the floor of the console installer's
// benchmark: the four folders made, the five files copied from RESOURCE_DIR with CopyFileA,
// the one-line command file written and started from the Types folder, and its end awaited.
// Ends with the command's exit code (or 100 and up when a step failed). Copied as mkcat.exe
// it stands in for the catalog tool and ends at once with 0.
#include <windows.h>

#include <string>

namespace {

const char* const kSources[5] = {"R7716.xif", "R7716.enu", "R7716.fmt", "R7716.fpt", "R7716.typ"};
const char* const kTargets[5] = {"\\Import\\R7716.XIF", "\\Types\\User\\KR\\R7716.ENU", "\\Types\\User\\KR\\R7716.FMT",
                                 "\\Types\\User\\KR\\R7716.FPT", "\\Types\\User\\KR\\R7716.TYP"};

bool StartedAsCatalogTool() {
    char self[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    return n >= 10 && lstrcmpiA(self + n - 10, "\\mkcat.exe") == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (StartedAsCatalogTool()) return 0;
    if (argc != 3) return 100;
    const std::string resources = argv[1], lonworks = argv[2];
    const std::string types = lonworks + "\\Types", device = types + "\\User\\KR";
    for (const std::string& folder : {lonworks + "\\Import", types, types + "\\User", device})
        if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return 101;
    for (int i = 0; i < 5; ++i)
        if (!CopyFileA((resources + "\\" + kSources[i]).c_str(), (lonworks + kTargets[i]).c_str(), FALSE)) return 102;

    const std::string commandFile = types + "\\loninst.cmd";
    const std::string line = "\"mkcat.exe\" \"-a" + device + "\"";
    const HANDLE file = CreateFileA(commandFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 103;
    DWORD written = 0;
    const bool ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
                    written == line.size();
    CloseHandle(file);
    if (!ok) return 104;

    std::string command = "\"" + commandFile + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, types.c_str(),
                        &startup, &process))
        return 105;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 106;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
