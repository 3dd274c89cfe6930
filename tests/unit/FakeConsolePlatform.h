#pragma once
// The console installer's machine in memory: what it writes to its two streams and its log,
// a command whose output and exit code a test chooses, and a spelling into the ANSI code page
// that refuses every character above 0xFF.
#include <map>
#include <string>
#include <vector>

#include "core/console/ConsolePlatform.h"

namespace korva::testing {

class FakeConsolePlatform : public ConsolePlatform {
public:
    std::string out, err, log;
    std::vector<std::string> commands;                // every command line run, in order
    std::vector<std::string> commandOutput;           // the pieces the command writes
    CommandResult commandResult{true, 0, false, {}};  // what the run reports
    std::map<std::string, std::string> programs;      // name -> where FindProgram finds it
    bool logOpens = true;
    int logFailsAfter = -1;  // AppendLog fails from this call on (-1: never)
    std::wstring logPath;

    void WriteOut(const std::string& text) override { out += text; }
    void WriteErr(const std::string& text) override { err += text; }
    void PassOut(const std::string& bytes) override { out += bytes; }

    std::optional<std::string> ToAnsi(const std::wstring& text) const override {
        std::string ansi;
        for (wchar_t c : text) {
            if (static_cast<unsigned long>(c) > 0xFF) return std::nullopt;
            ansi += static_cast<char>(c);
        }
        return ansi;
    }

    CommandResult RunAndWait(const std::string& commandLine, const StandardUserStart*,
                             const std::function<void(const std::string&)>& output) override {
        commands.push_back(commandLine);
        if (commandResult.started)
            for (const std::string& piece : commandOutput) output(piece);
        return commandResult;
    }

    std::optional<std::string> FindProgram(const std::string& name, const std::string&) override {
        auto it = programs.find(name);
        return it == programs.end() ? std::nullopt : std::optional<std::string>(it->second);
    }

    bool OpenLog(const std::wstring& path) override {
        logPath = path;
        return logOpens;
    }

    bool AppendLog(const std::string& text) override {
        if (logFailsAfter >= 0 && appends_++ >= logFailsAfter) return false;
        log += text;
        return true;
    }

    // Every log line has the same time, 2026-12-08 10:04:05.006.
    LocalTime Now() override { return {2026, 12, 8, 10, 4, 5, 6}; }

private:
    int appends_ = 0;
};

}  // namespace korva::testing
