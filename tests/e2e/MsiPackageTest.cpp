// The package's life as a distribution system sees it: msiexec's real exit code, the files, the
// program, the Add/Remove Programs entry. The catalog tool is the stand-in (FaultDecoy.cpp).
#include <gtest/gtest.h>

#include "Driver.h"
#include "ProductInfo.h"

using namespace e2e;

namespace {

// Starts the command line and waits for its end (at most two minutes); its exit code.
long RunToEnd(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    DWORD code = 0;
    if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

// The Add/Remove Programs entry of a ProductCode: "version | publisher | NoModify", or empty.
std::string Entry(const std::string& productCode) {
    const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + productCode;
    auto value = [&key](const char* name) {
        char data[512] = "";
        DWORD size = sizeof data, type = 0;
        RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, data, &size);
        return type == REG_DWORD ? std::to_string(*reinterpret_cast<DWORD*>(data)) : std::string(data);
    };
    if (value("DisplayName") != R7716_APP_TITLE) return "";
    return value("DisplayVersion") + " | " + value("Publisher") + " | " + value("NoModify");
}

TEST(MsiPackage, FailuresInstallationRepairUpgradeAndRemoval) {
    // Each version's ProductCode, derived from it (src/ProductInfo.cmake).
    const std::string codes[2] = {R7716_E2E_MSI_PRODUCT_CODE, R7716_E2E_MSI_UPGRADE_PRODUCT_CODE};
    const std::string versions[2] = {R7716_VERSION, R7716_E2E_MSI_UPGRADE_VERSION};
    for (const std::string& code : codes)  // what an earlier run left installed
        if (!Entry(code).empty()) RunToEnd("msiexec.exe /x " + code + " /qn");
    ASSERT_EQ(Entry(codes[0]) + Entry(codes[1]), "") << "cannot remove an earlier installation";
    // A failed package ends msiexec with 1603 on Windows, with 1627 under Wine (a known difference).
    const long failed = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") ? 1627 : 1603;
    const std::string lonworks = MakeScratchDir("msi") + "\\LonWorks", types = lonworks + "\\Types";
    ASSERT_TRUE(MakeDirs(types) && PlaceDecoy(types + "\\mkcat.exe"));
    char folder[MAX_PATH] = "";
    ExpandEnvironmentStringsA("%ProgramFiles%\\KORVA\\R7716 Updates Tool", folder, MAX_PATH);
    const std::string programFolder = folder;
    const std::string package = "\"" + ToWindowsPath(R7716_E2E_MSI) + "\"";
    const std::string console = "\"" + ToWindowsPath(R7716_E2E_CONSOLE) + "\" ";
    // An older file set: what a rollback must bring back byte for byte.
    const std::string older[3][2] = {{lonworks + "\\Import\\R7716.XIF", "older XIF"},
                                     {types + "\\User\\KR\\R7716.ENU", "older ENU"},
                                     {types + "\\loninst.cmd", "older command file"}};

    enum Files { kNone, kCurrent, kOlder };  // none of the six files; all six current; the older set
    struct Step {
        const char* name;
        std::string arguments;  // msiexec's, before /qn
        const char* catalogExit;
        long exitCode;
        const char* version;         // of the one entry; nullptr: none, and no program
        Files before, after;         // before: made so for the step (kNone: as the step before left them)
        bool catalogRan;             // a repair too runs the installation again
        bool typesWritable = false;  // from this step on, everyone may change the Types folder
    } steps[] = {
        {"a refused folder", "/i " + package + " LONWORKSDIR=" + types, "0", failed, nullptr, kNone, kNone, false},
        {"the catalog tool fails: all rolled back", "/i " + package + " LONWORKSDIR=" + lonworks, "3", failed, nullptr,
         kNone, kNone, true},
        {"the catalog tool fails over an older file set: it is back", "/i " + package + " LONWORKSDIR=" + lonworks, "3",
         failed, nullptr, kOlder, kOlder, true},
        {"the catalog tool fails over a current installation: it stays current",
         "/i " + package + " LONWORKSDIR=" + lonworks, "3", failed, nullptr, kCurrent, kCurrent, true},
        // A trailing backslash reaches the program; it must not escape the closing quote.
        {"installed", "/i " + package + " LONWORKSDIR=" + lonworks + "\\", "0", 0, R7716_VERSION, kNone, kCurrent,
         true},
        // Wine's msiexec does not implement /fa PRODUCTCODE: the same repair through properties.
        {"a repair", "/i " + package + " REINSTALL=ALL REINSTALLMODE=vomus", "0", 0, R7716_VERSION, kNone, kCurrent,
         true},
        {"an upgrade, the folder remembered", "/i \"" + ToWindowsPath(R7716_E2E_MSI_UPGRADE) + "\"", "0", 0,
         R7716_E2E_MSI_UPGRADE_VERSION, kNone, kCurrent, true},
        // Windows removes the old version during an upgrade with UPGRADINGPRODUCTCODE set;
        // Wine's RemoveExistingProducts does not set it, so that removal is made here.
        {"the removal an upgrade runs keeps the files and the log",
         "/x " + codes[1] + " UPGRADINGPRODUCTCODE={00000000-0000-0000-0000-000000000001}", "0", 0, nullptr, kNone,
         kCurrent, false},
        {"installed again", "/i " + package + " LONWORKSDIR=" + lonworks + "\\", "0", 0, R7716_VERSION, kNone, kCurrent,
         true},
        // A standard user may start a repair: a catalog tool planted in a folder such a user may
        // change runs with no more rights than that user's.
        {"a repair, the Types folder writable by everyone", "/i " + package + " REINSTALL=ALL REINSTALLMODE=vomus", "0",
         0, R7716_VERSION, kNone, kCurrent, true, true},
        {"removed", "/x " + codes[0], "0", 0, nullptr, kNone, kNone, false},
    };
    for (Step& step : steps) {
        SCOPED_TRACE(step.name);
        if (step.before == kOlder) {
            for (const auto& [file, bytes] : older)
                ASSERT_TRUE(MakeDirs(file.substr(0, file.rfind('\\'))) && WriteFileBytes(file, bytes));
        }
        if (step.before == kCurrent) {
            ASSERT_TRUE(WriteFileBytes(types + "\\mkcat.exe.exit", "0") && RunToEnd(console + lonworks + "\\") == 0);
        }
        DeleteFileA((types + "\\mkcat.exe.ran").c_str());
        if (step.typesWritable) ASSERT_TRUE(LetEveryoneChange(types));
        ASSERT_TRUE(WriteFileBytes(types + "\\mkcat.exe.exit", step.catalogExit));
        EXPECT_EQ(RunToEnd("msiexec.exe " + step.arguments + " /qn /l*v \"" + lonworks + "\\..\\msiexec.log\""),
                  step.exitCode);

        for (int i = 0; i < 2; ++i) {
            const bool installed = step.version && versions[i] == step.version;
            EXPECT_EQ(Entry(codes[i]), installed ? versions[i] + " | " R7716_MAKER " | 1" : "") << versions[i];
        }
        EXPECT_EQ(Exists(programFolder + "\\r7716-install.exe"), step.version != nullptr);
        EXPECT_EQ(Exists(types + "\\mkcat.exe.ran"), step.catalogRan);
        if (step.catalogRan) {
            EXPECT_EQ(ReadFileBytes(types + "\\mkcat.exe.rights"),
                      step.typesWritable ? "standard user" : "administrator");
        }
        // Only the final removal takes the log; a rollback's restore ends it.
        const std::string log = ReadFileBytes(programFolder + "\\r7716-install.log").value_or("");
        EXPECT_TRUE(&step == &steps[std::size(steps) - 1] || log.ends_with("| end | exit code 0\r\n")) << log;
        if (step.after == kCurrent) {  // as the detection rule sees them
            EXPECT_EQ(RunToEnd(console + "--check " + lonworks + "\\"), 0);
        } else if (step.after == kOlder) {
            for (const auto& [file, bytes] : older) EXPECT_EQ(ReadFileBytes(file), bytes) << file;
            for (const char* name : {"R7716.FMT", "R7716.FPT", "R7716.TYP"})
                EXPECT_FALSE(Exists(types + "\\User\\KR\\" + name)) << name << " stays after the rollback";
        } else {
            EXPECT_FALSE(Exists(lonworks + "\\Import\\R7716.XIF") || IsDirectory(types + "\\User\\KR") ||
                         Exists(types + "\\loninst.cmd"));
        }
    }
    EXPECT_FALSE(IsDirectory(programFolder)) << "the program's folder (or its log) stays after the removal";
}

}  // namespace
