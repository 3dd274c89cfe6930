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
    std::optional<std::wstring> restore, forget;
    std::vector<std::wstring> folders;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        // An option's value, or the reason there is none.
        auto value = [&](std::optional<std::wstring>& into, const char* what) -> std::string {
            if (into) return Ascii(argument) + " is given twice";
            if (i + 1 == arguments.size()) return Ascii(argument) + " needs " + what;
            into = arguments[++i];
            return "";
        };
        std::string refused;
        if (optionsEnded || argument.empty() || argument == L"-" || (argument[0] != L'-' && argument != L"/?")) {
            folders.push_back(argument);
        } else if (argument == L"--") {
            optionsEnded = true;
        } else if (argument == L"--log") {
            refused = value(request.logFile, "a file name");
        } else if (argument == L"--keep" || argument == L"--restore" || argument == L"--forget") {
            refused = value(argument == L"--keep"      ? request.keepFile
                            : argument == L"--restore" ? restore
                                                       : forget,
                            "a file name");
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
            refused = "unknown option " + Ascii(argument);
        }
        if (!refused.empty()) return Refused(refused);
    }

    if (help || version || forget) {
        if (arguments.size() != (forget ? 2u : 1u))
            return Refused(help ? "--help stands alone" : version ? "--version stands alone" : "--forget stands alone");
        request.mode = help      ? ConsoleRequest::Mode::Help
                       : version ? ConsoleRequest::Mode::Version
                                 : ConsoleRequest::Mode::Forget;
        if (forget) request.folder = *forget;
        return {request, ""};
    }
    if (restore) {
        if (check || remove || request.keepFile || !folders.empty())
            return Refused("--restore takes the LonWorks folder from the kept state; only --log and --wait go with it");
        request.mode = ConsoleRequest::Mode::Restore;
        request.folder = *restore;
        return {request, ""};
    }
    if (check && remove) return Refused("--check and --remove exclude each other");
    if (check && request.logFile) return Refused("--check writes nothing and takes no --log");
    if (check && request.keepFile) return Refused("--check writes nothing and takes no --keep");
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
           "  r7716-install.exe [--log FILE] [--wait SECONDS] [--keep STATE] LONWORKS_FOLDER            install\r\n"
           "  r7716-install.exe --remove [--log FILE] [--wait SECONDS] [--keep STATE] LONWORKS_FOLDER   remove\r\n"
           "  r7716-install.exe --check LONWORKS_FOLDER   report whether the installed files are current\r\n"
           "  r7716-install.exe --restore STATE [--log FILE] [--wait SECONDS]   put back what --keep kept\r\n"
           "  r7716-install.exe --forget STATE              drop what --keep kept\r\n"
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
           "  --keep STATE    first keep in the file STATE what the run changes (each file's older bytes or\r\n"
           "                  that it was absent, and which folders were there), so that --restore STATE puts\r\n"
           "                  it back (a package's rollback) and --forget STATE drops it (its commit)\r\n"
           "  --check         compare the installed files with those this program installs; changes nothing\r\n"
           "  --              ends the options (for a folder that begins with -)\r\n"
           "\r\n"
           "Exit codes:\r\n"
           "  0  installed and the catalog command ended with 0; --check: all files current; --restore: all\r\n"
           "     put back\r\n"
           "  1  usage error, the log cannot be opened, the folder cannot be spelled in the ANSI code page,\r\n"
           "     or STATE is no state that --keep kept\r\n"
           "  2  the path is refused: it does not end in LonWorks, or it begins with \\\\?\\ or \\\\.\\\r\n"
           "  3  a folder cannot be created, or it leads outside the LonWorks folder (a link)\r\n"
           "  4  a file cannot be written, or it leads outside the LonWorks folder; --remove: a file of this\r\n"
           "     version cannot be removed; --restore, --forget: a file cannot be put back or removed (the\r\n"
           "     kept state stays)\r\n"
           "  5  the command file cannot be started or run\r\n"
           "  6  the catalog command ended with a code other than 0 (the files are installed)\r\n"
           "  7  --check: at least one file missing, different, unreadable or outside the LonWorks folder\r\n"
           "  8  the installation lock cannot be used: its name is taken by an object this program may not\r\n"
           "     open (not another installation)\r\n"
           "  1618  another installation kept running for the whole wait: try again later\r\n";
}

}  // namespace korva
