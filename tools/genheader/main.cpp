// r7716-genheader: writes the payload header from the five source files beside a path,
// exactly as the window's "2) Generate R7716.h" button does.
//
//   r7716-genheader [-o OUTPUT] PATHFIELD
//
// PATHFIELD is the text the path field would hold, e.g. /src/resources/R7716/R7716.xif.
// The header goes to the base name + "h" (/src/resources/R7716/R7716.h), or to OUTPUT.
// Exit status: 0 written, 1 the header could not be written, 2 wrong usage.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "core/devtools/HeaderGenerator.h"

#ifdef _WIN32
#include "win32/Win32GeneratorFiles.h"
using PlatformFiles = korva::Win32GeneratorFiles;
#else
#include "StdioGeneratorFiles.h"
using PlatformFiles = korva::StdioGeneratorFiles;
#endif

namespace {

// Notes the sources that were missing or unreadable, so the user learns why a
// section is empty (the button itself reports nothing).
class ReportingFiles final : public korva::GeneratorFiles {
public:
    explicit ReportingFiles(korva::GeneratorFiles& inner) : inner_(inner) {}
    std::optional<std::vector<unsigned char>> ReadWhole(const std::string& name) override {
        auto bytes = inner_.ReadWhole(name);
        if (!bytes)
            std::fprintf(stderr, "r7716-genheader: warning: %s is missing or unreadable; its section is empty\n",
                         name.c_str());
        return bytes;
    }
    bool WriteWhole(const std::string& name, const std::string& bytes) override {
        return inner_.WriteWhole(name, bytes);
    }

private:
    korva::GeneratorFiles& inner_;
};

int Usage(std::FILE* to) {
    std::fputs(
        "usage: r7716-genheader [-o OUTPUT] PATHFIELD\n"
        "Writes the payload header for the five source files named by PATHFIELD less its\n"
        "last three characters (xif, enu, fpt, fmt, typ) to that base name + \"h\", or to OUTPUT.\n",
        to);
    return to == stdout ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<std::string> output;
    std::optional<std::string> pathField;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (options && std::strcmp(arg, "--") == 0) {
            options = false;
        } else if (options && (std::strcmp(arg, "-h") == 0 || std::strcmp(arg, "--help") == 0)) {
            return Usage(stdout);
        } else if (options && std::strcmp(arg, "-o") == 0) {
            if (i + 1 >= argc || output) return Usage(stderr);
            output = argv[++i];
        } else if (options && arg[0] == '-' && arg[1] != '\0') {
            std::fprintf(stderr, "r7716-genheader: unknown option %s\n", arg);
            return Usage(stderr);
        } else {
            if (pathField) return Usage(stderr);
            pathField = arg;
        }
    }
    if (!pathField) return Usage(stderr);

    PlatformFiles platform;
    ReportingFiles files(platform);
    const std::string target = output ? *output : korva::HeaderBaseName(*pathField) + "h";
    if (!korva::GenerateHeader(*pathField, files, output)) {
        std::fprintf(stderr, "r7716-genheader: cannot write %s\n", target.c_str());
        return 1;
    }
    return 0;
}
