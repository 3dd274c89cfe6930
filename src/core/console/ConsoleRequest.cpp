#include "core/console/ConsoleRequest.h"

namespace korva {

namespace {

ParsedArguments Refused(std::string error) { return {std::nullopt, std::move(error)}; }

std::string Ascii(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c > 0 && c < 0x7F ? static_cast<char>(c) : '?';
    return out;
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::wstring>& arguments) {
    ConsoleRequest request;
    bool check = false, help = false, version = false, optionsEnded = false;
    std::vector<std::wstring> folders;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (optionsEnded || argument.empty() || argument == L"-" || (argument[0] != L'-' && argument != L"/?")) {
            folders.push_back(argument);
        } else if (argument == L"--") {
            optionsEnded = true;
        } else if (argument == L"--log") {
            if (request.logFile) return Refused("--log is given twice");
            if (i + 1 == arguments.size()) return Refused("--log needs a file name");
            request.logFile = arguments[++i];
        } else if (argument == L"--check") {
            check = true;
        } else if (argument == L"--help" || argument == L"-h" || argument == L"/?") {
            help = true;
        } else if (argument == L"--version") {
            version = true;
        } else {
            return Refused("unknown option " + Ascii(argument));
        }
    }

    if (help || version) {
        if (arguments.size() != 1) return Refused(help ? "--help stands alone" : "--version stands alone");
        request.mode = help ? ConsoleRequest::Mode::Help : ConsoleRequest::Mode::Version;
        return {request, ""};
    }
    if (check && request.logFile) return Refused("--check writes nothing and takes no --log");
    if (folders.empty()) return Refused("no LonWorks folder given");
    if (folders.size() > 1) return Refused("one LonWorks folder only, not " + std::to_string(folders.size()));
    request.mode = check ? ConsoleRequest::Mode::Check : ConsoleRequest::Mode::Install;
    request.folder = folders.front();
    return {request, ""};
}

std::string UsageText() {
    return "Usage:\r\n"
           "  r7716-install.exe [--log FILE] LONWORKS_FOLDER   install\r\n"
           "  r7716-install.exe --check LONWORKS_FOLDER        report whether the installed files are current\r\n"
           "  r7716-install.exe --help | --version\r\n"
           "\r\n"
           "Installs R7716.XIF into LONWORKS_FOLDER\\Import and R7716.ENU, R7716.FMT, R7716.FPT and\r\n"
           "R7716.TYP into LONWORKS_FOLDER\\Types\\User\\KR, writes LONWORKS_FOLDER\\Types\\loninst.cmd and\r\n"
           "runs it from the Types folder, waiting for it to end: the catalog tool mkcat.exe adds the\r\n"
           "KR folder to the LonWorks resource catalog; its output is passed through. The folder must\r\n"
           "end in LonWorks. Nothing is shown but this console text.\r\n"
           "\r\n"
           "  --log FILE   append one line per step, the catalog command's output and its exit code\r\n"
           "  --check      compare the installed files with those this program installs; changes nothing\r\n"
           "  --           ends the options (for a folder that begins with -)\r\n"
           "\r\n"
           "Exit codes:\r\n"
           "  0  installed and the catalog command ended with 0; --check: all files current\r\n"
           "  1  usage error, the log cannot be opened, or the folder cannot be spelled in the ANSI code page\r\n"
           "  2  the folder check refused the path (it does not end in LonWorks)\r\n"
           "  3  a folder cannot be created\r\n"
           "  4  a file cannot be written\r\n"
           "  5  the command file cannot be started\r\n"
           "  6  the catalog command ended with a code other than 0 (the files are installed)\r\n"
           "  7  --check: at least one file missing, different or unreadable\r\n";
}

}  // namespace korva
