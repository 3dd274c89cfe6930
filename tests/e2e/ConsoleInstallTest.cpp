// The console installer r7716-install.exe, run as a process the way a software distribution
// system runs it: a wide command line (CreateProcessW), no window, standard output and error
// into files, and the exit code read at the end. A copy of the stand-in program
// (FaultDecoy.cpp) sits in the Types folder as mkcat.exe and ends with the code a case
// chooses, so every exit code of the program is seen at least once.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "Driver.h"

using namespace e2e;

namespace {

const char kSuccess[] = "Information: The operation is successfully complete.\r\n";
const char* const kSourceNames[5] = {"R7716.xif", "R7716.enu", "R7716.fmt", "R7716.fpt", "R7716.typ"};
const char* const kTargets[5] = {"\\Import\\R7716.XIF", "\\Types\\User\\KR\\R7716.ENU", "\\Types\\User\\KR\\R7716.FMT",
                                 "\\Types\\User\\KR\\R7716.FPT", "\\Types\\User\\KR\\R7716.TYP"};

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

struct Outcome {
    long exitCode = -1;
    std::string out, err;
};

// One run of r7716-install.exe with the arguments (each quoted; none may end in a backslash)
// in `workingDir`, its standard output and error going into files there (named with `tag`),
// on the given desktop (lpDesktop) or the driver's.
class InstallerRun {
public:
    InstallerRun(const std::vector<std::wstring>& arguments, const std::string& workingDir, const std::string& tag = "",
                 const wchar_t* desktop = nullptr)
        : outName_(workingDir + "\\stdout" + tag + ".txt"), errName_(workingDir + "\\stderr" + tag + ".txt") {
        std::wstring commandLine = L"\"" + Wide(ToWindowsPath(R7716_E2E_CONSOLE)) + L"\"";
        for (const std::wstring& a : arguments) commandLine += L" \"" + a + L"\"";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        out_ = CreateFileA(outName_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
        err_ = CreateFileA(errName_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = out_;
        startup.hStdError = err_;
        startup.lpDesktop = const_cast<wchar_t*>(desktop);  // read only
        const std::wstring folder = Wide(workingDir);
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                            &process_))
            process_ = {};
    }
    InstallerRun(const InstallerRun&) = delete;
    InstallerRun& operator=(const InstallerRun&) = delete;

    // Waits for the end (30 s at most; then the run is ended) and reads the outcome. The exit
    // code is the one Windows reports, not cut to 8 bits.
    Outcome Finish() {
        Outcome outcome;
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 30000) == WAIT_OBJECT_0) {
                DWORD code = 0;
                if (GetExitCodeProcess(process_.hProcess, &code)) outcome.exitCode = static_cast<long>(code);
            } else {
                TerminateProcess(process_.hProcess, 99);
                outcome.err = "<r7716-install.exe did not end within 30 s>";
            }
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
            process_ = {};
        }
        CloseHandle(out_);
        CloseHandle(err_);
        out_ = err_ = INVALID_HANDLE_VALUE;
        outcome.out = ReadFileBytes(outName_).value_or("<no stdout>");
        outcome.err += ReadFileBytes(errName_).value_or("<no stderr>");
        return outcome;
    }
    ~InstallerRun() {
        if (out_ != INVALID_HANDLE_VALUE) Finish();
    }

private:
    std::string outName_, errName_;
    HANDLE out_ = INVALID_HANDLE_VALUE, err_ = INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION process_{};
};

class ConsoleInstall : public ::testing::Test {
public:
    void SetUp() override {
        links_.clear();
        CloseStation();
        scratch_ = MakeScratchDir("console");
        ASSERT_TRUE(IsDirectory(scratch_));
        lonworks_ = scratch_ + "\\LonWorks";
        types_ = lonworks_ + "\\Types";
        device_ = types_ + "\\User\\KR";
    }
    void TearDown() override { CloseStation(); }
    Outcome Run(const std::vector<std::wstring>& arguments) {
        return InstallerRun(arguments, scratch_, "", desktop_ ? L"R7716-E2E-Service\\Default" : nullptr).Finish();
    }
    // Later runs start on a window station not the interactive one, as the package's custom action.
    void OnServiceStation() {
        station_ = CreateWindowStationA("R7716-E2E-Service", 0, WINSTA_ALL_ACCESS, nullptr);
        const HWINSTA own = GetProcessWindowStation();
        ASSERT_TRUE(station_ && SetProcessWindowStation(station_));
        desktop_ = CreateDesktopA("Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        ASSERT_TRUE(SetProcessWindowStation(own) && desktop_);
    }
    void CloseStation() {
        if (desktop_) CloseDesktop(std::exchange(desktop_, nullptr));
        if (station_) CloseWindowStation(std::exchange(station_, nullptr));
    }
    // The LonWorks folder with its Types folder and the stand-in catalog tool, which ends
    // with `exitCode`.
    void Prepare(const std::string& lonworks, int exitCode) {
        ASSERT_TRUE(MakeDirs(lonworks + "\\Types")) << lonworks;
        ASSERT_TRUE(PlaceDecoy(lonworks + "\\Types\\mkcat.exe")) << "cannot copy " << DecoyExe();
        ASSERT_TRUE(WriteFileBytes(lonworks + "\\Types\\mkcat.exe.exit", std::to_string(exitCode)));
    }
    // The five installed files, each byte for byte its source, and the command file's bytes
    // for the folder as it was given.
    static void ExpectInstalled(const std::string& lonworks, const std::string& given) {
        for (int i = 0; i < 5; ++i) {
            const auto want = ReadFileBytes(ResourceDir() + "\\" + kSourceNames[i]);
            const auto got = ReadFileBytes(lonworks + kTargets[i]);
            ASSERT_TRUE(want && got) << lonworks + kTargets[i];
            EXPECT_EQ(got->size(), want->size()) << kTargets[i];
            EXPECT_TRUE(*got == *want) << kTargets[i] << " differs from its source";
        }
        EXPECT_EQ(ReadFileBytes(lonworks + "\\Types\\loninst.cmd"),
                  "\"mkcat.exe\" \"-a" + given + "\\Types\\User\\KR\"");
        for (const std::string& folder : {lonworks + "\\Import", lonworks + "\\Types", lonworks + "\\Types\\User\\KR"})
            EXPECT_TRUE(FindNames(folder, "*.tmp").empty()) << "temporary file left in " << folder;
    }

    // Makes `link` lead to a file (or folder) of its own outside the LonWorks folder.
    void LinkOutside(const std::string& link, bool folder = false) {
        const std::string target = scratch_ + "\\outside" + std::to_string(links_.size());
        EXPECT_TRUE(folder ? MakeDirs(target) : WriteFileBytes(target, "outside")) << target;
        EXPECT_TRUE(MakeLink(link, target)) << link;
        links_.push_back({link, target});
    }
    // Each target as it was made, and its link still there.
    void ExpectOutsideUntouched() {
        for (const auto& [link, target] : links_) {
            EXPECT_TRUE(Exists(link)) << link;
            if (IsDirectory(target)) EXPECT_TRUE(FindNames(target, "R7716*").empty()) << target << " was written";
            else EXPECT_EQ(ReadFileBytes(target), "outside") << target;
        }
    }

    std::string scratch_, lonworks_, types_, device_;
    std::vector<std::pair<std::string, std::string>> links_;
    HWINSTA station_ = nullptr;
    HDESK desktop_ = nullptr;
};

// Every exit code of the program, each from a run that ends that way for a reason of its own.
TEST_F(ConsoleInstall, EveryExitCodeFromARealRun) {
    const std::string standIn = "mkcat stand-in: to standard output\r\nmkcat stand-in: to standard error\r\n";
    struct Case {
        const char* name;
        std::function<std::vector<std::wstring>(ConsoleInstall&)> prepare;  // returns the arguments
        long exitCode;
        std::string err;                       // exactly; <L> stands for the LonWorks folder, <D> for its device folder
        std::string outContains;               // a part of standard output
        bool installed;                        // the five files and the command file are there
        bool lockHeld = false;                 // another installation holds the machine-wide lock meanwhile
        bool lockDenied = false;               // ... or its name is taken by an object that nobody may use
        const char* rights = "administrator";  // the catalog tool's own word, when it ran
        std::function<void(ConsoleInstall&)> check = nullptr;  // what else the run must leave
    } cases[] = {
        {"installed, the catalog tool ended with 0",
         [](ConsoleInstall& t) {
             t.Prepare(t.lonworks_, 0);
             return std::vector<std::wstring>{Wide(t.lonworks_)};
         },
         0, "", standIn + kSuccess, true},
        {"the catalog tool ended with 3",
         [](ConsoleInstall& t) {
             t.Prepare(t.lonworks_, 3);
             return std::vector<std::wstring>{Wide(t.lonworks_)};
         },
         6,
         "The catalog command ended with exit code 3. The files are installed; the catalog tool did not confirm the "
         "folder.\r\n",
         standIn, true},
        // No mkcat.exe in the Types folder nor on the path: the command interpreter ends with
        // 9009. Its own words differ: Windows says "'mkcat.exe' is not recognized as an
        // internal or external command, operable program or batch file.", Wine's cmd says
        // "Can't recognize '...' as an internal or external command, or batch script."
        {"mkcat.exe is not there",
         [](ConsoleInstall& t) {
             MakeDirs(t.lonworks_);
             return std::vector<std::wstring>{Wide(t.lonworks_)};
         },
         6,
         "mkcat.exe was not found: the catalog command ended with 9009. The files are installed; the folder is not "
         "in the LonWorks resource catalog.\r\n",
         "mkcat.exe", true},
        // A catalog tool that leaves a process behind holding its output open for 15 s: the
        // program ends a few seconds after the command interpreter, not when the output closes.
        {"the catalog tool leaves its output held open",
         [](ConsoleInstall& t) {
             t.Prepare(t.lonworks_, 0);
             WriteFileBytes(t.types_ + "\\mkcat.exe.linger", "15000");
             return std::vector<std::wstring>{Wide(t.lonworks_)};
         },
         0, "", standIn + kSuccess, true},
        {"no folder given", [](ConsoleInstall&) { return std::vector<std::wstring>{}; }, 1, "", "", false},
        // Another installation runs: an installation or removal waits --wait seconds for it and
        // then writes nothing; the check takes no lock.
        {"another installation runs through --wait 1",
         [](ConsoleInstall& t) {
             t.Prepare(t.lonworks_, 0);
             return std::vector<std::wstring>{L"--wait", L"1", Wide(t.lonworks_)};
         },
         1618, "Cannot install: another installation is running.\r\n", "", false, true},
        {"another installation runs, --remove --wait 0",
         [](ConsoleInstall& t) {
             t.Prepare(t.lonworks_, 0);
             return std::vector<std::wstring>{L"--remove", L"--wait", L"0", Wide(t.lonworks_)};
         },
         1618, "Cannot remove: another installation is running.\r\n", "", false, true},
        {"another installation runs, --check",
         [](ConsoleInstall& t) {
             t.Prepare(t.lonworks_, 0);
             return std::vector<std::wstring>{L"--check", Wide(t.lonworks_)};
         },
         7, "", "missing    ", false, true},
        {"the path does not end in LonWorks",
         [](ConsoleInstall& t) {
             MakeDirs(t.lonworks_);
             return std::vector<std::wstring>{Wide(t.lonworks_ + "\\Import")};
         },
         2, "Warning:\r\nThe path to the LonWorks folder is not correct.\r\nThe operation was not complete.\r\n", "",
         false},
        // The files could be written through \\?\, but the command interpreter cannot run the
        // command file from there: refused before anything is written.
        {"a folder given as \\\\?\\...",
         [](ConsoleInstall& t) {
             t.Prepare(t.lonworks_, 0);
             return std::vector<std::wstring>{L"\\\\?\\" + Wide(t.lonworks_)};
         },
         2,
         "r7716-install: the command interpreter cannot run the catalog command from a folder given as \\\\?\\... or "
         "\\\\.\\...; give it as C:\\...; nothing was written\r\n",
         "", false},
        {"the LonWorks folder is missing",
         [](ConsoleInstall& t) { return std::vector<std::wstring>{Wide(t.lonworks_)}; }, 3,
         "Cannot create <L>\\Import.\r\n", "", false},
        {"a folder where R7716.XIF should be",
         [](ConsoleInstall& t) {
             t.Prepare(t.lonworks_, 0);
             MakeDirs(t.lonworks_ + "\\Import\\R7716.XIF");
             return std::vector<std::wstring>{Wide(t.lonworks_)};
         },
         4, "Cannot write <L>\\Import\\R7716.XIF.\r\n", "", false},
        // A relative folder: the files go below the working directory, but after the change
        // into the Types folder the relative name of the command file names nothing.
        {"a relative folder",
         [](ConsoleInstall& t) {
             t.Prepare(t.lonworks_, 0);
             return std::vector<std::wstring>{L"LonWorks"};
         },
         5, "Cannot start LonWorks\\Types\\loninst.cmd.\r\n", "", true},
        // Elevated runs: what a standard user who may write the LonWorks folder could try.
        // As the package runs it, on a service's window station: the command gets its own.
        {"the Types folder writable by everyone, a mkcat.exe planted there",
         [](ConsoleInstall& t) {
             t.Prepare(t.lonworks_, 0);
             EXPECT_TRUE(LetEveryoneChange(t.types_));
             t.OnServiceStation();
             return std::vector<std::wstring>{L"--log", Wide(t.scratch_ + "\\r.log"), Wide(t.lonworks_)};
         },
         0, "", standIn + kSuccess, true, false, false, "standard user",
         [](ConsoleInstall& t) {
             EXPECT_NE(ReadFileBytes(t.scratch_ + "\\r.log")
                           ->find("| catalog command rights | a standard user's: " + t.types_ +
                                  " can be changed by users who are not "
                                  "administrators\r\n"),
                       std::string::npos);
             ExpectStandardUserReport(t.types_ + "\\mkcat.exe.token", true);
         }},
        {"the lock's name taken by an object that nobody may use",
         [](ConsoleInstall& t) {
             t.Prepare(t.lonworks_, 0);
             return std::vector<std::wstring>{Wide(t.lonworks_)};
         },
         8,
         "Cannot install: the installation lock cannot be used; its name is taken by an object that this program "
         "may not open.\r\n",
         "", false, false, true},
        {"a temporary file's name a link to a file outside",
         [](ConsoleInstall& t) {
             t.Prepare(t.lonworks_, 0);
             MakeDirs(t.lonworks_ + "\\Import");
             t.LinkOutside(t.lonworks_ + kTargets[0] + std::string(".tmp"));
             return std::vector<std::wstring>{Wide(t.lonworks_)};
         },
         4,
         "Cannot write <L>\\Import\\R7716.XIF: <L>\\Import\\R7716.XIF.tmp leads outside <L> and was left as it is.\r\n",
         "", false, false, false, "", [](ConsoleInstall& t) { t.ExpectOutsideUntouched(); }},
        {"the device folder a link to a folder outside",
         [](ConsoleInstall& t) {
             t.Prepare(t.lonworks_, 0);
             MakeDirs(t.types_ + "\\User");
             t.LinkOutside(t.device_, true);
             return std::vector<std::wstring>{Wide(t.lonworks_)};
         },
         3, "Cannot create <D>: it leads outside <L>.\r\n", "", false, false, false, "",
         [](ConsoleInstall& t) { t.ExpectOutsideUntouched(); }},
        {"the LonWorks folder itself a link to another folder",
         [](ConsoleInstall& t) {
             t.Prepare(t.scratch_ + "\\elsewhere\\LonWorks", 0);
             EXPECT_TRUE(MakeLink(t.lonworks_, t.scratch_ + "\\elsewhere\\LonWorks"));
             return std::vector<std::wstring>{Wide(t.lonworks_)};
         },
         0, "", standIn + kSuccess, true},
        {"--keep: R7716.ENU a link to a file outside",
         [](ConsoleInstall& t) {
             t.Prepare(t.lonworks_, 0);
             MakeDirs(t.device_);
             t.LinkOutside(t.device_ + "\\R7716.ENU");
             return std::vector<std::wstring>{L"--keep", Wide(t.scratch_ + "\\state"), Wide(t.lonworks_)};
         },
         4, "Cannot read <D>\\R7716.ENU to keep it: it leads outside <L>.\r\n", "", false, false, false, "",
         [](ConsoleInstall& t) {
             t.ExpectOutsideUntouched();
             EXPECT_FALSE(Exists(t.scratch_ + "\\state")) << "bytes read from outside were kept";
         }},
        {"--restore: a temporary file's name made a link after the failed run",
         [](ConsoleInstall& t) {
             t.Prepare(t.lonworks_, 3);
             MakeDirs(t.device_);
             WriteFileBytes(t.device_ + "\\R7716.ENU", "older ENU");
             EXPECT_EQ(t.Run({L"--keep", Wide(t.scratch_ + "\\state"), Wide(t.lonworks_)}).exitCode, 6);
             DeleteFileA((t.types_ + "\\mkcat.exe.ran").c_str());
             t.LinkOutside(t.device_ + "\\R7716.ENU.tmp");
             return std::vector<std::wstring>{L"--restore", Wide(t.scratch_ + "\\state")};
         },
         4, "Cannot restore <D>\\R7716.ENU: <D>\\R7716.ENU.tmp leads outside <L> and was left as it is.\r\n", "", false,
         false, false, "",
         [](ConsoleInstall& t) {
             t.ExpectOutsideUntouched();
             EXPECT_TRUE(Exists(t.scratch_ + "\\state")) << "the state went although not all was put back";
             EXPECT_FALSE(Exists(t.lonworks_ + kTargets[0])) << "the rest was not put back";
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        const std::vector<std::wstring> arguments = c.prepare(*this);
        std::optional<HeldInstallLock> lock;
        if (c.lockHeld || c.lockDenied) lock.emplace(c.lockDenied);
        ASSERT_EQ(lock && lock->Held(), c.lockHeld || c.lockDenied);
        const DWORD began = GetTickCount();
        const Outcome outcome = Run(arguments);
        lock.reset();
        EXPECT_LT(GetTickCount() - began, 10000u) << "no run waits for output held open";
        EXPECT_EQ(outcome.exitCode, c.exitCode);
        std::string err = c.err;
        for (std::size_t at; (at = err.find("<D>")) != std::string::npos;) err.replace(at, 3, device_);
        for (std::size_t at; (at = err.find("<L>")) != std::string::npos;) err.replace(at, 3, lonworks_);
        if (c.exitCode == 1) {
            EXPECT_EQ(outcome.err.rfind("r7716-install: no LonWorks folder given\r\n\r\nUsage:", 0), 0u) << outcome.err;
        } else {
            EXPECT_EQ(outcome.err, err);
        }
        EXPECT_NE(outcome.out.find(c.outContains), std::string::npos) << outcome.out;
        if (c.installed) {
            ExpectInstalled(lonworks_, std::string(arguments.back().begin(), arguments.back().end()));
        } else if (!c.check) {
            EXPECT_FALSE(Exists(device_ + "\\R7716.ENU")) << "written after the failure";
        }
        if (c.check) c.check(*this);
        const bool ran = Exists(types_ + "\\mkcat.exe.ran");
        EXPECT_EQ(ran, c.exitCode == 0 || (c.exitCode == 6 && c.outContains == standIn)) << "the catalog tool ran";
        if (ran) {
            EXPECT_NE(ReadFileBytes(types_ + "\\mkcat.exe.ran")->find("\"-a" + device_ + "\""), std::string::npos);
            EXPECT_EQ(ReadFileBytes(types_ + "\\mkcat.exe.rights"), c.rights);
        }
    }
}

// Arguments as a distribution system passes them: wide. A folder the ANSI code page spells is
// installed into as it is; one it cannot spell is refused before anything is written, never
// turned into another folder.
TEST_F(ConsoleInstall, WideFolderNamesAreSpelledOrRefused) {
    if (GetACP() != 1252) GTEST_SKIP() << "measured for ANSI 1252";
    const std::string latin = scratch_ + "\\Z\xE4hler \xC9t\xE9\\LonWorks";
    ASSERT_NO_FATAL_FAILURE(Prepare(latin, 0));
    const std::wstring latinWide = Wide(scratch_) + L"\\Z\xE4hler \xC9t\xE9\\LonWorks";
    Outcome outcome = Run({latinWide});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ReadFileBytes(latin + kTargets[i]), ReadFileBytes(ResourceDir() + "\\" + kSourceNames[i]))
            << kTargets[i];
    }
    // The command file holds the folder in the OEM code page; the catalog tool got it as typed.
    std::string oemDevice = latin + "\\Types\\User\\KR";
    CharToOemBuffA(oemDevice.c_str(), oemDevice.data(), static_cast<DWORD>(oemDevice.size()));
    EXPECT_EQ(ReadFileBytes(latin + "\\Types\\loninst.cmd"), "\"mkcat.exe\" \"-a" + oemDevice + "\"");
    EXPECT_NE(ReadFileBytes(latin + "\\Types\\mkcat.exe.ran").value_or("").find(latin + "\\Types\\User\\KR"),
              std::string::npos);

    struct Case {
        const char* name;
        std::wstring folder;
    } refused[] = {
        {"Chinese letters", L"\\\x4E2D\x6587\\LonWorks"},
        {"a letter that best-fits to A", L"\\\x0100\\LonWorks"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.name);
        outcome = Run({Wide(scratch_) + c.folder});
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_EQ(outcome.err,
                  "r7716-install: the LonWorks folder's name holds characters that the system's ANSI code page "
                  "cannot spell; nothing was written\r\n");
        EXPECT_EQ(outcome.out, "");
        // Nothing below the scratch folder but the two output files and the first case's folder.
        std::vector<std::string> names = FindNames(scratch_, "*");
        std::erase_if(names, [](const std::string& n) { return n == "." || n == ".."; });
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"Z\xE4hler \xC9t\xE9", "stderr.txt", "stdout.txt"}));
    }
}

// The detection rule: before an installation every file is missing, after it every file is
// current, after one byte of one file changes that file is different. The check writes nothing.
TEST_F(ConsoleInstall, CheckBeforeAndAfterAnInstallationAndAfterAChange) {
    ASSERT_NO_FATAL_FAILURE(Prepare(lonworks_, 0));
    const std::string files[6] = {lonworks_ + kTargets[0], lonworks_ + kTargets[1], lonworks_ + kTargets[2],
                                  lonworks_ + kTargets[3], lonworks_ + kTargets[4], types_ + "\\loninst.cmd"};
    auto report = [&files](const char* words[6]) {
        std::string text;
        for (int i = 0; i < 6; ++i) text += std::string(words[i]) + " " + files[i] + "\r\n";
        return text;
    };
    const char* missing[6] = {"missing   ", "missing   ", "missing   ", "missing   ", "missing   ", "missing   "};
    const char* current[6] = {"current   ", "current   ", "current   ", "current   ", "current   ", "current   "};
    const char* fmtChanged[6] = {"current   ", "current   ", "different ", "current   ", "current   ", "current   "};

    Outcome outcome = Run({L"--check", Wide(lonworks_)});
    EXPECT_EQ(outcome.exitCode, 7);
    EXPECT_EQ(outcome.out, report(missing));
    EXPECT_FALSE(Exists(lonworks_ + "\\Import")) << "the check wrote something";

    ASSERT_EQ(Run({Wide(lonworks_)}).exitCode, 0);
    outcome = Run({L"--check", Wide(lonworks_)});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out, report(current));
    EXPECT_EQ(outcome.err, "");

    std::string fmt = ReadFileBytes(files[2]).value_or("");
    ASSERT_FALSE(fmt.empty());
    fmt[fmt.size() / 2] ^= 1;
    ASSERT_TRUE(WriteFileBytes(files[2], fmt));
    outcome = Run({L"--check", Wide(lonworks_)});
    EXPECT_EQ(outcome.exitCode, 7);
    EXPECT_EQ(outcome.out, report(fmtChanged));
    EXPECT_EQ(ReadFileBytes(files[2]), fmt) << "the check changed the file";
}

// The log: one line per step with its time, the catalog tool's output and exit code,
// appended run after run.
TEST_F(ConsoleInstall, LogHoldsTheStepsTheOutputAndTheExitCode) {
    ASSERT_NO_FATAL_FAILURE(Prepare(lonworks_, 0));
    const std::string log = scratch_ + "\\install.log";
    ASSERT_EQ(Run({L"--log", Wide(log), Wide(lonworks_)}).exitCode, 0);
    ASSERT_TRUE(WriteFileBytes(types_ + "\\mkcat.exe.exit", "4"));
    ASSERT_EQ(Run({L"--log", Wide(log), Wide(lonworks_)}).exitCode, 6);

    // Each line: "YYYY-MM-DD hh:mm:ss.mmm | step | result"; the command interpreter's own
    // lines (it echoes the command) are left out here.
    const std::string text = ReadFileBytes(log).value_or("");
    std::vector<std::string> steps;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        ASSERT_GT(line.size(), 26u) << line;
        EXPECT_EQ(line.substr(4, 1) + line.substr(7, 1) + line.substr(19, 1) + line.substr(23, 3), "--. | ") << line;
        if (line.find("| output | ") == std::string::npos || line.find("stand-in") != std::string::npos)
            steps.push_back(line.substr(26));
    }
    const std::string run = "run \"" + types_ + "\\loninst.cmd\" | exit code ";
    const std::vector<std::string> wanted = {
        "r7716-install 1.2 | install",
        "check " + lonworks_ + " | accepted",
        "lock | taken",
        "folder " + lonworks_ + "\\Import | created",
        "folder " + types_ + " | exists",
        "folder " + types_ + "\\User | created",
        "folder " + device_ + " | created",
        "write " + lonworks_ + "\\Import\\R7716.XIF | 29449 bytes",
        "write " + device_ + "\\R7716.ENU | 13528 bytes",
        "write " + device_ + "\\R7716.FMT | 1368 bytes",
        "write " + device_ + "\\R7716.FPT | 200000 bytes",
        "write " + device_ + "\\R7716.TYP | 7261 bytes",
        "write " + types_ + "\\loninst.cmd | " + std::to_string(16 + device_.size()) + " bytes",
        "catalog command rights | full: nothing the catalog command runs can be changed by users who are not "
        "administrators",
        "working directory | " + types_,
        "output | mkcat stand-in: to standard output",
        "output | mkcat stand-in: to standard error",
        run + "0",
        "end | exit code 0",
    };
    ASSERT_EQ(steps.size(), 2 * wanted.size() + 1);
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        EXPECT_EQ(steps[i], wanted[i]) << "line " << i;
        std::string again = wanted[i];  // the second run finds the folders made by the first
        if (again.size() > 9 && again.compare(again.size() - 9, 9, "| created") == 0)
            again.replace(again.size() - 7, 7, "exists");
        if (i < wanted.size() - 2) {
            EXPECT_EQ(steps[wanted.size() + i], again) << "second run, line " << i;
        }
    }
    EXPECT_EQ(steps[steps.size() - 3], run + "4");
    EXPECT_EQ(steps.back(), "end | exit code 6");
}

// --remove after an installation: each file that is exactly this version's goes, a file that
// differs stays, a file that cannot be removed is named with exit code 4, and the device
// folder goes only when it is empty. The LonWorks folders stay; the catalog tool is not run.
TEST_F(ConsoleInstall, RemoveTakesOnlyThisVersionsFiles) {
    struct Case {
        const char* name;
        std::function<void(ConsoleInstall&)> change;  // after the installation
        bool installFirst;
        const char* words[6];  // the state word of each file's line
        long exitCode;
        std::string err;    // <D> stands for the device folder, <L> for the LonWorks folder
        int leftover = -1;  // the file beside which a run ended midway left the start of its bytes in .tmp
        const char* leftoverWord = "removed";
    } cases[] = {
        {"unchanged", nullptr, true, {"removed", "removed", "removed", "removed", "removed", "removed"}, 0, ""},
        {"never installed", nullptr, false, {"missing", "missing", "missing", "missing", "missing", "missing"}, 0, ""},
        {"one byte of the FMT changed",
         [](ConsoleInstall& t) {
             std::string fmt = ReadFileBytes(t.device_ + "\\R7716.FMT").value_or("");
             fmt[fmt.size() / 2] ^= 1;
             WriteFileBytes(t.device_ + "\\R7716.FMT", fmt);
         },
         true,
         {"removed", "removed", "different", "removed", "removed", "removed"},
         0,
         ""},
        {"the ENU held open by another program",
         nullptr,
         true,
         {"removed", "failed", "removed", "removed", "removed", "removed"},
         4,
         "Cannot remove <D>\\R7716.ENU.\r\n"},
        {"a .tmp left by a run ended midway",
         [](ConsoleInstall& t) {
             WriteFileBytes(t.device_ + "\\R7716.FPT.tmp", ReadFileBytes(t.device_ + "\\R7716.FPT")->substr(0, 4096));
         },
         true,
         {"removed", "removed", "removed", "removed", "removed", "removed"},
         0,
         "",
         3},
        {"an empty .tmp, which no run of this program leaves",
         [](ConsoleInstall& t) { WriteFileBytes(t.device_ + "\\R7716.FMT.tmp", ""); },
         true,
         {"removed", "removed", "removed", "removed", "removed", "removed"},
         0,
         "",
         2,
         "different"},
        {"the device folder a link to a folder outside",
         [](ConsoleInstall& t) {
             EXPECT_TRUE(MoveFileA(t.device_.c_str(), (t.scratch_ + "\\outside").c_str()));
             EXPECT_TRUE(MakeLink(t.device_, t.scratch_ + "\\outside"));
         },
         true,
         {"removed", "outside", "outside", "outside", "outside", "removed"},
         4,
         "Cannot remove <D>\\R7716.ENU: it leads outside <L>.\r\nCannot remove <D>\\R7716.FMT: it leads outside "
         "<L>.\r\nCannot remove <D>\\R7716.FPT: it leads outside <L>.\r\nCannot remove <D>\\R7716.TYP: it leads "
         "outside <L>.\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        ASSERT_NO_FATAL_FAILURE(Prepare(lonworks_, 0));
        if (c.installFirst) ASSERT_EQ(Run({Wide(lonworks_)}).exitCode, 0);
        if (c.change) c.change(*this);
        const std::string files[6] = {lonworks_ + kTargets[0], lonworks_ + kTargets[1], lonworks_ + kTargets[2],
                                      lonworks_ + kTargets[3], lonworks_ + kTargets[4], types_ + "\\loninst.cmd"};
        std::map<std::string, std::optional<std::string>> before;
        for (const auto& f : files) before[f] = ReadFileBytes(f);
        DeleteFileA((types_ + "\\mkcat.exe.ran").c_str());
        // Open for reading, sharing reads only: the file can be read, not removed.
        HANDLE held = c.words[1] == std::string("failed") ? CreateFileA(files[1].c_str(), GENERIC_READ, FILE_SHARE_READ,
                                                                        nullptr, OPEN_EXISTING, 0, nullptr)
                                                          : INVALID_HANDLE_VALUE;
        const Outcome outcome = Run({L"--remove", Wide(lonworks_)});
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);

        EXPECT_EQ(outcome.exitCode, c.exitCode);
        std::string out, err = c.err;
        bool kept = false;
        for (int i = 0; i < 6; ++i) {
            std::string word = c.words[i];
            word.resize(10, ' ');
            out += word + " " + files[i] + "\r\n";
            const bool leftoverKept = i == c.leftover && c.leftoverWord != std::string("removed");
            if (i == c.leftover) out += (c.leftoverWord + std::string(10, ' ')).substr(0, 11) + files[i] + ".tmp\r\n";
            EXPECT_EQ(Exists(files[i] + ".tmp"), leftoverKept) << files[i] << ".tmp";
            kept = kept || leftoverKept;
            const bool gone = word.rfind("removed", 0) == 0 || word.rfind("missing", 0) == 0;
            kept = kept || (!gone && i > 0 && i < 5);
            EXPECT_EQ(Exists(files[i]), !gone) << files[i];
            if (!gone) EXPECT_EQ(ReadFileBytes(files[i]), before[files[i]]) << files[i] << " changed";
        }
        if (c.installFirst && !kept) out += "removed    " + device_ + "\r\n";
        EXPECT_EQ(outcome.out, out);
        for (std::size_t at; (at = err.find("<D>")) != std::string::npos;) err.replace(at, 3, device_);
        for (std::size_t at; (at = err.find("<L>")) != std::string::npos;) err.replace(at, 3, lonworks_);
        EXPECT_EQ(outcome.err, err);
        EXPECT_EQ(IsDirectory(device_), kept) << "the device folder goes only when empty";
        if (c.installFirst)
            for (const std::string& folder : {lonworks_ + "\\Import", types_, types_ + "\\User"})
                EXPECT_TRUE(IsDirectory(folder)) << folder << " belongs to LonWorks";
        EXPECT_FALSE(Exists(types_ + "\\mkcat.exe.ran")) << "the catalog tool ran";
    }
}

// Four installations started at once into one folder all succeed, one after the other: the
// catalog tool never runs twice at the same time.
TEST_F(ConsoleInstall, FourInstallationsAtOnceRunOneAtATime) {
    ASSERT_NO_FATAL_FAILURE(Prepare(lonworks_, 0));
    ASSERT_TRUE(WriteFileBytes(types_ + "\\mkcat.exe.hold", "300"));
    std::vector<std::unique_ptr<InstallerRun>> runs;
    for (int i = 0; i < 4; ++i)
        runs.push_back(
            std::make_unique<InstallerRun>(std::vector<std::wstring>{Wide(lonworks_)}, scratch_, std::to_string(i)));
    for (auto& run : runs) {
        const Outcome outcome = run->Finish();
        EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    }
    ExpectInstalled(lonworks_, lonworks_);
    EXPECT_EQ(ReadFileBytes(types_ + "\\mkcat.exe.runs"), "run\r\nrun\r\nrun\r\nrun\r\n");
    EXPECT_FALSE(Exists(types_ + "\\mkcat.exe.overlap")) << "the catalog tool ran twice at the same time";
}

}  // namespace
