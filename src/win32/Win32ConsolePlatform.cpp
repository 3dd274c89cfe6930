#include "win32/Win32ConsolePlatform.h"

#include <windows.h>

#include "win32/HandleBytes.h"

namespace korva {

namespace {

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

CommandResult Win32ConsolePlatform::RunAndWait(const std::string& commandLine,
                                               const std::function<void(const std::string&)>& output) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {};
    ScopedHandle reader(readEnd), writer(writeEnd);
    // Only the child's ends are inherited; its input is empty, so nothing waits for a key.
    SetHandleInformation(reader.Get(), HANDLE_FLAG_INHERIT, 0);
    ScopedHandle input(
        CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
    if (!input) return {};

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.Get();
    startup.hStdOutput = writer.Get();
    startup.hStdError = writer.Get();
    PROCESS_INFORMATION process{};
    std::string line = commandLine;  // CreateProcessA may write into its command line
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                        &process))
        return {};
    const ScopedHandle processHandle(process.hProcess), thread(process.hThread);
    // Our copy of the write end goes, so the read ends when the command and everything it
    // started have closed theirs.
    writer.Close();
    input.Close();

    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(reader.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) output(std::string(buffer, got));

    WaitForSingleObject(processHandle.Get(), INFINITE);
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(processHandle.Get(), &exitCode)) return {};
    return {true, exitCode};
}

FileContents Win32ConsolePlatform::ReadWhole(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {FileContents::State::Missing, {}};
        return {FileContents::State::Unreadable, {}};
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return {FileContents::State::Unreadable, {}};
    const ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return {FileContents::State::Unreadable, {}};
    FileContents contents{FileContents::State::Read, {}};
    if (!ReadToEnd(file.Get(), contents.bytes)) return {FileContents::State::Unreadable, {}};
    return contents;
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
