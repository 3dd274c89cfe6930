#include "win32/Win32ConsolePlatform.h"

#include <windows.h>

#include "win32/HandleBytes.h"
#include "win32/Win32InstallPlatform.h"
#include "win32/Win32StandardUserStart.h"

namespace korva {

namespace {

constexpr ULONGLONG kOutputDrainMs = 3000;  // how long output is read after the command has ended
constexpr DWORD kPollMs = 10;

void WriteText(DWORD stream, const std::string& text) {
    const HANDLE handle = GetStdHandle(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) return;
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
        DWORD written = 0;
        if (length > 0 &&
            MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length) == length &&
            WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr))
            return;
    }
    WriteAll(handle, text.data(), text.size());
}

}  // namespace

void Win32ConsolePlatform::WriteOut(const std::string& text) { WriteText(STD_OUTPUT_HANDLE, text); }

void Win32ConsolePlatform::WriteErr(const std::string& text) { WriteText(STD_ERROR_HANDLE, text); }

void Win32ConsolePlatform::PassOut(const std::string& bytes) {
    const HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) WriteAll(handle, bytes.data(), bytes.size());
}

std::optional<std::string> Win32ConsolePlatform::ToAnsi(const std::wstring& text) const {
    if (text.empty()) return std::string();
    const int wideLength = static_cast<int>(text.size());
    // UTF-8 as the ANSI code page spells everything, and takes neither flag nor default.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const usedDefaultFlag = utf8 ? nullptr : &usedDefault;
    const int length = WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, nullptr, 0, nullptr,
                                           usedDefaultFlag);
    if (length <= 0 || usedDefault) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, ansi.data(), length, nullptr, usedDefaultFlag);
    if (usedDefault) return std::nullopt;
    // The way back must give the same characters (a lone surrogate would not).
    std::wstring back(text.size(), L'\0');
    const int backLength = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, back.data(),
                                               wideLength);
    if (backLength != wideLength || back != text) return std::nullopt;
    return ansi;
}

CommandResult Win32ConsolePlatform::RunAndWait(const std::string& commandLine, const StandardUserStart* standardUser,
                                               const std::function<void(const std::string&)>& output) {
    auto notStarted = [](StartFailure failure = {StartFailure::Step::Start, GetLastError()}) {
        CommandResult result;
        result.failure = failure;
        return result;
    };
    // Held until the command has ended.
    std::optional<StandardUserChild> child;
    if (standardUser) child.emplace(*standardUser);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return notStarted();
    ScopedHandle reader(readEnd), writer(writeEnd);
    // Only the child's ends are inherited; its input is empty, so nothing waits for a key.
    SetHandleInformation(reader.Get(), HANDLE_FLAG_INHERIT, 0);
    ScopedHandle input(
        CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
    if (!input) return notStarted();

    // The command inherits its three standard handles and nothing else of ours: a process it
    // leaves behind must not hold this program's own output (or any other handle it was
    // given) open after it has ended.
    HANDLE inherited[2] = {input.Get(), writer.Get()};
    SIZE_T listSize = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &listSize);
    std::string listBytes(listSize, '\0');
    const auto list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(listBytes.data());
    if (!InitializeProcThreadAttributeList(list, 1, 0, &listSize)) return notStarted();
    const ScopeGuard deleteList([list] { DeleteProcThreadAttributeList(list); });
    if (!UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited, sizeof inherited, nullptr,
                                   nullptr))
        return notStarted();

    STARTUPINFOEXA startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = input.Get();
    startup.StartupInfo.hStdOutput = writer.Get();
    startup.StartupInfo.hStdError = writer.Get();
    startup.lpAttributeList = list;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;  // CreateProcessA may write into its command line
    const DWORD flags = CREATE_NO_WINDOW | EXTENDED_STARTUPINFO_PRESENT;
    if (child) {
        if (const StartFailure failure = child->Start(line, flags, true, startup.StartupInfo, process);
            failure.Failed())
            return notStarted(failure);
    } else if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                               &startup.StartupInfo, &process)) {
        return notStarted();
    }
    const ScopedHandle processHandle(process.hProcess), thread(process.hThread);
    CommandResult result;
    // Our copy of the write end goes, so the read ends when the command and everything it
    // started have closed theirs.
    writer.Close();
    input.Close();

    // Read while the command runs. Once it has ended, what is left is read until every copy
    // of the write end is closed, but for a few seconds at most: a process the command left
    // behind may hold the pipe open for hours.
    bool ended = false;
    ULONGLONG endedAt = 0;
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(reader.Get(), nullptr, 0, nullptr, &available, nullptr)) break;  // every writer is gone
        if (available > 0) {
            char buffer[4096];
            DWORD got = 0;
            if (!ReadFile(reader.Get(), buffer, available < sizeof buffer ? available : sizeof buffer, &got, nullptr))
                break;
            output(std::string(buffer, got));
        } else if (ended) {
            if (GetTickCount64() - endedAt >= kOutputDrainMs) {
                result.outputLeftOpen = true;
                break;
            }
            Sleep(kPollMs);
        } else if (WaitForSingleObject(processHandle.Get(), kPollMs) == WAIT_OBJECT_0) {
            ended = true;
            endedAt = GetTickCount64();
        }
    }

    WaitForSingleObject(processHandle.Get(), INFINITE);
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(processHandle.Get(), &exitCode)) return notStarted();
    result.started = true;
    result.exitCode = exitCode;
    return result;
}

std::optional<std::string> Win32ConsolePlatform::FindProgram(const std::string& name, const std::string& folder) {
    auto search = [&name](const char* folders) -> std::optional<std::string> {
        char found[MAX_PATH];
        const DWORD length = SearchPathA(folders, name.c_str(), nullptr, sizeof found, found, nullptr);
        if (length == 0 || length >= sizeof found) return std::nullopt;
        return std::string(found, length);
    };
    if (auto inFolder = search(folder.c_str())) return inFolder;
    const std::string path = EnvironmentVariable("PATH");
    if (path.empty()) return std::nullopt;
    return search(path.c_str());
}

bool Win32ConsolePlatform::OpenLog(const std::wstring& path) {
    log_.Reset(CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr));
    return log_.Valid();
}

bool Win32ConsolePlatform::AppendLog(const std::string& text) {
    return log_.Valid() && WriteAll(log_.Get(), text.data(), text.size());
}

LocalTime Win32ConsolePlatform::Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

}  // namespace korva
