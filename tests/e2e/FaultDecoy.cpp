// A stand-in program for the fault cases: wherever it is copied and started (as mkcat.exe in
// a Types folder, or as C:\...\Program.exe beside a folder with a blank in its name), it
// leaves "<its own full name>.ran" holding the command line it was given, so the driver can
// tell whether and how it ran. The note is written beside and then renamed, so a reader
// never sees half of it. Before it, "<its own full name>.rights" says whether it ran as an
// administrator ("administrator") or with a standard user's rights ("standard user").
//
// It adds to "<its own full name>.token" what its token and place show, one line each:
// "user <SID>", "deny-only <SID>...", "restricting <SID>...", "privileges <name>...",
// "default-dacl <SID>..." (whom its default DACL grants), "desktop <station>\<desktop>" and
// "temp <TEMP> writable|not writable".
//
// Where "<its own full name>.exit" holds a number, it also writes one line to standard output
// and one to standard error and ends with that number as its exit code: the catalog tool's
// outcome as the console installer sees it.
//
// Where "<its own full name>.hold" holds a number of milliseconds, each run lasts that long,
// counts itself in "<its own full name>.runs" and leaves "<its own full name>.overlap" when
// another run was going on at the same time. Where "<its own full name>.linger" holds one, it
// leaves a copy of itself behind that keeps its standard output open that long.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "win32/Win32StandardUserStart.h"

namespace {

// The number a file holds, or 0.
DWORD NumberIn(const std::string& path) {
    char text[16] = "";
    DWORD got = 0;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 0;
    ReadFile(h, text, sizeof text - 1, &got, nullptr);
    CloseHandle(h);
    return std::strtoul(text, nullptr, 10);
}

void Append(const std::string& path, const char* text) {
    HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0,
                           nullptr);
    DWORD put = 0;
    if (h != INVALID_HANDLE_VALUE) WriteFile(h, text, lstrlenA(text), &put, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}

// Runs for `ms`, noting a run that overlaps with another through a marker only one run can make.
void Hold(const std::string& self, DWORD ms) {
    Append(self + ".runs", "run\r\n");
    const std::string busy = self + ".busy";
    HANDLE marker = CreateFileA(busy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE,
                                nullptr);
    if (marker == INVALID_HANDLE_VALUE) Append(self + ".overlap", "overlap\r\n");
    Sleep(ms);
    if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
}

// Leaves a copy of this program running for `ms` that inherits the standard handles.
void Linger(const char* self, DWORD ms) {
    std::string line = "\"" + std::string(self) + "\" linger " + std::to_string(ms);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

// What the stand-in's own token holds of one kind.
std::vector<BYTE> Information(TOKEN_INFORMATION_CLASS kind) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
    const korva::ScopedHandle owned(token);
    return korva::TokenInformation(token, kind);
}

std::string Groups(TOKEN_INFORMATION_CLASS kind, DWORD attribute) {
    std::string line;
    const std::vector<BYTE> bytes = Information(kind);
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(bytes.data());
    for (DWORD i = 0; !bytes.empty() && i < groups->GroupCount; ++i)
        if (!attribute || (groups->Groups[i].Attributes & attribute))
            line += " " + korva::SidText(groups->Groups[i].Sid);
    return line;
}

std::string TokenReport() {
    std::vector<BYTE> bytes = Information(TokenUser);
    std::string report = "user " +
                         (bytes.empty() ? "" : korva::SidText(reinterpret_cast<TOKEN_USER*>(bytes.data())->User.Sid));
    report += "\r\ndeny-only" + Groups(TokenGroups, SE_GROUP_USE_FOR_DENY_ONLY);
    report += "\r\nrestricting" + Groups(TokenRestrictedSids, 0) + "\r\nprivileges";
    bytes = Information(TokenPrivileges);
    const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(bytes.data());
    for (DWORD i = 0; !bytes.empty() && i < privileges->PrivilegeCount; ++i) {
        char name[64];
        DWORD length = sizeof name;
        LUID luid = privileges->Privileges[i].Luid;
        if (LookupPrivilegeNameA(nullptr, &luid, name, &length)) report += std::string(" ") + name;
    }
    report += "\r\ndefault-dacl";
    bytes = Information(TokenDefaultDacl);
    const PACL dacl = bytes.empty() ? nullptr : reinterpret_cast<TOKEN_DEFAULT_DACL*>(bytes.data())->DefaultDacl;
    void* ace = nullptr;
    for (DWORD i = 0; dacl && i < dacl->AceCount && GetAce(dacl, i, &ace); ++i)
        report += " " + korva::SidText(&static_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart);
    char station[128] = "", desktop[128] = "", temp[MAX_PATH] = "";
    DWORD length = 0;
    GetUserObjectInformationA(GetProcessWindowStation(), UOI_NAME, station, sizeof station, &length);
    GetUserObjectInformationA(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, desktop, sizeof desktop, &length);
    GetEnvironmentVariableA("TEMP", temp, sizeof temp);
    const std::string probe = std::string(temp) + "\\stand-in.probe";
    HANDLE h = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    return report + "\r\ndesktop " + station + "\\" + desktop + "\r\ntemp " + temp +
           (h != INVALID_HANDLE_VALUE ? " writable\r\n" : " not writable\r\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && lstrcmpA(argv[1], "linger") == 0) {
        Sleep(std::strtoul(argv[2], nullptr, 10));
        return 0;
    }
    char self[MAX_PATH * 2] = "";
    DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
    if (n == 0 || n >= sizeof self) return 2;
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof administrators;
    BOOL administrator = FALSE;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size) ||
        !CheckTokenMembership(nullptr, administrators, &administrator))
        return 6;
    const std::string rights = std::string(self) + ".rights";
    HANDLE r = CreateFileA(rights.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (r == INVALID_HANDLE_VALUE) return 3;
    const char* said = administrator ? "administrator" : "standard user";
    DWORD put = 0;
    const BOOL told = WriteFile(r, said, lstrlenA(said), &put, nullptr);
    CloseHandle(r);
    if (!told) return 4;
    Append(std::string(self) + ".token", TokenReport().c_str());
    const std::string note = std::string(self) + ".ran";
    const std::string part = note + ".part";
    const char* line = GetCommandLineA();
    HANDLE h = CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 3;
    BOOL ok = WriteFile(h, line, lstrlenA(line), &put, nullptr);
    CloseHandle(h);
    if (!ok || !MoveFileExA(part.c_str(), note.c_str(), MOVEFILE_REPLACE_EXISTING)) return 4;

    if (const DWORD ms = NumberIn(std::string(self) + ".hold")) Hold(self, ms);
    if (const DWORD ms = NumberIn(std::string(self) + ".linger")) Linger(self, ms);

    char code[16] = "";
    h = CreateFileA((std::string(self) + ".exit").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                    nullptr);
    if (h == INVALID_HANDLE_VALUE) return 0;
    ok = ReadFile(h, code, sizeof code - 1, &put, nullptr);
    CloseHandle(h);
    if (!ok) return 5;
    static const char out[] = "mkcat stand-in: to standard output\r\n";
    static const char err[] = "mkcat stand-in: to standard error\r\n";
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out, sizeof out - 1, &put, nullptr);
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), err, sizeof err - 1, &put, nullptr);
    return static_cast<int>(std::strtoul(code, nullptr, 10));
}
