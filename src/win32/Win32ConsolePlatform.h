#pragma once
// The console installer's machine on Windows: the standard handles, wide-to-ANSI spelling,
// a command run through a pipe to its end, the search for a program, the log and the local time.
#include "core/console/ConsolePlatform.h"
#include "win32/Scoped.h"

namespace korva {

class Win32ConsolePlatform : public ConsolePlatform {
public:
    // To a console, the program's own ANSI text is written as wide text (WriteConsoleW), so
    // that letters beyond ASCII show as they are; to a file or pipe, as its bytes (WriteFile).
    void WriteOut(const std::string& text) override;
    void WriteErr(const std::string& text) override;
    void PassOut(const std::string& bytes) override;
    std::optional<std::string> ToAnsi(const std::wstring& text) const override;
    CommandResult RunAndWait(const std::string& commandLine, const StandardUserStart* standardUser,
                             const std::function<void(const std::string&)>& output) override;
    std::optional<std::string> FindProgram(const std::string& name, const std::string& folder) override;
    bool OpenLog(const std::wstring& path) override;
    bool AppendLog(const std::string& text) override;
    LocalTime Now() override;

private:
    ScopedHandle log_;
};

}  // namespace korva
