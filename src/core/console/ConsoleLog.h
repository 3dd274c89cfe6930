#pragma once
// The console installer's log: one line per step, "<time> | <step> | <result>", ended by CR LF.
#include <functional>
#include <string>

#include "core/console/ConsolePlatform.h"

namespace korva {

// "2026-12-08 10:04:05.123 | write C:\LonWorks\Import\R7716.XIF | 29449 bytes\r\n"
std::string LogLine(const LocalTime& time, const std::string& step, const std::string& result);

// Cuts a stream of output bytes into lines: each line goes to `line` without its line end
// (LF or CR LF) as soon as it is complete; Finish() hands on an unended last line.
class OutputLines {
public:
    explicit OutputLines(std::function<void(const std::string&)> line) : line_(std::move(line)) {}
    void Add(const std::string& bytes);
    void Finish();

private:
    std::function<void(const std::string&)> line_;
    std::string pending_;
};

}  // namespace korva
