// Installations that meet a fault, worked through the window like any other: the path typed
// into the path field, a click on "Installation", every box that answers, and what is on
// disk afterwards. The rule checked each time: a failure is reported by the error box and
// never by the success box; an old file is either kept byte for byte or replaced whole by
// the new one; no temporary file is left behind.
//
// A copy of the stand-in program (FaultDecoy.cpp) sits in the Types folder as mkcat.exe, so
// a case sees whether the command file ran and which argument reached the catalog tool.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "Driver.h"
#include "app/ControlIds.h"

using namespace e2e;

namespace {

const char kTitle[] = R7716_APP_TITLE;
const char kSuccess[] = "Information: The operation is successfully complete.";

using Boxes = std::vector<std::string>;

std::string Source(const char* name) { return ReadFileBytes(ResourceDir() + "\\" + name).value_or(""); }

// Every % of the device folder doubled, as the command file holds it.
std::string Doubled(const std::string& s) {
    std::string out;
    for (char c : s) {
        out += c;
        if (c == '%') out += '%';
    }
    return out;
}

class Fault : public ::testing::Test {
protected:
    void Start() {
        scratch_ = MakeScratchDir("fault");
        ASSERT_EQ(tool_.Start(false, scratch_), "");
    }
    void TearDown() override {
        if (tool_.Running()) {
            if (HWND box = tool_.FindDialog("")) PressOk(tool_, box);
            EXPECT_EQ(tool_.CloseAndWait(), 0) << "exit code after WM_CLOSE";
        }
    }
    // Types the path, clicks "Installation" and answers every box captioned with the title
    // until none follows within a second; returns their texts in order.
    Boxes Install(const std::string& path) {
        Boxes seen;
        HWND edit = tool_.Control(IDC_PATH_FIELD);
        HWND button = tool_.Control(IDC_INSTALL_BUTTON);
        if (!edit || !button || !SetText(edit, path) || !tool_.PostClick(button)) return {"<could not click>"};
        for (DWORD wait = kTimeoutMs; HWND box = tool_.WaitForDialog(kTitle, wait); wait = 1000) {
            seen.push_back(BoxText(box));
            if (const char* c = ::testing::UnitTest::GetInstance()->current_test_info()->value_param())
                SaveScreenshot(box, ArtifactDir() + "\\fault-" + c + ".png");
            if (!PressOk(tool_, box)) {
                seen.push_back("<the box did not close on OK>");
                break;
            }
        }
        EXPECT_TRUE(tool_.WaitTakesInput()) << "the window takes input again";
        return seen;
    }
    // The five installed files, each byte for byte its source.
    static void ExpectFiveInstalled(const std::string& lonworks) {
        const std::string device = lonworks + "\\Types\\User\\KR";
        ExpectFile(lonworks + "\\Import\\R7716.XIF", Source("R7716.xif"));
        ExpectFile(device + "\\R7716.ENU", Source("R7716.enu"));
        ExpectFile(device + "\\R7716.FMT", Source("R7716.fmt"));
        ExpectFile(device + "\\R7716.FPT", Source("R7716.fpt"));
        ExpectFile(device + "\\R7716.TYP", Source("R7716.typ"));
    }
    static void ExpectFile(const std::string& path, const std::string& want) {
        const auto got = ReadFileBytes(path);
        ASSERT_TRUE(got) << "cannot read " << path;
        EXPECT_EQ(got->size(), want.size()) << path;
        EXPECT_TRUE(*got == want) << path << " does not hold the expected bytes";
    }
    static void ExpectNoTemporaryFiles(const std::string& lonworks) {
        for (const std::string& folder : {lonworks + "\\Import", lonworks + "\\Types", lonworks + "\\Types\\User\\KR"})
            for (const std::string& name : FindNames(folder, "*.tmp"))
                ADD_FAILURE() << "left over in " << folder << ": " << name;
    }
    // The command file's exact bytes: the folder in the OEM code page, which the command
    // interpreter reads command files in.
    static void ExpectCommandFile(const std::string& lonworks) {
        std::string device = lonworks + "\\Types\\User\\KR";
        CharToOemBuffA(device.c_str(), device.data(), static_cast<DWORD>(device.size()));
        EXPECT_EQ(ReadFileBytes(lonworks + "\\Types\\loninst.cmd"), "\"mkcat.exe\" \"-a" + Doubled(device) + "\"");
    }
    // Waits for the stand-in catalog tool in the Types folder to run and returns the command
    // line it was given.
    static std::string CatalogToolLine(const std::string& lonworks) {
        return WaitForFileBytes(lonworks + "\\Types\\mkcat.exe.ran").value_or("<mkcat.exe did not run within 10 s>");
    }
    // The LonWorks folder with its Types folder and the stand-in catalog tool in it.
    static void Prepare(const std::string& lonworks) {
        ASSERT_TRUE(MakeDirs(lonworks + "\\Types")) << lonworks;
        ASSERT_TRUE(PlaceDecoy(lonworks + "\\Types\\mkcat.exe")) << "cannot copy " << DecoyExe();
    }

    std::string scratch_;
    Tool tool_;
};

// ---- a folder where a file should be ----

struct FolderCase {
    const char* name;
    const char* folder;  // below the LonWorks folder, made as a folder
    bool fiveWritten;    // the five resource files come before it
};

void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }

class FolderInPlaceOfAFile : public Fault, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(FolderInPlaceOfAFile, IsAnErrorNamingTheFileAndKeepsTheFolder) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const FolderCase& c = GetParam();
    const std::string lonworks = scratch_ + "\\LonWorks";
    const std::string device = lonworks + "\\Types\\User\\KR";
    ASSERT_NO_FATAL_FAILURE(Prepare(lonworks));
    ASSERT_TRUE(MakeDirs(device));
    const std::string inPlace = lonworks + "\\" + c.folder;
    ASSERT_TRUE(MakeDirs(inPlace));
    ASSERT_TRUE(WriteFileBytes(inPlace + "\\inside.txt", "inside the folder"));
    ASSERT_TRUE(WriteFileBytes(device + "\\R7716.ENU", "old ENU"));

    EXPECT_EQ(Install(lonworks), Boxes{"Cannot write " + inPlace + "."});

    EXPECT_TRUE(IsDirectory(inPlace)) << "the folder in the file's place is gone";
    ExpectFile(inPlace + "\\inside.txt", "inside the folder");
    if (c.fiveWritten) {
        ExpectFiveInstalled(lonworks);
    } else {
        ExpectFile(device + "\\R7716.ENU", "old ENU");
        EXPECT_FALSE(Exists(device + "\\R7716.FMT")) << "the run went on after the failure";
    }
    ExpectNoTemporaryFiles(lonworks);
    EXPECT_FALSE(Exists(lonworks + "\\Types\\mkcat.exe.ran")) << "the catalog tool was started after a failure";
}

INSTANTIATE_TEST_SUITE_P(Faults, FolderInPlaceOfAFile,
                         ::testing::Values(FolderCase{"InterfaceFile", "Import\\R7716.XIF", false},
                                           FolderCase{"CommandFile", "Types\\loninst.cmd", true}),
                         [](const ::testing::TestParamInfo<FolderCase>& i) { return std::string(i.param.name); });

// ---- a file that cannot be replaced ----

// Another program holding R7716.ENU open without sharing: InstallTest.cpp,
// Installation.FileHeldOpenIsAnErrorAndKeepsTheOldFile.
struct BlockedCase {
    const char* name;
    const char* file;  // below the device folder, made read-only with the content "blocked"
};

void PrintTo(const BlockedCase& c, std::ostream* os) { *os << c.name; }

class ReadOnlyFile : public Fault, public ::testing::WithParamInterface<BlockedCase> {};

// Windows refuses to replace a read-only file or to delete one: the run ends with the error
// and keeps the old files. Wine run by root (as measured here) lets the replacement happen,
// not the deletion: the run then succeeds and the file is replaced whole, or ends with the
// error. The driver asks the platform first and expects the matching outcome; either way no
// success without the new bytes, and no temporary file of the run left over.
TEST_P(ReadOnlyFile, IsAnErrorNamingTheTargetOrIsReplacedWhole) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string lonworks = scratch_ + "\\LonWorks";
    const std::string device = lonworks + "\\Types\\User\\KR";
    ASSERT_NO_FATAL_FAILURE(Prepare(lonworks));
    ASSERT_TRUE(MakeDirs(device));
    const std::string blocked = device + "\\" + GetParam().file;
    const std::string enu = device + "\\R7716.ENU";
    ASSERT_TRUE(WriteFileBytes(enu, "old ENU"));
    if (blocked != enu) {
        ASSERT_TRUE(WriteFileBytes(blocked, "stale"));
    }
    ASSERT_TRUE(SetFileAttributesA(blocked.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(GetFileAttributesA(blocked.c_str()) & FILE_ATTRIBUTE_READONLY);
    // Asked as the run will ask: may the old file be written over, and may a temporary file
    // that a run ended midway left be deleted (tried on a read-only file of its own)?
    bool honoured;
    if (blocked == enu) {
        HANDLE probe = CreateFileA(blocked.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        honoured = probe == INVALID_HANDLE_VALUE;
        if (!honoured) CloseHandle(probe);
    } else {
        const std::string probe = device + "\\probe";
        ASSERT_TRUE(WriteFileBytes(probe, "probe") && SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_READONLY));
        honoured = !DeleteFileA(probe.c_str());
        SetFileAttributesA(probe.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(probe.c_str());
    }
    RecordProperty("read_only_honoured", honoured ? "yes" : "no");

    const Boxes boxes = Install(lonworks);
    SetFileAttributesA(blocked.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (honoured) {
        EXPECT_EQ(boxes, Boxes{"Cannot write " + enu + "."});
        ExpectFile(enu, "old ENU");
        if (blocked != enu) ExpectFile(blocked, "stale");
        EXPECT_FALSE(Exists(device + "\\R7716.FMT")) << "the run went on after the failure";
        EXPECT_FALSE(Exists(lonworks + "\\Types\\mkcat.exe.ran")) << "the catalog tool was started after a failure";
    } else {
        EXPECT_EQ(boxes, Boxes{kSuccess}) << "the platform lets the file be written";
        ExpectFiveInstalled(lonworks);
        ExpectCommandFile(lonworks);
    }
    for (const std::string& name : FindNames(device, "*.tmp"))
        EXPECT_EQ(device + "\\" + name, honoured ? blocked : "") << "a temporary file of the run was left";
}

INSTANTIATE_TEST_SUITE_P(Faults, ReadOnlyFile,
                         ::testing::Values(BlockedCase{"OldFile", "R7716.ENU"},
                                           BlockedCase{"StaleTemporaryFile", "R7716.ENU.tmp"}),
                         [](const ::testing::TestParamInfo<BlockedCase>& i) { return std::string(i.param.name); });

// ---- names the command interpreter reads specially ----

// A blank: quoted, the start line names the command file; unquoted, the system would look
// for C:\...\Program.exe first. Both a Program.exe and a Program.cmd wait one level up.
TEST_F(Fault, BlankInThePathStartsTheCommandFileAndNothingElse) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string lonworks = scratch_ + "\\Program Files\\LonWorks";
    ASSERT_NO_FATAL_FAILURE(Prepare(lonworks));
    ASSERT_TRUE(PlaceDecoy(scratch_ + "\\Program.exe"));
    ASSERT_TRUE(WriteFileBytes(scratch_ + "\\Program.cmd", "@echo %*> \"%~f0.ran\"\r\n"));

    EXPECT_EQ(Install(lonworks), Boxes{kSuccess});

    ExpectFiveInstalled(lonworks);
    ExpectCommandFile(lonworks);
    EXPECT_EQ(CatalogToolLine(lonworks), "\"mkcat.exe\" \"-a" + lonworks + "\\Types\\User\\KR\"");
    EXPECT_FALSE(Exists(scratch_ + "\\Program.exe.ran")) << "the start line ran C:\\...\\Program.exe";
    EXPECT_FALSE(Exists(scratch_ + "\\Program.cmd.ran")) << "the start line ran C:\\...\\Program.cmd";
    ExpectNoTemporaryFiles(lonworks);
}

struct NameCase {
    const char* name;
    const char* folder;  // the folder above the LonWorks folder
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

std::string NameCaseName(const ::testing::TestParamInfo<NameCase>& i) { return i.param.name; }

// % and &: the command file doubles each %, so the catalog tool gets the folder as it is
// and no variable is expanded; & inside the quoted start line and the quoted argument is
// an ordinary character.
class SpecialCharacters : public Fault, public ::testing::WithParamInterface<NameCase> {};

TEST_P(SpecialCharacters, ReachTheCatalogToolUnchanged) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string lonworks = scratch_ + "\\" + GetParam().folder + "\\LonWorks";
    ASSERT_NO_FATAL_FAILURE(Prepare(lonworks));

    EXPECT_EQ(Install(lonworks), Boxes{kSuccess});

    ExpectFiveInstalled(lonworks);
    ExpectCommandFile(lonworks);
    EXPECT_EQ(CatalogToolLine(lonworks), "\"mkcat.exe\" \"-a" + lonworks + "\\Types\\User\\KR\"");
    ExpectNoTemporaryFiles(lonworks);
}

INSTANTIATE_TEST_SUITE_P(Faults, SpecialCharacters,
                         ::testing::Values(NameCase{"Percent", "100%"}, NameCase{"PercentVariable", "%OS%"},
                                           NameCase{"PercentPathVariable", "%WINDIR%"}, NameCase{"Ampersand", "A&B"},
                                           NameCase{"AmpersandBlanks", "A & B"},
                                           NameCase{"AmpersandPercent", "x&%OS%&y"}),
                         NameCaseName);

// Letters of the ANSI code page beyond ASCII, typed as the code page's bytes (WM_SETTEXT of
// the A function) and read back with the A functions.
class CodePageLetters : public Fault {
protected:
    void SetUp() override {
        const wchar_t* wide = L"Z\u00e4hler \u00c9t\u00e9";  // Zähler Été
        char ansi[64] = "";
        BOOL lossy = FALSE;
        int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, -1, ansi, sizeof ansi, nullptr, &lossy);
        if (n <= 0 || lossy) GTEST_SKIP() << "code page " << GetACP() << " has no Zähler Été";
        ASSERT_NO_FATAL_FAILURE(Start());
        lonworks_ = scratch_ + "\\" + ansi + "\\LonWorks";
        ASSERT_NO_FATAL_FAILURE(Prepare(lonworks_));
    }
    std::string lonworks_;
};

TEST_F(CodePageLetters, AreInstalledUnderTheFolderAsTyped) {
    EXPECT_EQ(Install(lonworks_), Boxes{kSuccess}) << "code page " << GetACP();
    EXPECT_EQ(WindowText(tool_.Control(IDC_PATH_FIELD)), lonworks_) << "the path field holds other bytes than typed";
    ExpectFiveInstalled(lonworks_);
    ExpectCommandFile(lonworks_);
    ExpectNoTemporaryFiles(lonworks_);
}

// The command interpreter reads a command file in the console's (OEM) code page, on Windows
// as under Wine: the folder must arrive at the catalog tool as typed, not as the ANSI bytes
// read in that other code page (measured under Wine before the mend: ANSI 1252, OEM 437,
// "Z\xE4hler \xC9t\xE9" arrived as "ZShler +tT" while the run reported success).
TEST_F(CodePageLetters, ReachTheCatalogToolUnchanged) {
    EXPECT_EQ(Install(lonworks_), Boxes{kSuccess});
    EXPECT_EQ(CatalogToolLine(lonworks_), "\"mkcat.exe\" \"-a" + lonworks_ + "\\Types\\User\\KR\"")
        << "ANSI code page " << GetACP() << ", OEM code page " << GetOEMCP();
}

// ---- elevated runs: what a standard user who may write the LonWorks folder could try ----

struct ElevatedCase {
    const char* name;
    void (*prepare)(const std::string& lonworks);  // after the LonWorks folder is prepared
    const char* box;                               // <L> stands for the LonWorks folder
    const char* rights;                            // the catalog tool's own word; nullptr: it did not run
    bool lockDenied = false;                       // the lock's name taken by an object nobody may use
};

void PrintTo(const ElevatedCase& c, std::ostream* os) { *os << c.name; }

class ElevatedRun : public Fault, public ::testing::WithParamInterface<ElevatedCase> {};

TEST_P(ElevatedRun, GivesNoStandardUserAWayIn) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const ElevatedCase& c = GetParam();
    const std::string lonworks = scratch_ + "\\LonWorks";
    ASSERT_NO_FATAL_FAILURE(Prepare(lonworks));
    c.prepare(lonworks);
    std::string box = c.box;
    for (std::size_t at; (at = box.find("<L>")) != std::string::npos;) box.replace(at, 3, lonworks);
    std::optional<HeldInstallLock> lock;
    if (c.lockDenied) lock.emplace(true);

    EXPECT_EQ(Install(lonworks), Boxes{box});

    if (c.rights) {
        EXPECT_EQ(CatalogToolLine(lonworks), "\"mkcat.exe\" \"-a" + lonworks + "\\Types\\User\\KR\"");
    }
    EXPECT_EQ(ReadFileBytes(lonworks + "\\Types\\mkcat.exe.rights"),
              c.rights ? std::optional<std::string>(c.rights) : std::nullopt);
    if (c.rights && c.rights == std::string("standard user"))
        ExpectStandardUserReport(lonworks + "\\Types\\mkcat.exe.token", false);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ElevatedRun,
    ::testing::Values(
        ElevatedCase{"FolderOfAdministrators", [](const std::string&) {}, kSuccess, "administrator"},
        ElevatedCase{"WritableTypesFolder",
                     [](const std::string& lonworks) { EXPECT_TRUE(LetEveryoneChange(lonworks + "\\Types")); },
                     kSuccess, "standard user"},
        ElevatedCase{"DeviceFolderLeadsOutside",
                     [](const std::string& lonworks) {
                         EXPECT_TRUE(MakeDirs(lonworks + "\\Types\\User") && MakeDirs(lonworks + "\\..\\outside"));
                         EXPECT_TRUE(MakeLink(lonworks + "\\Types\\User\\KR", lonworks + "\\..\\outside"));
                     },
                     "Cannot create <L>\\Types\\User\\KR: it leads outside <L>.", nullptr},
        ElevatedCase{"LockTakenBySquatter", [](const std::string&) {},
                     "Cannot install: the installation lock cannot be used; its name is taken by an object that "
                     "this program may not open.",
                     nullptr, true}),
    [](const ::testing::TestParamInfo<ElevatedCase>& i) { return std::string(i.param.name); });

// ---- longer than MAX_PATH ----

// A path of exactly `length` characters under the scratch folder that ends in \LonWorks.
std::string PathOfLength(const std::string& scratch, size_t length) {
    const std::string tail = "\\LonWorks";
    const size_t fill = length - scratch.size() - tail.size();  // in "\ddd" pieces of 2 to 61
    const size_t pieces = (fill + 60) / 61;
    std::string path = scratch;
    for (size_t i = 0; i < pieces; ++i) path += "\\" + std::string(fill / pieces + (i < fill % pieces) - 1, 'd');
    return path + tail;
}

struct LengthCase {
    const char* name;
    size_t length;        // of the path typed
    const char* message;  // "Cannot create" or "Cannot write"
    const char* named;    // what the message names, after the LonWorks folder
    const char* entries;  // afterwards, per folder: LonWorks|Import|Types|User|KR, names by ","
};

void PrintTo(const LengthCase& c, std::ostream* os) { *os << c.name; }

class LongPath : public Fault, public ::testing::WithParamInterface<LengthCase> {};

// The LonWorks folder exists (made through the \\?\ form), so only the length is at fault.
TEST_P(LongPath, IsAClearErrorAndLeavesNothingHalfWritten) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const LengthCase& c = GetParam();
    const std::string lonworks = PathOfLength(scratch_, c.length);
    ASSERT_EQ(lonworks.size(), c.length);
    ASSERT_TRUE(MakeDirsLong(lonworks)) << lonworks;

    EXPECT_EQ(Install(lonworks), Boxes{std::string(c.message) + " " + lonworks + c.named + "."});

    std::string seen;
    for (const char* folder : {"", "\\Import", "\\Types", "\\Types\\User", "\\Types\\User\\KR"}) {
        if (*folder) seen += "|";
        std::string names;
        for (const std::string& name : FindNamesLong(lonworks + folder)) names += (names.empty() ? "" : ",") + name;
        seen += names;
    }
    EXPECT_EQ(seen, c.entries) << "LonWorks|Import|Types|User|KR";
    const std::string xif = lonworks + "\\Import\\R7716.XIF";
    if (ExistsLong(xif)) {
        EXPECT_TRUE(ReadFileBytes(xif) == Source("R7716.xif")) << "the interface file is not whole";
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, LongPath,
                         ::testing::Values(LengthCase{"ThreeHundred", 300, "Cannot create", "\\Import", "||||"},
                                           // The folders fit; the interface file's temporary name (L + 21) fits,
                                           // that of the first file in the device folder (L + 30) does not.
                                           LengthCase{"FoldersFitFilesDoNot", 235, "Cannot write",
                                                      "\\Types\\User\\KR\\R7716.ENU",
                                                      "Import,Types|R7716.XIF|User|KR|"}),
                         [](const ::testing::TestParamInfo<LengthCase>& i) { return std::string(i.param.name); });

// ---- drives of the fixture (tests/e2e/fault-drives.sh) ----

class FaultDrives : public Fault {
protected:
    void SetUp() override {
        const char* flag = std::getenv("R7716_FAULT_DRIVES");
        if (!flag || !*flag) GTEST_SKIP() << "needs the drives of the ctest case e2e.FaultDrives (fault-drives.sh)";
    }
};

// r: is a CD-ROM drive with nothing in it.
TEST_F(FaultDrives, DriveNotReadyNamesTheImportFolder) {
    ASSERT_EQ(GetDriveTypeA("R:\\"), static_cast<UINT>(DRIVE_CDROM)) << "the fixture's drive r: is missing";
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(Install("R:\\LonWorks"), Boxes{"Cannot create R:\\LonWorks\\Import."});
}

// t: is a read-only mount holding a LonWorks folder with all its folders and old files
// (made by the fixture; each old file holds "old " and its name).
TEST_F(FaultDrives, ReadOnlyDriveIsAnErrorAndKeepsTheOldFiles) {
    const char* ro = std::getenv("R7716_FAULT_READONLY");
    if (!ro || std::string(ro) != "1") {
        const char* why = std::getenv("R7716_FAULT_READONLY_WHY");
        GTEST_SKIP() << "no read-only drive on this machine (" << (why ? why : "not made") << ")";
    }
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string lonworks = "T:\\LonWorks";
    const std::string device = lonworks + "\\Types\\User\\KR";
    ASSERT_TRUE(IsDirectory(device)) << "the fixture's drive t: is missing";

    EXPECT_EQ(Install(lonworks), Boxes{"Cannot write " + lonworks + "\\Import\\R7716.XIF."});

    for (const std::string& f : {lonworks + "\\Import\\R7716.XIF", device + "\\R7716.ENU", device + "\\R7716.FMT",
                                 device + "\\R7716.FPT", device + "\\R7716.TYP", lonworks + "\\Types\\loninst.cmd"})
        ExpectFile(f, "old " + f.substr(f.find_last_of('\\') + 1));
    ExpectNoTemporaryFiles(lonworks);
}

// s: is a 512 KB tmpfs. Old files of known content stand in every place; the rest of the
// disk is filled until 25 pages of 4 KB are free. The interface file (8 pages), ENU (4) and
// FMT (1) fit, each freeing the page of its old file; FPT (49 pages) does not.
TEST_F(FaultDrives, DiskFullDuringTheWriteKeepsTheOldFiles) {
    const char* tmpfs = std::getenv("R7716_FAULT_TMPFS");
    if (!tmpfs || std::string(tmpfs) != "1") {
        const char* why = std::getenv("R7716_FAULT_TMPFS_WHY");
        GTEST_SKIP() << "no small disk on this machine (" << (why ? why : "not made")
                     << "); tests/unit/InstallerTest.cpp covers a short write with the fake platform";
    }
    ASSERT_TRUE(Exists("S:\\")) << "the fixture's drive s: is missing";
    ASSERT_NO_FATAL_FAILURE(Start());
    const std::string lonworks = "S:\\LonWorks";
    const std::string device = lonworks + "\\Types\\User\\KR";
    ASSERT_TRUE(MakeDirs(lonworks + "\\Import"));
    ASSERT_TRUE(MakeDirs(device));
    const struct {
        std::string path, old;
    } olds[] = {
        {lonworks + "\\Import\\R7716.XIF", "old XIF"}, {device + "\\R7716.ENU", "old ENU"},
        {device + "\\R7716.FMT", "old FMT"},           {device + "\\R7716.FPT", "old FPT"},
        {device + "\\R7716.TYP", "old TYP"},           {lonworks + "\\Types\\loninst.cmd", "old loninst.cmd"},
    };
    for (const auto& o : olds) ASSERT_TRUE(WriteFileBytes(o.path, o.old)) << o.path;
    ULARGE_INTEGER freeBytes{};
    ASSERT_TRUE(GetDiskFreeSpaceExA("S:\\", &freeBytes, nullptr, nullptr));
    const ULONGLONG keep = 25 * 4096;
    ASSERT_GT(freeBytes.QuadPart, keep);
    ASSERT_TRUE(WriteFileBytes("S:\\filler", std::string(static_cast<size_t>(freeBytes.QuadPart - keep), 'f')));
    ASSERT_TRUE(GetDiskFreeSpaceExA("S:\\", &freeBytes, nullptr, nullptr));
    ASSERT_EQ(freeBytes.QuadPart, keep) << "free space after filling";

    EXPECT_EQ(Install(lonworks), Boxes{"Cannot write " + device + "\\R7716.FPT."});

    ExpectFile(lonworks + "\\Import\\R7716.XIF", Source("R7716.xif"));
    ExpectFile(device + "\\R7716.ENU", Source("R7716.enu"));
    ExpectFile(device + "\\R7716.FMT", Source("R7716.fmt"));
    for (const auto& o : olds)
        if (o.path.find("XIF") == std::string::npos && o.path.find("ENU") == std::string::npos &&
            o.path.find("FMT") == std::string::npos)
            ExpectFile(o.path, o.old);
    ExpectNoTemporaryFiles(lonworks);
    ASSERT_TRUE(GetDiskFreeSpaceExA("S:\\", &freeBytes, nullptr, nullptr));
    EXPECT_EQ(freeBytes.QuadPart, keep - 10 * 4096) << "the space of the failed temporary file was given back";
}

}  // namespace
