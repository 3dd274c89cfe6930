#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeInstallPlatform.h"
#include "SmallPayload.h"
#include "core/common/Exception.h"
#include "core/install/Installer.h"
#include "core/install/LonWorksCheck.h"
#include "support/RecordingMessages.h"

namespace korva {
namespace {

using namespace testing;
using testsupport::RecordingMessages;

// A machine on which the LonWorks folder exists and nothing below it.
FakeInstallPlatform MachineWith(const std::string& lonWorks) {
    FakeInstallPlatform p;
    p.folders = {"C:",          "C:\\LonWorks",      "C:\\100%\\LonWorks",
                 "C:\\100%",    "C:\\Program Files", "C:\\Program Files\\LonWorks",
                 "D:\\LonWorks"};
    p.folders.insert(FakeInstallPlatform::Parent(lonWorks + "\\x"));
    return p;
}

InstallRequest Request(std::string path, bool developer = false, std::string deviceName = "KR") {
    return InstallRequest{std::move(path), developer, std::move(deviceName)};
}

// Runs one installation; returns the message of the raised error, or "" when none was raised,
// and the error's kind in `kind`.
std::string Install(const InstallRequest& request, FakeInstallPlatform& platform, RecordingMessages& messages,
                    std::optional<InstallFailure>* kind = nullptr) {
    AsciiCodePage cp;
    try {
        RunInstallation(request, kPayload, platform, cp, messages);
    } catch (const InstallError& e) {
        if (kind) *kind = e.Kind();
        return e.Message();
    }
    return "";
}

// What a complete run leaves: the five images and the command file, nothing else (no
// temporary file), no handle open, the Types folder the working directory, the command file
// started with full rights, the lock let go, and the success message.
void ExpectCompleteRun(const FakeInstallPlatform& platform, const RecordingMessages& messages,
                       const std::string& lonWorks, const std::string& device) {
    const std::string types = lonWorks + "\\Types";
    const std::string command = "\"mkcat.exe\" \"-a" + device + "\"";
    const std::map<std::string, std::string> expected = {
        {lonWorks + "\\Import\\R7716.XIF", Bytes(kXif, sizeof kXif)},
        {device + "\\R7716.ENU", Bytes(kEnu, sizeof kEnu)},
        {device + "\\R7716.FMT", Bytes(kFmt, sizeof kFmt)},
        {device + "\\R7716.FPT", Bytes(kFpt, sizeof kFpt)},
        {device + "\\R7716.TYP", Bytes(kTyp, sizeof kTyp)},
        {types + "\\loninst.cmd", command},
    };
    EXPECT_EQ(platform.files, expected);
    for (const std::string& folder : {lonWorks + "\\Import", types, types + "\\User", device})
        EXPECT_TRUE(platform.folders.count(folder)) << folder;
    EXPECT_EQ(platform.OpenHandles(), 0u);
    EXPECT_EQ(platform.currentDirectory, types);
    EXPECT_EQ(platform.calls.end()[-2], "Start \"" + types + "\\loninst.cmd\" 1");
    EXPECT_EQ(platform.started, std::vector<Rights>{Rights::Full});
    EXPECT_EQ(platform.calls.front(), "Lock " + std::to_string(kWindowLockWaitMs));
    EXPECT_EQ(platform.calls.back(), "Unlock");
    EXPECT_EQ(messages.shown, std::vector<std::string>{kInstallSuccess});
}

TEST(RunInstallation, CommandFileQuotesToolAndFolderAndDoublesPercent) {
    struct Case {
        std::string path, deviceName, commandFile, bytes;
    } cases[] = {
        // Without a % the file is 16 bytes longer than the device folder text: 41 bytes here.
        {"C:\\LonWorks", "KR", "C:\\LonWorks\\Types\\loninst.cmd", "\"mkcat.exe\" \"-aC:\\LonWorks\\Types\\User\\KR\""},
        {"C:\\LonWorks\\", "KR", "C:\\LonWorks\\\\Types\\loninst.cmd",
         "\"mkcat.exe\" \"-aC:\\LonWorks\\\\Types\\User\\KR\""},
        {"C:\\100%\\LonWorks", "KR", "C:\\100%\\LonWorks\\Types\\loninst.cmd",
         "\"mkcat.exe\" \"-aC:\\100%%\\LonWorks\\Types\\User\\KR\""},
        {"C:\\%PATH%\\LonWorks", "KR", "C:\\%PATH%\\LonWorks\\Types\\loninst.cmd",
         "\"mkcat.exe\" \"-aC:\\%%PATH%%\\LonWorks\\Types\\User\\KR\""},
        {"C:\\LonWorks", "%", "C:\\LonWorks\\Types\\loninst.cmd", "\"mkcat.exe\" \"-aC:\\LonWorks\\Types\\User\\%%\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path + " " + c.deviceName);
        FakeInstallPlatform platform = MachineWith(c.path);
        RecordingMessages messages;
        EXPECT_EQ(Install(Request(c.path, true, c.deviceName), platform, messages), "");
        EXPECT_EQ(platform.files[c.commandFile], c.bytes);
    }
}

TEST(RunInstallation, CompleteRunOnFreshFolder) {
    struct Case {
        std::string path, lonWorksJoin;  // the LonWorks folder as it appears in the derived texts
    } cases[] = {
        {"C:\\LonWorks", "C:\\LonWorks"},
        {"C:\\LonWorks\\", "C:\\LonWorks\\"},  // used as typed: two backslashes at every join
        {"C:\\Program Files\\LonWorks", "C:\\Program Files\\LonWorks"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        FakeInstallPlatform platform = MachineWith(c.path);
        RecordingMessages messages;
        EXPECT_EQ(Install(Request(c.path), platform, messages), "");
        ExpectCompleteRun(platform, messages, c.lonWorksJoin, c.lonWorksJoin + "\\Types\\User\\KR");
    }
}

TEST(RunInstallation, PercentIsDoubledInTheCommandFileOnly) {
    FakeInstallPlatform platform = MachineWith("C:\\100%\\LonWorks");
    RecordingMessages messages;
    EXPECT_EQ(Install(Request("C:\\100%\\LonWorks"), platform, messages), "");
    EXPECT_EQ(platform.files["C:\\100%\\LonWorks\\Types\\loninst.cmd"],
              "\"mkcat.exe\" \"-aC:\\100%%\\LonWorks\\Types\\User\\KR\"");
    // Folders keep the text as typed. The interpreter would expand %NAME% in the start
    // command, so the command file is started by its name in the working directory.
    EXPECT_TRUE(platform.folders.count("C:\\100%\\LonWorks\\Types\\User\\KR"));
    const auto n = platform.calls.size();
    EXPECT_EQ(platform.calls[n - 4], "EnterFolder C:\\100%\\LonWorks\\Types");
    EXPECT_EQ(platform.calls[n - 2], "Start \".\\loninst.cmd\" 1");
}

TEST(RunInstallation, CommandFileSpellsTheDeviceFolderInTheOemCodePage) {
    // ANSI 1252 against OEM 437: a-umlaut 0xE4 is 0x84 there; the euro sign 0x80 has no equal.
    class Ansi1252 : public AsciiCodePage {
    public:
        std::optional<std::string> ToOem(const std::string& text) const override {
            std::string oem = text;
            for (char& c : oem) {
                if (c == '\x80') return std::nullopt;
                if (c == '\xE4') c = '\x84';
            }
            return oem;
        }
    } cp;
    struct Case {
        std::string deviceName, command, error;
    } cases[] = {
        {"Z\xE4hler", "\"mkcat.exe\" \"-aC:\\LonWorks\\Types\\User\\Z\x84hler\"", ""},
        {"100\x80", "", "Cannot write C:\\LonWorks\\Types\\loninst.cmd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deviceName);
        FakeInstallPlatform platform = MachineWith("C:\\LonWorks");
        RecordingMessages messages;
        std::string error;
        try {
            RunInstallation(Request("C:\\LonWorks", true, c.deviceName), kPayload, platform, cp, messages);
        } catch (const Exception& e) {
            error = e.Message();
        }
        EXPECT_EQ(error, c.error);
        const std::string device = "C:\\LonWorks\\Types\\User\\" + c.deviceName;
        EXPECT_EQ(platform.files[device + "\\R7716.TYP"], Bytes(kTyp, sizeof kTyp));
        if (c.error.empty()) {
            EXPECT_EQ(platform.files["C:\\LonWorks\\Types\\loninst.cmd"], c.command);
            EXPECT_EQ(messages.shown, std::vector<std::string>{kInstallSuccess});
        } else {
            EXPECT_EQ(platform.files.count("C:\\LonWorks\\Types\\loninst.cmd"), 0u);
            for (const auto& call : platform.calls) EXPECT_NE(call.rfind("Start", 0), 0u) << call;
            EXPECT_TRUE(messages.shown.empty());
        }
    }
}

TEST(RunInstallation, DeviceFolderNameComesFromTheFolderNameBoxOnlyWithTheDeveloperSwitch) {
    struct Case {
        bool developer;
        std::string deviceName, device;
    } cases[] = {
        {false, "XY", "C:\\LonWorks\\Types\\User\\KR"},        {false, "", "C:\\LonWorks\\Types\\User\\KR"},
        {true, "KR", "C:\\LonWorks\\Types\\User\\KR"},         {true, "XY", "C:\\LonWorks\\Types\\User\\XY"},
        {true, "My Dev", "C:\\LonWorks\\Types\\User\\My Dev"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.deviceName + (c.developer ? " on" : " off"));
        FakeInstallPlatform platform = MachineWith("C:\\LonWorks");
        RecordingMessages messages;
        EXPECT_EQ(Install(Request("C:\\LonWorks", c.developer, c.deviceName), platform, messages), "");
        ExpectCompleteRun(platform, messages, "C:\\LonWorks", c.device);
    }
}

// A temporary file that a run ended midway left goes too: it is never written through.
TEST(RunInstallation, ExistingFoldersAreNotCreatedAndExistingFilesAndLeftoversAreReplaced) {
    FakeInstallPlatform platform = MachineWith("C:\\LonWorks");
    const std::string device = "C:\\LonWorks\\Types\\User\\KR";
    platform.folders.insert({"C:\\LonWorks\\Import", "C:\\LonWorks\\Types", "C:\\LonWorks\\Types\\User", device});
    const std::string longer(100, 'o');
    for (const char* name : {"C:\\LonWorks\\Import\\R7716.XIF", "C:\\LonWorks\\Types\\loninst.cmd"})
        platform.files[name] = longer;
    platform.files[device + "\\R7716.FPT"] = longer;
    platform.files[device + "\\R7716.FPT.tmp"] = "half of an earlier run's FPT";
    RecordingMessages messages;

    EXPECT_EQ(Install(Request("C:\\LonWorks"), platform, messages), "");
    for (const auto& call : platform.calls) EXPECT_NE(call.rfind("MakeFolder", 0), 0u) << call;
    EXPECT_EQ(platform.files["C:\\LonWorks\\Import\\R7716.XIF"], Bytes(kXif, sizeof kXif));
    EXPECT_EQ(platform.files[device + "\\R7716.FPT"], Bytes(kFpt, sizeof kFpt));
    EXPECT_EQ(platform.files["C:\\LonWorks\\Types\\loninst.cmd"], "\"mkcat.exe\" \"-a" + device + "\"");
    EXPECT_EQ(platform.files.size(), 6u);
    EXPECT_EQ(messages.shown, std::vector<std::string>{kInstallSuccess});
}

TEST(RunInstallation, FolderThatCannotBeCreatedEndsTheRunWithItsName) {
    struct Case {
        const char* name;
        std::string path;
        std::vector<std::string> folders, files;
        std::string error;
        std::vector<std::string> created;
    } cases[] = {
        {"missing LonWorks folder",
         "D:\\Nowhere\\LonWorks",
         {"D:"},
         {},
         "Cannot create D:\\Nowhere\\LonWorks\\Import",
         {}},
        {"file where Types should be",
         "C:\\LonWorks",
         {},
         {"C:\\LonWorks\\Types"},
         "Cannot create C:\\LonWorks\\Types",
         {"C:\\LonWorks\\Import"}},
        {"file where KR should be",
         "C:\\LonWorks\\",
         {"C:\\LonWorks\\\\Types"},
         {"C:\\LonWorks\\\\Types\\User\\KR"},
         "Cannot create C:\\LonWorks\\\\Types\\User\\KR",
         {"C:\\LonWorks\\\\Import", "C:\\LonWorks\\\\Types\\User"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeInstallPlatform platform;
        platform.folders = {"C:", "C:\\LonWorks"};
        platform.folders.insert(c.folders.begin(), c.folders.end());
        for (const auto& f : c.files) platform.files[f] = "old";
        const auto before = platform.folders;
        RecordingMessages messages;

        EXPECT_EQ(Install(Request(c.path), platform, messages), c.error);
        EXPECT_TRUE(messages.shown.empty());
        auto expectedFolders = before;
        expectedFolders.insert(c.created.begin(), c.created.end());
        EXPECT_EQ(platform.folders, expectedFolders);
        EXPECT_EQ(platform.calls.end()[-2], "MakeFolder " + c.error.substr(sizeof "Cannot create " - 1));
        EXPECT_EQ(platform.calls.back(), "Unlock");
        EXPECT_EQ(platform.files.size(), c.files.size());
    }
}

TEST(RunInstallation, RefusedPathShowsOnlyTheWarningAndTouchesNothing) {
    for (const char* path : {"", "C:\\LonWorks\\\\", "D:\\src\\R7716.xif", "C:\\LonWorks "}) {
        FakeInstallPlatform platform = MachineWith("C:\\LonWorks");
        RecordingMessages messages;
        EXPECT_EQ(Install(Request(path, true, "XY"), platform, messages), "") << path;
        EXPECT_EQ(messages.shown, std::vector<std::string>{kLonWorksWarning}) << path;
        EXPECT_TRUE(platform.calls.empty()) << path;
    }
}

// Makes each call of a complete run fail in turn. The run must end with the right message
// at that call, leave no temporary file, and do nothing else after it: no later write, no
// start, no success message; an old file of the same name stays as it was, or, when only the
// close after the move fails, is the new file whole.
TEST(RunInstallation, EachFailingOperationEndsTheRunThere) {
    const std::string lonWorks = "C:\\LonWorks";
    const std::string types = lonWorks + "\\Types";
    const std::string device = types + "\\User\\KR";
    const std::string commandFile = types + "\\loninst.cmd";

    FakeInstallPlatform reference = MachineWith(lonWorks);
    RecordingMessages referenceMessages;
    Install(Request(lonWorks), reference, referenceMessages);
    const std::vector<std::string> all = reference.calls;

    int checked = 0;
    for (bool shortWrite : {false, true}) {
        for (std::size_t i = 0; i < all.size(); ++i) {
            const std::string& call = all[i];
            const std::string op = call.substr(0, call.find(' '));
            const std::string arg = call.substr(call.find(' ') + 1);
            // A name that cannot be looked at is made or written like any other.
            if (op == "Look" || op == "Pause" || op == "Unlock") continue;
            if (shortWrite && op != "Write") continue;
            SCOPED_TRACE(call + (shortWrite ? " (short write)" : ""));

            // The file this call belongs to, when it is one of the writes.
            std::string target;
            if (op == "CreateNew" || op == "Close") target = arg.substr(0, arg.size() - 4);
            if (op == "Write") target = arg.substr(0, arg.rfind(' ') - 4);
            if (op == "MoveOver") target = arg.substr(arg.find(" -> ") + 4);

            std::string error;
            InstallFailure kind{};
            std::vector<std::string> tail;  // the calls allowed after the failing one
            if (op == "MakeFolder") error = "Cannot create " + arg, kind = InstallFailure::Folder;
            if (!target.empty()) error = "Cannot write " + target, kind = InstallFailure::File;
            if (op == "Write" || op == "MoveOver") tail = {"Close " + target + ".tmp"};
            if (op == "EnterFolder" || op == "Start")
                error = "Cannot start " + commandFile, kind = InstallFailure::Start;
            if (op == "Lock") error = "Cannot install: another installation is running", kind = InstallFailure::Busy;
            if (op != "Lock") tail.push_back("Unlock");
            ASSERT_FALSE(error.empty()) << "no expectation for " << call;

            // Every file already has old contents, so that a failed replace can be seen.
            FakeInstallPlatform platform = MachineWith(lonWorks);
            platform.folders.insert({lonWorks + "\\Import", types, types + "\\User", device});
            for (const auto& [name, bytes] : reference.files) platform.files[name] = "old " + name;
            // Folders must be missing for their creation to be called at all.
            if (op == "MakeFolder") platform = MachineWith(lonWorks);
            const auto filesBefore = platform.files;
            // Line up the call numbers with the reference run, which created the folders after
            // it took the lock.
            platform.failCall = static_cast<int>(i);
            if (op != "MakeFolder" && op != "Lock") platform.failCall -= 4;
            platform.shortWrite = shortWrite;
            RecordingMessages messages;

            std::optional<InstallFailure> raised;
            EXPECT_EQ(Install(Request(lonWorks), platform, messages, &raised), error);
            EXPECT_EQ(raised, kind) << "the kind tells a folder, a file and the start apart";
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(platform.OpenHandles(), 0u);

            // The calls up to the failing one are those of a good run; after it only the tidy-up.
            std::vector<std::string> expected;
            for (const auto& c : all) {
                if (op != "MakeFolder" && c.rfind("MakeFolder", 0) == 0) continue;
                expected.push_back(c);
                if (&c == &all[i]) break;
            }
            expected.insert(expected.end(), tail.begin(), tail.end());
            EXPECT_EQ(platform.calls, expected);

            if (!target.empty()) {
                EXPECT_EQ(platform.files.count(target + ".tmp"), 0u) << "temporary file left";
                EXPECT_EQ(platform.files[target], op == "Close" ? reference.files[target] : filesBefore.at(target))
                    << "old file changed, or new file not whole";
            }
            ++checked;
        }
    }
    // The lock, 4 folders, 6 files of 4 failing calls each, the change of directory, the start;
    // short writes.
    EXPECT_EQ(checked, 1 + 4 + 6 * 4 + 2 + 6);
}

}  // namespace
}  // namespace korva
