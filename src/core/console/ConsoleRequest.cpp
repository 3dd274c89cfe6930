#include "core/console/ConsoleRequest.h"

namespace korva {

namespace {

ParsedArguments Refused(std::string error) { return {std::nullopt, std::move(error)}; }

std::string Ascii(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c > 0 && c < 0x7F ? static_cast<char>(c) : '?';
    return out;
}

// A whole number of seconds from 0 to kMaxWaitSeconds, digits only.
std::optional<unsigned> Seconds(const std::wstring& text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    unsigned value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    if (value > kMaxWaitSeconds) return std::nullopt;
    return value;
}

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::wstring>& arguments) {
    ConsoleRequest request;
    bool check = false, remove = false, help = false, version = false, optionsEnded = false, wait = false;
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
        } else if (argument == L"--wait") {
            if (wait) return Refused("--wait is given twice");
            const std::optional<unsigned> seconds = i + 1 < arguments.size() ? Seconds(arguments[i + 1])
                                                                             : std::optional<unsigned>();
            if (!seconds)
                return Refused("--wait needs a number of seconds from 0 to " + std::to_string(kMaxWaitSeconds));
            request.waitSeconds = *seconds;
            wait = true;
            ++i;
        } else if (argument == L"--check") {
            check = true;
        } else if (argument == L"--remove") {
            remove = true;
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
    if (check && remove) return Refused("--check and --remove exclude each other");
    if (check && request.logFile) return Refused("--check writes nothing and takes no --log");
    if (check && wait) return Refused("--check takes no lock and no --wait");
    if (folders.empty()) return Refused("no LonWorks folder given");
    if (folders.size() > 1) return Refused("one LonWorks folder only, not " + std::to_string(folders.size()));
    request.mode = check    ? ConsoleRequest::Mode::Check
                   : remove ? ConsoleRequest::Mode::Remove
                            : ConsoleRequest::Mode::Install;
    request.folder = folders.front();
    return {request, ""};
}

std::string UsageText() {
    return "Usage:\r\n"
           "  r7716-install.exe [--log FILE] [--wait SECONDS] LONWORKS_FOLDER            install\r\n"
           "  r7716-install.exe --remove [--log FILE] [--wait SECONDS] LONWORKS_FOLDER   remove\r\n"
           "  r7716-install.exe --check LONWORKS_FOLDER   report whether the installed files are current\r\n"
           "  r7716-install.exe --help | --version\r\n"
           "\r\n"
           "Installs R7716.XIF into LONWORKS_FOLDER\\Import and R7716.ENU, R7716.FMT, R7716.FPT and\r\n"
           "R7716.TYP into LONWORKS_FOLDER\\Types\\User\\KR, writes LONWORKS_FOLDER\\Types\\loninst.cmd and\r\n"
           "runs it from the Types folder, waiting for it to end: the catalog tool mkcat.exe adds the\r\n"
           "KR folder to the LonWorks resource catalog; its output is passed through. The folder must\r\n"
           "end in LonWorks. Nothing is shown but this console text.\r\n"
           "\r\n"
           "One installation at a time runs on the machine: an installation or removal waits for\r\n"
           "another one (of this program or of the window) to end.\r\n"
           "\r\n"
           "  --log FILE      append one line per step, the catalog command's output and its exit code\r\n"
           "  --wait SECONDS  wait at most this long for another installation (default 600; 0: do not wait)\r\n"
           "  --remove        remove the files this version installs where they are unchanged; keeps any\r\n"
           "                  other file and the folder's entry in the LonWorks resource catalog\r\n"
           "  --check         compare the installed files with those this program installs; changes nothing\r\n"
           "  --              ends the options (for a folder that begins with -)\r\n"
           "\r\n"
           "Exit codes:\r\n"
           "  0  installed and the catalog command ended with 0; --check: all files current\r\n"
           "  1  usage error, the log cannot be opened, or the folder cannot be spelled in the ANSI code page\r\n"
           "  2  the path is refused: it does not end in LonWorks, or it begins with \\\\?\\ or \\\\.\\\r\n"
           "  3  a folder cannot be created\r\n"
           "  4  a file cannot be written; --remove: a file of this version cannot be removed\r\n"
           "  5  the command file cannot be started or run\r\n"
           "  6  the catalog command ended with a code other than 0 (the files are installed)\r\n"
           "  7  --check: at least one file missing, different or unreadable\r\n"
           "  1618  another installation kept running for the whole wait: try again later\r\n";
}

}  // namespace korva
