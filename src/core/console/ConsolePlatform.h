#pragma once
// The machine as the console installer sees it beyond the installation's own operations:
// its two output streams, the spelling of wide arguments, a command run to its end, the log
// and the clock. The Win32 implementation names its calls beside each operation; tests use a
// fake that records them.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/install/InstallPlatform.h"

namespace korva {

struct LocalTime {
    int year, month, day, hour, minute, second, millisecond;
};

struct CommandResult {
    bool started = false;
    std::uint32_t exitCode = 0;   // meaningful only when started
    bool outputLeftOpen = false;  // something the command started still held its output open
    StartFailure failure;         // when not started: where and why
};

class ConsolePlatform {
public:
    virtual ~ConsolePlatform() = default;

    // Standard output and standard error: the program's own text (ANSI code page).
    virtual void WriteOut(const std::string& text) = 0;
    virtual void WriteErr(const std::string& text) = 0;
    // Standard output: bytes of the catalog command's output, passed on as they came.
    virtual void PassOut(const std::string& bytes) = 0;

    // WideCharToMultiByte into the ANSI code page without best-fit characters: nothing when
    // a character has no equal there.
    virtual std::optional<std::string> ToAnsi(const std::wstring& text) const = 0;

    // CreateProcessA (with `standardUser`: CreateProcessAsUserA as InstallPlatform::Start
    // makes it) of the command line without a window of its own, standard
    // input empty, standard output and error into one pipe whose bytes go to `output` as they
    // arrive; returns when the command has ended and its output is read to the end, or, when a
    // process it started keeps the output open, a few seconds after the command has ended.
    virtual CommandResult RunAndWait(const std::string& commandLine, const StandardUserStart* standardUser,
                                     const std::function<void(const std::string&)>& output) = 0;

    // SearchPathA: the full name of the program that the command interpreter, working in
    // `folder`, finds for `name` (in that folder first, then on the PATH); nothing when none.
    virtual std::optional<std::string> FindProgram(const std::string& name, const std::string& folder) = 0;

    // CreateFileW for appending, shared for reading: false when it cannot be opened.
    virtual bool OpenLog(const std::wstring& path) = 0;
    // WriteFile of one piece at the log's end: false when it was not written whole.
    virtual bool AppendLog(const std::string& text) = 0;
    // GetLocalTime.
    virtual LocalTime Now() = 0;
};

}  // namespace korva
