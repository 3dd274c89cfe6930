// A stand-in program for the fault cases: wherever it is copied and started (as mkcat.exe in
// a Types folder, or as C:\...\Program.exe beside a folder with a blank in its name), it
// leaves "<its own full name>.ran" holding the command line it was given, so the driver can
// tell whether and how it ran. The note is written beside and then renamed, so a reader
// never sees half of it.
//
// Where "<its own full name>.exit" holds a number, it also writes one line to standard output
// and one to standard error and ends with that number as its exit code: the catalog tool's
// outcome as the console installer sees it.
#include <windows.h>

#include <cstdlib>
#include <string>

int main() {
    char self[MAX_PATH * 2] = "";
    DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
    if (n == 0 || n >= sizeof self) return 2;
    const std::string note = std::string(self) + ".ran";
    const std::string part = note + ".part";
    const char* line = GetCommandLineA();
    HANDLE h = CreateFileA(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 3;
    DWORD put = 0;
    BOOL ok = WriteFile(h, line, lstrlenA(line), &put, nullptr);
    CloseHandle(h);
    if (!ok || !MoveFileExA(part.c_str(), note.c_str(), MOVEFILE_REPLACE_EXISTING)) return 4;

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
