#pragma once
// The console installer's command line: what it asks for, the usage text and the exit codes.
#include <optional>
#include <string>
#include <vector>

namespace korva {

// The exit codes of r7716-install.exe, documented in its usage text and the README.
enum class ExitCode : int {
    Success = 0,        // installed and the catalog command ended with 0; --check: all current
    Usage = 1,          // usage error, the log cannot be opened, the folder cannot be spelled
    PathRefused = 2,    // the folder check refused the path
    FolderFailed = 3,   // a folder cannot be created (or leads outside the LonWorks folder)
    FileFailed = 4,     // a file cannot be written (or leads outside the LonWorks folder)
    StartFailed = 5,    // the command file cannot be started
    CatalogFailed = 6,  // the catalog command ended with a code other than 0
    NotCurrent = 7,     // --check: a file is missing, different, unreadable or outside
    LockUnusable = 8,   // the installation lock's name is taken by an object this program may not open
    Busy = 1618,        // another installation held the lock for the whole wait (Windows
                        // Installer's "another installation is already in progress": retried)
};

// How long an installation or removal waits for another one to end, unless --wait says.
inline constexpr unsigned kDefaultWaitSeconds = 600;
inline constexpr unsigned kMaxWaitSeconds = 86400;

struct ConsoleRequest {
    enum class Mode { Install, Remove, Check, Restore, Forget, Help, Version };
    Mode mode = Mode::Install;
    std::wstring folder;                         // the LonWorks folder as given (Install, Remove, Check), or
                                                 // the file of the kept state (Restore, Forget)
    std::optional<std::wstring> logFile;         // --log FILE (Install, Remove, Restore)
    unsigned waitSeconds = kDefaultWaitSeconds;  // --wait SECONDS (Install, Remove, Restore)
    std::optional<std::wstring> keepFile;        // --keep STATE (Install, Remove)
};

// The request, or the reason the arguments (without the program's name) are not one.
struct ParsedArguments {
    std::optional<ConsoleRequest> request;
    std::string error;
};

// [--remove] [--log FILE] [--wait SECONDS] [--keep STATE] FOLDER | --check FOLDER |
// --restore STATE [--log FILE] [--wait SECONDS] | --forget STATE | --help | --version.
// "--" ends the options, so a folder may begin with "-"; "/?" asks for help as well. --help,
// --version and --forget stand alone.
ParsedArguments ParseArguments(const std::vector<std::wstring>& arguments);

// The text of --help: the four forms, what the program does and the exit codes.
std::string UsageText();

}  // namespace korva
