#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "core/common/Exception.h"
#include "core/install/Installer.h"
#include "payload/Payload.h"
#include "support/FileBytes.h"
#include "support/RecordingMessages.h"
#include "win32/Win32CodePage.h"
#include "win32/Win32InstallPlatform.h"

namespace korva {
namespace {

// Copied as mkcat.exe into a Types folder, this program stands in for the catalog tool: it
// writes the command line it was given into mkcat.log in its working directory and ends
// before any test runs.
const bool kRunsAsCatalogTool = [] {
    char self[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string name(self, n);
    if (name.size() < 10 || lstrcmpiA(name.c_str() + name.size() - 10, "\\mkcat.exe") != 0) return false;
    const HANDLE log = CreateFileA("mkcat.log", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (log != INVALID_HANDLE_VALUE) {
        const char* line = GetCommandLineA();
        DWORD written = 0;
        WriteFile(log, line, static_cast<DWORD>(lstrlenA(line)), &written, nullptr);
        CloseHandle(log);
    }
    ExitProcess(0);
}();

using testsupport::ReadFileBytes;
using testsupport::RecordingMessages;
using testsupport::WriteFileBytes;

std::string CommandFile(const std::string& device) { return "\"mkcat.exe\" \"-a" + device + "\""; }

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The names in a folder that match a pattern such as "*.tmp".
std::vector<std::string> Matching(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    const HANDLE find = FindFirstFileA((folder + "\\" + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(data.cFileName);
    while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

// A payload made here: a large image with every byte value, text with CR LF, and small ones.
struct SyntheticPayload {
    std::vector<unsigned char> xif, enu, fpt, fmt, typ;
    Payload payload{};

    SyntheticPayload() {
        for (int i = 0; i < 3000; ++i) {
            const std::string line = "VAR nvo" + std::to_string(i) + " 0 0 0 0\r\n";
            xif.insert(xif.end(), line.begin(), line.end());
        }
        enu = {'U', 'R', 'E', 'S', '\r', '\n', 0x1A, 0x00, 0xFF};
        fpt.resize(200000);
        for (std::size_t i = 0; i < fpt.size(); ++i) fpt[i] = static_cast<unsigned char>((i * 7 + i / 256) & 0xFF);
        const std::string format = "!fmt\r\nset selector MANUFACTURER;\r\n";
        fmt.assign(format.begin(), format.end());
        typ = {'U', 'T', 'Y', 'P', 0x00, 0x80};
        payload = {Image(xif), Image(enu), Image(fpt), Image(fmt), Image(typ)};
    }

    static ResourceImage Image(const std::vector<unsigned char>& v) {
        return {v.data(), static_cast<std::uint32_t>(v.size())};
    }
    static std::string Text(const std::vector<unsigned char>& v) { return std::string(v.begin(), v.end()); }
};

// Each test works in its own folder below the prefix's temporary folder and leaves the
// working directory as it found it.
class Win32Installation : public ::testing::Test {
protected:
    void SetUp() override {
        base_ = scratch_.Path();
        ASSERT_NE(base_, "");
        lonWorks_ = base_ + "\\LonWorks";
        types_ = lonWorks_ + "\\Types";
        device_ = types_ + "\\User\\KR";
    }

    void TearDown() override {
        // A started command file runs on its own; give it time to read itself before its
        // folder goes with the scratch folder (there is no handle to wait on).
        if (!messages_.shown.empty() && messages_.shown.back() == kInstallSuccess) Sleep(1500);
    }

    // Runs an installation of `path`; returns the message of the raised Exception, or "".
    std::string Install(const std::string& path, const Payload& payload) {
        Win32InstallPlatform platform;
        Win32CodePage codePage;
        try {
            RunInstallation({path, false, "KR"}, payload, platform, codePage, messages_);
        } catch (const Exception& e) {
            return e.Message();
        }
        return "";
    }

    void MakeFolders() {
        for (const std::string& f : {lonWorks_, lonWorks_ + "\\Import", types_, types_ + "\\User", device_})
            ASSERT_TRUE(CreateDirectoryA(f.c_str(), nullptr)) << f;
    }

    void ExpectInstalled(const SyntheticPayload& p, const std::string& commandFileBytes) {
        EXPECT_EQ(ReadFileBytes(lonWorks_ + "\\Import\\R7716.XIF"), SyntheticPayload::Text(p.xif));
        EXPECT_EQ(ReadFileBytes(device_ + "\\R7716.ENU"), SyntheticPayload::Text(p.enu));
        EXPECT_EQ(ReadFileBytes(device_ + "\\R7716.FMT"), SyntheticPayload::Text(p.fmt));
        EXPECT_EQ(ReadFileBytes(device_ + "\\R7716.FPT"), SyntheticPayload::Text(p.fpt));
        EXPECT_EQ(ReadFileBytes(device_ + "\\R7716.TYP"), SyntheticPayload::Text(p.typ));
        EXPECT_EQ(ReadFileBytes(types_ + "\\loninst.cmd"), commandFileBytes);
        for (const std::string& f : {lonWorks_ + "\\Import", types_, device_})
            EXPECT_TRUE(Matching(f, "*.tmp").empty()) << "temporary file left in " << f;
    }

    testing::ScratchFolder scratch_{"install"};
    std::string base_, lonWorks_, types_, device_;
    RecordingMessages messages_;
};

TEST_F(Win32Installation, FullInstallationWritesEveryFileByteForByte) {
    ASSERT_TRUE(CreateDirectoryA(lonWorks_.c_str(), nullptr));
    SyntheticPayload p;
    // The folder name has blanks: the quoted start must not stop at the first one. A file
    // that is no program, named like the text up to that blank, would be started otherwise.
    ASSERT_TRUE(WriteFileBytes(base_.substr(0, base_.find(' ')) + ".exe", "not a program"));
    EXPECT_EQ(Install(lonWorks_, p.payload), "");
    DeleteFileA((base_.substr(0, base_.find(' ')) + ".exe").c_str());

    ExpectInstalled(p, CommandFile(device_));
    EXPECT_EQ(messages_.shown, std::vector<std::string>{kInstallSuccess});  // the start was reported
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    EXPECT_STREQ(cwd, types_.c_str());
}

TEST_F(Win32Installation, CommandFileRunsTheCatalogToolInTheTypesFolder) {
    // A blank, a lone % and the name of an environment variable between two % in the folder.
    // The command file must keep them as they stand, and the start must not be led by the
    // expanded name to the decoy command file in the Windows_NT folder.
    const std::string folder = base_ + "\\%OS% 100%";
    const std::string expanded = base_ + "\\Windows_NT 100%";
    ASSERT_TRUE(GetEnvironmentVariableA("OS", nullptr, 0) > 0) << "OS is not set";
    for (const std::string& f : {folder, expanded, expanded + "\\LonWorks", expanded + "\\LonWorks\\Types"})
        ASSERT_TRUE(CreateDirectoryA(f.c_str(), nullptr)) << f;
    const std::string decoyMark = base_ + "\\decoy ran";
    ASSERT_TRUE(WriteFileBytes(expanded + "\\LonWorks\\Types\\loninst.cmd", "echo x> \"" + decoyMark + "\"\r\n"));
    lonWorks_ = folder + "\\LonWorks";
    types_ = lonWorks_ + "\\Types";
    device_ = types_ + "\\User\\KR";
    MakeFolders();
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    ASSERT_TRUE(CopyFileA(self, (types_ + "\\mkcat.exe").c_str(), FALSE));

    SyntheticPayload p;
    EXPECT_EQ(Install(lonWorks_, p.payload), "");
    EXPECT_EQ(ReadFileBytes(types_ + "\\loninst.cmd"),
              "\"mkcat.exe\" \"-a" + base_ + "\\%%OS%% 100%%\\LonWorks\\Types\\User\\KR\"");

    // The tool runs in a process of its own: wait for its log, at most 20 seconds.
    const std::string logName = types_ + "\\mkcat.log";
    std::string log;
    for (int i = 0; i < 200 && (log = ReadFileBytes(logName).value_or("")).find("-a") == std::string::npos; ++i)
        Sleep(100);
    Sleep(500);  // let the command interpreter end before the folder is removed
    const std::string tail = "\"-a" + device_ + "\"";
    ASSERT_GE(log.size(), tail.size()) << "the catalog tool did not run: " << log;
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail) << log;
    EXPECT_FALSE(Exists(decoyMark)) << "the command file of the expanded folder ran";
}

TEST_F(Win32Installation, TrailingBackslashIsUsedAsTyped) {
    ASSERT_TRUE(CreateDirectoryA(lonWorks_.c_str(), nullptr));
    SyntheticPayload p;
    EXPECT_EQ(Install(lonWorks_ + "\\", p.payload), "");
    // The doubled backslashes name the same folders.
    ExpectInstalled(p, "\"mkcat.exe\" \"-a" + lonWorks_ + "\\\\Types\\User\\KR\"");
}

TEST_F(Win32Installation, ExistingFilesAreReplacedNotAppendedTo) {
    MakeFolders();
    const std::string old(300000, 'o');
    for (const std::string& f : {lonWorks_ + "\\Import\\R7716.XIF", device_ + "\\R7716.ENU", device_ + "\\R7716.FMT",
                                 device_ + "\\R7716.FPT", device_ + "\\R7716.TYP", types_ + "\\loninst.cmd"})
        ASSERT_TRUE(WriteFileBytes(f, old));
    SyntheticPayload p;
    EXPECT_EQ(Install(lonWorks_, p.payload), "");
    ExpectInstalled(p, CommandFile(device_));
    EXPECT_EQ(messages_.shown, std::vector<std::string>{kInstallSuccess});
}

TEST_F(Win32Installation, MissingLonWorksFolderNamesItsImportFolder) {
    SyntheticPayload p;
    EXPECT_EQ(Install(lonWorks_, p.payload), "Cannot create " + lonWorks_ + "\\Import");
    EXPECT_FALSE(Exists(lonWorks_));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(Win32Installation, PlainFileWhereTypesShouldBeNamesTheTypesFolder) {
    ASSERT_TRUE(CreateDirectoryA(lonWorks_.c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(types_, "a file"));
    SyntheticPayload p;
    EXPECT_EQ(Install(lonWorks_, p.payload), "Cannot create " + types_);
    EXPECT_TRUE(GetFileAttributesA((lonWorks_ + "\\Import").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(Exists(lonWorks_ + "\\Import\\R7716.XIF"));
    EXPECT_EQ(ReadFileBytes(types_), "a file");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(Win32Installation, TargetHeldOpenWithoutSharingKeepsItsOldBytes) {
    MakeFolders();
    const std::string fmt = device_ + "\\R7716.FMT";
    ASSERT_TRUE(WriteFileBytes(fmt, "old format file"));
    const HANDLE held = CreateFileA(fmt.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    SyntheticPayload p;
    const std::string error = Install(lonWorks_, p.payload);
    CloseHandle(held);

    EXPECT_EQ(error, "Cannot write " + fmt);
    EXPECT_EQ(ReadFileBytes(fmt), "old format file");
    EXPECT_TRUE(Matching(device_, "*.tmp").empty());
    // The files before it were written; nothing after it was.
    EXPECT_EQ(ReadFileBytes(device_ + "\\R7716.ENU"), SyntheticPayload::Text(p.enu));
    EXPECT_FALSE(Exists(device_ + "\\R7716.FPT"));
    EXPECT_FALSE(Exists(device_ + "\\R7716.TYP"));
    EXPECT_FALSE(Exists(types_ + "\\loninst.cmd"));
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(Win32Installation, TemporaryFileThatCannotBeCreatedLeavesTheTargetAlone) {
    // A folder standing where the temporary file would go: the create fails and the old
    // file is neither emptied nor replaced.
    MakeFolders();
    const std::string xif = lonWorks_ + "\\Import\\R7716.XIF";
    ASSERT_TRUE(WriteFileBytes(xif, "old interface file"));
    ASSERT_TRUE(CreateDirectoryA((xif + ".tmp").c_str(), nullptr));
    SyntheticPayload p;
    EXPECT_EQ(Install(lonWorks_, p.payload), "Cannot write " + xif);
    EXPECT_EQ(ReadFileBytes(xif), "old interface file");
    EXPECT_FALSE(Exists(device_ + "\\R7716.ENU"));
    EXPECT_TRUE(messages_.shown.empty());
}

// A relative LonWorks folder resolves against the working directory. The start comes after
// the change into the Types folder, against which the relative command file name no longer
// names the file: the run says so instead of reporting success. The files are in place.
TEST_F(Win32Installation, RelativePathInstallsFilesButCannotStartTheCommandFile) {
    ASSERT_TRUE(CreateDirectoryA(lonWorks_.c_str(), nullptr));
    ASSERT_TRUE(SetCurrentDirectoryA(base_.c_str()));
    SyntheticPayload p;
    EXPECT_EQ(Install("LonWorks", p.payload), "Cannot start LonWorks\\Types\\loninst.cmd");
    EXPECT_TRUE(messages_.shown.empty());
    ExpectInstalled(p, CommandFile("LonWorks\\Types\\User\\KR"));
    char cwd[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, cwd);
    EXPECT_STREQ(cwd, types_.c_str());
}

// The device's source files in the repository (a path of the build machine, given by the
// build), reached through Wine's drive Z: (the Unix root); empty when this program does not
// run on the build machine.
std::string ResourceFolder() {
    for (const std::string& folder : {std::string(R7716_RESOURCE_DIR), "Z:" + std::string(R7716_RESOURCE_DIR)})
        if (Exists(folder + "/R7716.xif")) return folder;
    return "";
}

TEST_F(Win32Installation, EmbeddedPayloadIsInstalledAsTheDeviceFiles) {
    const std::string sources = ResourceFolder();
    if (sources.empty()) GTEST_SKIP() << "resources/R7716 not found at " << R7716_RESOURCE_DIR;
    ASSERT_TRUE(CreateDirectoryA(lonWorks_.c_str(), nullptr));
    EXPECT_EQ(Install(lonWorks_, EmbeddedPayload()), "");
    struct File {
        std::string installed, source;
    } files[] = {
        {lonWorks_ + "\\Import\\R7716.XIF", "R7716.xif"}, {device_ + "\\R7716.ENU", "R7716.enu"},
        {device_ + "\\R7716.FMT", "R7716.fmt"},           {device_ + "\\R7716.FPT", "R7716.fpt"},
        {device_ + "\\R7716.TYP", "R7716.typ"},
    };
    std::size_t total = 0;
    for (const auto& f : files) {
        const auto expected = ReadFileBytes(sources + "/" + f.source);
        ASSERT_TRUE(expected) << f.source;
        const auto installed = ReadFileBytes(f.installed);
        ASSERT_TRUE(installed) << f.installed;
        EXPECT_EQ(installed->size(), expected->size()) << f.installed;
        EXPECT_TRUE(*installed == *expected) << f.installed << " differs from " << f.source;
        total += installed->size();
    }
    EXPECT_EQ(total, 251606u);  // the five files of this build together
    EXPECT_EQ(messages_.shown, std::vector<std::string>{kInstallSuccess});
}

}  // namespace
}  // namespace korva
