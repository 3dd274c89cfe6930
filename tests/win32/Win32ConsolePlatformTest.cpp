#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ScratchFolder.h"
#include "support/FileBytes.h"
#include "win32/Scoped.h"
#include "win32/Win32ConsolePlatform.h"
#include "win32/Win32FolderFiles.h"

namespace korva {
namespace {

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

TEST(Win32ConsolePlatform, SpellsInTheAnsiCodePageOnlyWhatItHolds) {
    if (GetACP() != 1252) GTEST_SKIP() << "measured for ANSI 1252";
    const Win32ConsolePlatform console;
    struct Case {
        std::wstring wide;
        std::optional<std::string> ansi;
    } cases[] = {
        {L"C:\\LonWorks", "C:\\LonWorks"},
        {L"C:\\Z\xE4hler \xC9t\xE9\\LonWorks", "C:\\Z\xE4hler \xC9t\xE9\\LonWorks"},
        {L"\x20AC", "\x80"},  // the euro sign is in 1252
        {L"", ""},
        {L"C:\\\x4E2D\\LonWorks", std::nullopt},  // not in 1252 at all
        {L"C:\\\x0100\\LonWorks", std::nullopt},  // would best-fit to A: another folder
        {L"C:\\\x2019\\LonWorks", "C:\\\x92\\LonWorks"},
        {L"C:\\\xD800\\LonWorks", std::nullopt},  // a lone surrogate
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.wide.size()) + " characters");
        EXPECT_EQ(console.ToAnsi(c.wide), c.ansi);
    }
}

class Win32Console : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(scratch_.Path(), ""); }
    std::string Path(const char* name) const { return scratch_.Path() + "\\" + name; }

    testing::ScratchFolder scratch_{"console"};
    Win32ConsolePlatform console_;
};

TEST_F(Win32Console, RunsACommandFileToItsEndWithItsOutputAndExitCode) {
    std::string longOutput;
    for (int i = 1; i <= 3000; ++i) longOutput += "line " + std::to_string(i) + " of an output longer than a pipe\r\n";
    struct Case {
        const char* name;
        std::string commandFile;  // written as run.cmd; empty: none
        bool started;
        std::uint32_t exitCode;
        std::string output;
    } cases[] = {
        {"output of both streams and a chosen exit code", "@echo out\r\n@echo err 1>&2\r\n@exit /b 7\r\n", true, 7,
         "out\r\nerr \r\n"},
        {"more output than a pipe holds",
         "@for /L %%i in (1,1,3000) do @echo line %%i of an output longer than a pipe\r\n", true, 0, longOutput},
        {"input is empty: nothing waits for a key", "@set /p answer=\r\n@echo [%answer%]\r\n@exit /b 0\r\n", true, 0,
         "[]\r\n"},
        {"a program that is not there", "", false, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = Path("run.cmd");
        DeleteFileA(file.c_str());
        if (!c.commandFile.empty()) {
            ASSERT_TRUE(WriteFileBytes(file, c.commandFile));
        }
        std::string output;
        const CommandResult result = console_.RunAndWait("\"" + file + "\"", nullptr,
                                                         [&output](const std::string& piece) { output += piece; });
        EXPECT_EQ(result.started, c.started);
        if (!c.started) continue;
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_EQ(output.size(), c.output.size());
        EXPECT_TRUE(output == c.output) << output.substr(0, 200);
    }
}

TEST_F(Win32Console, FolderFilesReadWholeFilesAndTellWhyNot) {
    std::string everyByte;
    for (int i = 0; i < 300000; ++i) everyByte += static_cast<char>((i * 7 + i / 256) & 0xFF);
    ASSERT_TRUE(WriteFileBytes(Path("large.bin"), everyByte));
    ASSERT_TRUE(WriteFileBytes(Path("empty.bin"), ""));
    ASSERT_TRUE(WriteFileBytes(Path("held.bin"), "held"));
    ASSERT_TRUE(CreateDirectoryA(Path("folder").c_str(), nullptr));
    // Held open without sharing by another program.
    const ScopedHandle held(
        CreateFileA(Path("held.bin").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);

    using State = FileContents::State;
    struct Case {
        const char* name;
        State state;
        std::string bytes;
    } cases[] = {
        {"large.bin", State::Read, everyByte}, {"empty.bin", State::Read, ""},
        {"missing.bin", State::Missing, ""},   {"no such folder\\x.bin", State::Missing, ""},
        {"folder", State::Unreadable, ""},     {"held.bin", State::Unreadable, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FileContents read = Win32FolderFiles(scratch_.Path()).Read(Path(c.name));
        EXPECT_EQ(read.state, c.state);
        EXPECT_EQ(read.bytes.size(), c.bytes.size());
        EXPECT_TRUE(read.bytes == c.bytes);
    }
}

TEST_F(Win32Console, LogIsAppendedToAndMayHaveAnyName) {
    const std::string ansiFolder = scratch_.Path();
    const std::wstring folder(ansiFolder.begin(), ansiFolder.end());  // the scratch folder's name is ASCII
    struct Case {
        std::wstring name;
        bool opens;
    } cases[] = {
        {folder + L"\\r7716.log", true},
        {folder + L"\\\x4E2D\x6587.log", true},  // a name the ANSI code page cannot spell
        {folder + L"\\no such folder\\r7716.log", false},
        {folder, false},  // a folder
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        if (c.opens) {
            const ScopedHandle old(CreateFileW(c.name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
            DWORD written = 0;
            ASSERT_TRUE(old && WriteFile(old.Get(), "old\r\n", 5, &written, nullptr));
        }
        Win32ConsolePlatform console;
        ASSERT_EQ(console.OpenLog(c.name), c.opens);
        EXPECT_EQ(console.AppendLog("first\r\n"), c.opens);
        EXPECT_EQ(console.AppendLog("second\r\n"), c.opens);
        if (!c.opens) continue;
        // Readable while it is open, and appended to the old lines.
        const ScopedHandle read(CreateFileW(c.name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(read);
        char buffer[64] = "";
        DWORD got = 0;
        ASSERT_TRUE(ReadFile(read.Get(), buffer, sizeof buffer, &got, nullptr));
        EXPECT_EQ(std::string(buffer, got), "old\r\nfirst\r\nsecond\r\n");
    }
}

TEST(Win32ConsolePlatform, NowIsTheLocalTime) {
    Win32ConsolePlatform console;
    SYSTEMTIME before;
    GetLocalTime(&before);
    const LocalTime now = console.Now();
    EXPECT_EQ(now.year, before.wYear);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
    EXPECT_GE(now.millisecond, 0);
    EXPECT_LE(now.millisecond, 999);
}

}  // namespace
}  // namespace korva
