#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeConsolePlatform.h"
#include "FakeInstallPlatform.h"
#include "ProductInfo.h"
#include "SmallPayload.h"
#include "core/console/ConsoleLog.h"
#include "core/console/ConsoleProgram.h"
#include "core/console/InstallCheck.h"

namespace korva {
namespace {

using namespace testing;
using Mode = ConsoleRequest::Mode;
using Lines = std::vector<std::string>;

const std::string kLonWorks = "C:\\LonWorks";
const std::string kTypes = kLonWorks + "\\Types";
const std::string kDevice = kTypes + "\\User\\KR";
const std::string kCommandFile = kTypes + "\\loninst.cmd";
const std::string kCommandBytes = "\"mkcat.exe\" \"-a" + kDevice + "\"";
const std::string kWarning =
    "Warning:\r\nThe path to the LonWorks folder is not correct.\r\nThe operation was not complete.\r\n";

TEST(ParseArguments, FormsOptionsAndRefusals) {
    struct Case {
        std::vector<std::wstring> arguments;
        Mode mode;
        std::wstring folder;
        std::optional<std::wstring> log;
        std::string error;  // empty: a request
        unsigned wait = kDefaultWaitSeconds;
    } cases[] = {
        {{L"--remove", L"C:\\LonWorks"}, Mode::Remove, L"C:\\LonWorks", {}, ""},
        {{L"--wait", L"0", L"--remove", L"C:\\LonWorks"}, Mode::Remove, L"C:\\LonWorks", {}, "", 0},
        {{L"C:\\LonWorks", L"--wait", L"86400"}, Mode::Install, L"C:\\LonWorks", {}, "", 86400},
        {{L"--wait", L"86401", L"C:\\LonWorks"},
         Mode::Install,
         L"",
         {},
         "--wait needs a number of seconds from 0 to 86400"},
        {{L"C:\\LonWorks", L"--wait"}, Mode::Install, L"", {}, "--wait needs a number of seconds from 0 to 86400"},
        {{L"--check", L"--remove", L"C:\\LonWorks"}, Mode::Install, L"", {}, "--check and --remove exclude each other"},
        {{L"--check", L"--wait", L"5", L"C:\\LonWorks"}, Mode::Install, L"", {}, "--check takes no lock and no --wait"},
        {{L"C:\\LonWorks"}, Mode::Install, L"C:\\LonWorks", {}, ""},
        {{L"--log", L"C:\\r.log", L"C:\\LonWorks"}, Mode::Install, L"C:\\LonWorks", L"C:\\r.log", ""},
        {{L"C:\\LonWorks", L"--log", L"C:\\r.log"}, Mode::Install, L"C:\\LonWorks", L"C:\\r.log", ""},
        {{L"--check", L"C:\\LonWorks"}, Mode::Check, L"C:\\LonWorks", {}, ""},
        {{L"--", L"-LonWorks"}, Mode::Install, L"-LonWorks", {}, ""},
        {{L"--", L"--check"}, Mode::Install, L"--check", {}, ""},
        {{L"C:\\\x4E2D\\LonWorks"}, Mode::Install, L"C:\\\x4E2D\\LonWorks", {}, ""},  // spelled later
        {{L"--help"}, Mode::Help, L"", {}, ""},
        {{L"-h"}, Mode::Help, L"", {}, ""},
        {{L"/?"}, Mode::Help, L"", {}, ""},
        {{L"--version"}, Mode::Version, L"", {}, ""},
        {{}, Mode::Install, L"", {}, "no LonWorks folder given"},
        {{L"--log", L"C:\\r.log"}, Mode::Install, L"", {}, "no LonWorks folder given"},
        {{L"C:\\A\\LonWorks", L"D:\\LonWorks"}, Mode::Install, L"", {}, "one LonWorks folder only, not 2"},
        {{L"--force", L"C:\\LonWorks"}, Mode::Install, L"", {}, "unknown option --force"},
        {{L"-\xE4", L"C:\\LonWorks"}, Mode::Install, L"", {}, "unknown option -?"},
        {{L"C:\\LonWorks", L"--log"}, Mode::Install, L"", {}, "--log needs a file name"},
        {{L"--log", L"a", L"--log", L"b", L"C:\\LonWorks"}, Mode::Install, L"", {}, "--log is given twice"},
        {{L"--check", L"--log", L"a", L"C:\\LonWorks"},
         Mode::Install,
         L"",
         {},
         "--check writes nothing and takes no --log"},
        {{L"--restore", L"C:\\s", L"--log", L"C:\\r.log"}, Mode::Restore, L"C:\\s", L"C:\\r.log", ""},
        {{L"--restore", L"C:\\s", L"C:\\LonWorks"},
         Mode::Install,
         L"",
         {},
         "--restore takes the LonWorks folder from the kept state; only --log and --wait go with it"},
        {{L"--forget", L"C:\\s", L"--log", L"C:\\r.log"}, Mode::Install, L"", {}, "--forget stands alone"},
        {{L"--help", L"C:\\LonWorks"}, Mode::Install, L"", {}, "--help stands alone"},
        {{L"--version", L"--check"}, Mode::Install, L"", {}, "--version stands alone"},
    };
    for (const auto& c : cases) {
        std::string trace;
        for (const auto& a : c.arguments) trace += std::string(a.begin(), a.end()) + " ";
        SCOPED_TRACE(trace);
        const ParsedArguments parsed = ParseArguments(c.arguments);
        EXPECT_EQ(parsed.error, c.error);
        ASSERT_EQ(parsed.request.has_value(), c.error.empty());
        if (!parsed.request) continue;
        EXPECT_EQ(parsed.request->mode, c.mode);
        EXPECT_TRUE(parsed.request->folder == c.folder);
        EXPECT_TRUE(parsed.request->logFile == c.log);
        EXPECT_EQ(parsed.request->waitSeconds, c.wait);
    }
}

// One run of the program on a machine where C:\LonWorks exists and nothing below it.
struct Console {
    FakeInstallPlatform install;
    FakeConsolePlatform console;
    int exitCode = -1;

    Console() { install.folders = {"C:", kLonWorks}; }
    Console& Go(const std::vector<std::wstring>& arguments) {
        AsciiCodePage codePage;
        exitCode = RunConsole(arguments, kPayload, install, console, codePage);
        return *this;
    }
};

// Each outcome with its exit code, its two streams and what the installation did.
TEST(RunConsole, EveryOutcomeHasItsExitCodeAndItsText) {
    const std::string output = "\r\nC:\\LonWorks\\Types>\"mkcat.exe\" \"-a...\"\r\n";
    struct Case {
        const char* name;
        std::vector<std::wstring> arguments;
        std::function<void(Console&)> prepare;
        int exitCode;
        std::string out, err;  // err: exact; out: exact
        bool started;          // the command file was run
    } cases[] = {
        {"installed, catalog command ended with 0",
         {L"C:\\LonWorks"},
         [&](Console& r) { r.console.commandOutput = {output}; },
         0,
         output + "Information: The operation is successfully complete.\r\n",
         "",
         true},
        {"mkcat.exe not found",
         {L"C:\\LonWorks"},
         [&](Console& r) {
             r.console.commandOutput = {output, "'mkcat.exe' is not recognized\r\n"};
             r.console.commandResult.exitCode = 9009;
         },
         6,
         output + "'mkcat.exe' is not recognized\r\n",
         "mkcat.exe was not found: the catalog command ended with 9009. The files are installed; the folder is "
         "not in the LonWorks resource catalog.\r\n",
         true},
        // The command interpreter could not run the command file although mkcat.exe is there:
        // the catalog tool is not blamed.
        {"command file not run, catalog tool present",
         {L"C:\\LonWorks"},
         [](Console& r) {
             r.console.commandResult.exitCode = 9009;
             r.console.programs["mkcat.exe"] = "C:\\LonWorks\\Bin\\mkcat.exe";
         },
         5,
         "",
         "Cannot run C:\\LonWorks\\Types\\loninst.cmd: the command interpreter ended with 9009 although the "
         "catalog tool is at C:\\LonWorks\\Bin\\mkcat.exe. The files are installed; the folder is not in the "
         "LonWorks resource catalog.\r\n",
         true},
        {"catalog command ended with 3",
         {L"C:\\LonWorks"},
         [](Console& r) { r.console.commandResult.exitCode = 3; },
         6,
         "",
         "The catalog command ended with exit code 3. The files are installed; the catalog tool did not confirm "
         "the folder.\r\n",
         true},
        {"command file cannot be started",
         {L"C:\\LonWorks"},
         [](Console& r) { r.console.commandResult.started = false; },
         5,
         "",
         "Cannot start C:\\LonWorks\\Types\\loninst.cmd.\r\n",
         true},
        // With a standard user's rights (everyone may change the Types folder): which step failed.
        {"a standard user's start refused its desktop",
         {L"C:\\LonWorks"},
         [](Console& r) {
             r.install.security[kTypes] = {ObjectSecurity::State::Read, "S-1-5-18", true, {}};
             r.console.commandResult.started = false;
             r.console.commandResult.failure = {StartFailure::Step::Desktop, 5};
         },
         5,
         "",
         "Cannot start C:\\LonWorks\\Types\\loninst.cmd with a standard user's rights: its window station and "
         "desktop could not be made, system error 5.\r\n",
         true},
        {"the command could not initialise",
         {L"C:\\LonWorks"},
         [](Console& r) { r.console.commandResult.exitCode = 0xC0000142; },
         5,
         "",
         "Cannot start C:\\LonWorks\\Types\\loninst.cmd: it could not initialise (0xC0000142), its window station or "
         "desktop refused it. The files are installed; the folder is not in the LonWorks resource catalog.\r\n",
         true},
        {"Types folder cannot be entered",
         {L"C:\\LonWorks"},
         [](Console& r) { r.install.failCall = 1 + 4 * 2 + 6 * 5; },
         5,
         "",
         "Cannot start C:\\LonWorks\\Types\\loninst.cmd.\r\n",
         false},
        {"folder cannot be created",
         {L"D:\\Nowhere\\LonWorks"},
         nullptr,
         3,
         "",
         "Cannot create D:\\Nowhere\\LonWorks\\Import.\r\n",
         false},
        {"file cannot be written",
         {L"C:\\LonWorks"},
         [](Console& r) { r.install.failCall = 1 + 4 * 2 + 5 + 1; },
         4,
         "",
         "Cannot write C:\\LonWorks\\Types\\User\\KR\\R7716.ENU.\r\n",
         false},
        {"path refused", {L"C:\\LonWorks\\Import"}, nullptr, 2, "", kWarning, false},
        {"empty path refused", {L""}, nullptr, 2, "", kWarning, false},
        {"folder the code page cannot spell",
         {L"C:\\\x4E2D\\LonWorks"},
         nullptr,
         1,
         "",
         "r7716-install: the LonWorks folder's name holds characters that the system's ANSI code page cannot "
         "spell; nothing was written\r\n",
         false},
        {"no folder given", {}, nullptr, 1, "", "r7716-install: no LonWorks folder given\r\n\r\n" + UsageText(), false},
        {"an unknown option",
         {L"--force", L"C:\\LonWorks"},
         nullptr,
         1,
         "",
         "r7716-install: unknown option --force\r\n\r\n" + UsageText(),
         false},
        {"log cannot be opened",
         {L"--log", L"C:\\No\\r.log", L"C:\\LonWorks"},
         [](Console& r) { r.console.logOpens = false; },
         1,
         "",
         "r7716-install: cannot open the log file C:\\No\\r.log; nothing was done\r\n",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Console run;
        if (c.prepare) c.prepare(run);
        run.Go(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.console.out, c.out);
        EXPECT_EQ(run.console.err, c.err);
        EXPECT_EQ(run.console.commands, c.started ? Lines{"\"" + kCommandFile + "\""} : Lines{});
        if (c.exitCode == 0 || c.exitCode == 6) {
            EXPECT_EQ(run.install.files[kCommandFile], kCommandBytes);
            EXPECT_EQ(run.install.files[kDevice + "\\R7716.TYP"], Bytes(kTyp, sizeof kTyp));
            EXPECT_EQ(run.install.currentDirectory, kTypes);
        }
        if (c.exitCode == 1 || c.exitCode == 2) {
            EXPECT_TRUE(run.install.calls.empty()) << "nothing touched";
        }
    }
}

TEST(RunConsole, HelpAndVersionGoToStandardOutput) {
    Console help;
    help.Go({L"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.console.out, UsageText());
    // The usage documents every exit code.
    for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 1618})
        EXPECT_NE(help.console.out.find("\r\n  " + std::to_string(code) + "  "), std::string::npos) << code;

    Console version;
    version.Go({L"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.console.out, "r7716-install " R7716_VERSION " (" R7716_APP_TITLE
                                   ")\r\n"
                                   "R7716.XIF 8 bytes\r\nR7716.ENU 6 bytes\r\nR7716.FMT 7 bytes\r\n"
                                   "R7716.FPT 9 bytes\r\nR7716.TYP 5 bytes\r\n");
    EXPECT_TRUE(help.install.calls.empty() && version.install.calls.empty());
}

TEST(RunConsole, LogHoldsEveryStepTheCommandOutputAndTheExitCode) {
    Console run;
    run.install.folders.insert(kLonWorks + "\\Import");
    // Output in pieces that cut lines apart, with both line ends and an unended last line.
    run.console.commandOutput = {"first li", "ne\r\nsecond\nthi", "rd"};
    run.console.commandResult.exitCode = 9009;
    run.Go({L"--log", L"C:\\r7716.log", L"C:\\LonWorks"});
    EXPECT_EQ(run.exitCode, 6);
    EXPECT_TRUE(run.console.logPath == L"C:\\r7716.log");
    const std::string t = "2026-12-08 10:04:05.006 | ";
    const std::string expected =
        t + "r7716-install " R7716_VERSION " | install\r\n" +  //
        t + "check C:\\LonWorks | accepted\r\n" +              //
        t + "lock | taken\r\n" +                               //
        t + "folder C:\\LonWorks\\Import | exists\r\n" +       //
        t + "folder C:\\LonWorks\\Types | created\r\n" +       //
        t + "folder C:\\LonWorks\\Types\\User | created\r\n" + t + "folder " + kDevice + " | created\r\n" + t +
        "write C:\\LonWorks\\Import\\R7716.XIF | 8 bytes\r\n" + t + "write " + kDevice + "\\R7716.ENU | 6 bytes\r\n" +
        t + "write " + kDevice + "\\R7716.FMT | 7 bytes\r\n" + t + "write " + kDevice + "\\R7716.FPT | 9 bytes\r\n" +
        t + "write " + kDevice + "\\R7716.TYP | 5 bytes\r\n" + t + "write " + kCommandFile + " | " +
        std::to_string(kCommandBytes.size()) + " bytes\r\n" + t +
        "catalog command rights | full: nothing the catalog command runs can be changed by users who are not "
        "administrators\r\n" +
        t + "working directory | " + kTypes + "\r\n" + t + "output | first line\r\n" + t + "output | second\r\n" + t +
        "output | third\r\n" + t + "run \"" + kCommandFile + "\" | exit code 9009\r\n" + t +
        "error | mkcat.exe was not found: the catalog command ended with 9009. The files are installed; the "
        "folder is not in the LonWorks resource catalog.\r\n" +
        t + "end | exit code 6\r\n";
    EXPECT_EQ(run.console.log, expected);
    EXPECT_EQ(run.console.out, "first line\r\nsecond\nthird") << "the output passes through unchanged";
}

TEST(RunConsole, LogThatStopsTakingLinesIsSaidOnceAndTheRunGoesOn) {
    Console run;
    run.console.logFailsAfter = 3;
    run.Go({L"--log", L"r.log", L"C:\\LonWorks"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.console.err, "r7716-install: the log cannot be written any more; the run goes on\r\n");
    EXPECT_EQ(run.install.files[kCommandFile], kCommandBytes);
}

// The check reads the six files and changes nothing: no call but reads, no command run.
TEST(RunConsole, CheckReportsEachFileAndChangesNothing) {
    const Lines paths = {kLonWorks + "\\Import\\R7716.XIF", kDevice + "\\R7716.ENU", kDevice + "\\R7716.FMT",
                         kDevice + "\\R7716.FPT",           kDevice + "\\R7716.TYP", kCommandFile};
    const Lines images = {Bytes(kXif, sizeof kXif), Bytes(kEnu, sizeof kEnu), Bytes(kFmt, sizeof kFmt),
                          Bytes(kFpt, sizeof kFpt), Bytes(kTyp, sizeof kTyp), kCommandBytes};
    struct Case {
        const char* name;
        std::function<void(FakeInstallPlatform&)> change;
        Lines words;  // the state word of each line
        int exitCode;
    } cases[] = {
        {"all current",
         nullptr,
         {"current   ", "current   ", "current   ", "current   ", "current   ", "current   "},
         0},
        {"nothing installed",
         [](auto& machine) { machine.files.clear(); },
         {"missing   ", "missing   ", "missing   ", "missing   ", "missing   ", "missing   "},
         7},
        {"one byte of the FPT changed",
         [&](auto& machine) { machine.files[paths[3]][4] = 'x'; },
         {"current   ", "current   ", "current   ", "different ", "current   ", "current   "},
         7},
        {"ENU one byte longer",
         [&](auto& machine) { machine.files[paths[1]] += '\0'; },
         {"current   ", "different ", "current   ", "current   ", "current   ", "current   "},
         7},
        {"command file of another folder",
         [&](auto& machine) { machine.files[paths[5]] = "\"mkcat.exe\" \"-aD:\\LonWorks\\Types\\User\\KR\""; },
         {"current   ", "current   ", "current   ", "current   ", "current   ", "different "},
         7},
        {"a folder where the TYP should be",
         [&](auto& machine) {
             machine.files.erase(paths[4]);
             machine.folders.insert(paths[4]);
         },
         {"current   ", "current   ", "current   ", "current   ", "unreadable", "current   "},
         7},
        {"the FMT a link that leads outside",
         [&](auto& machine) { machine.outside.insert(paths[2]); },
         {"current   ", "current   ", "outside   ", "current   ", "current   ", "current   "},
         7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Console run;
        for (std::size_t i = 0; i < paths.size(); ++i) run.install.files[paths[i]] = images[i];
        if (c.change) c.change(run.install);
        run.Go({L"--check", L"C:\\LonWorks"});
        EXPECT_EQ(run.exitCode, c.exitCode);
        std::string expected;
        for (std::size_t i = 0; i < paths.size(); ++i) expected += c.words[i] + " " + paths[i] + "\r\n";
        EXPECT_EQ(run.console.out, expected);
        EXPECT_EQ(run.console.err, "");
        for (const std::string& call : run.install.calls) EXPECT_EQ(call.rfind("Read ", 0), 0u) << call;
        EXPECT_TRUE(run.console.commands.empty());
    }
}

TEST(OutputLines, CutsPiecesIntoLinesWithoutTheirEnds) {
    struct Case {
        Lines pieces, lines;
    } cases[] = {
        {{"a\r\nb\n"}, {"a", "b"}},
        {{"a", "b", "\r", "\n", "c"}, {"ab", "c"}},
        {{"\n\n"}, {"", ""}},
        {{"x\r"}, {"x"}},        // an unended last line loses a final CR
        {{"a\rb\n"}, {"a\rb"}},  // a lone CR is no line end
        {{""}, {}},
    };
    for (const auto& c : cases) {
        Lines got;
        OutputLines lines([&got](const std::string& line) { got.push_back(line); });
        for (const auto& piece : c.pieces) lines.Add(piece);
        lines.Finish();
        EXPECT_EQ(got, c.lines);
    }
}

}  // namespace
}  // namespace korva
