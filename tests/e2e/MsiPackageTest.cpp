// The Windows Installer package through its life, as a software distribution system drives
// it: msiexec started as a process and judged by its real exit code, the resource files in
// the LonWorks folder, the program in its folder under %ProgramFiles% and the Add/Remove
// Programs entry. A copy of the stand-in program (FaultDecoy.cpp) is the catalog tool
// mkcat.exe and ends with the code a step chooses. The packages are made by the test's
// fixture (tests/e2e/CMakeLists.txt): this build's and one with a higher version.
#include <gtest/gtest.h>

#include "Driver.h"
#include "ProductInfo.h"

using namespace e2e;

namespace {

// A package that fails ends msiexec with 1603 on Windows; Wine's msiexec ends with 1627
// (a known Wine difference).
bool UnderWine() { return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

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

struct Entry {
    std::string productCode, version, publisher;
    DWORD noModify = 0;
};

// The Add/Remove Programs entries that carry the product's name.
std::vector<Entry> Entries() {
    std::vector<Entry> entries;
    HKEY root = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0, KEY_READ,
                      &root) != ERROR_SUCCESS)
        return entries;
    auto text = [root](const char* key, const char* name) {
        char value[512] = "";
        DWORD size = sizeof value;
        RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, value, &size);
        return std::string(value);
    };
    char key[256];
    for (DWORD i = 0, size = sizeof key; RegEnumKeyExA(root, i, key, &size, nullptr, nullptr, nullptr, nullptr) == 0;
         ++i, size = sizeof key) {
        if (text(key, "DisplayName") != R7716_APP_TITLE) continue;
        Entry entry{key, text(key, "DisplayVersion"), text(key, "Publisher")};
        DWORD dword = sizeof entry.noModify;
        RegGetValueA(root, key, "NoModify", RRF_RT_REG_DWORD, nullptr, &entry.noModify, &dword);
        entries.push_back(entry);
    }
    RegCloseKey(root);
    return entries;
}

TEST(MsiPackage, FailuresInstallationRepairUpgradeAndRemoval) {
    for (const Entry& left : Entries()) RunToEnd("msiexec.exe /x " + left.productCode + " /qn");  // an earlier run's
    ASSERT_TRUE(Entries().empty()) << "a product installed before cannot be removed";

    const long failed = UnderWine() ? 1627 : 1603;
    const std::string lonworks = MakeScratchDir("msi") + "\\LonWorks", types = lonworks + "\\Types";
    ASSERT_TRUE(MakeDirs(types) && PlaceDecoy(types + "\\mkcat.exe"));
    const std::string files[6] = {lonworks + "\\Import\\R7716.XIF", types + "\\User\\KR\\R7716.ENU",
                                  types + "\\User\\KR\\R7716.FMT",  types + "\\User\\KR\\R7716.FPT",
                                  types + "\\User\\KR\\R7716.TYP",  types + "\\loninst.cmd"};
    char programFolder[MAX_PATH] = "";
    ExpandEnvironmentStringsA("%ProgramFiles%\\KORVA\\R7716 Updates Tool", programFolder, MAX_PATH);
    const std::string program = std::string(programFolder) + "\\r7716-install.exe";
    const std::string package = "\"" + ToWindowsPath(R7716_E2E_MSI) + "\"";
    const std::string upgrade = "\"" + ToWindowsPath(R7716_E2E_MSI_UPGRADE) + "\"";

    struct Step {
        const char* name;
        std::string arguments;  // msiexec's, before /qn; <code> stands for the installed ProductCode
        const char* catalogExit;
        long exitCode;
        const char* version;  // the one entry's; nullptr: no entry and no program
        bool filesCurrent;    // else none of the six files is there
        bool catalogRan;
        std::string removeFirst;  // a file removed before the step
    } steps[] = {
        {"a refused folder", "/i " + package + " LONWORKSDIR=" + types, "0", failed, nullptr, false, false, ""},
        {"the catalog tool fails: all rolled back", "/i " + package + " LONWORKSDIR=" + lonworks, "3", failed, nullptr,
         false, true, ""},
        // A trailing backslash reaches the program; it must not escape the closing quote.
        {"installed", "/i " + package + " LONWORKSDIR=" + lonworks + "\\", "0", 0, R7716_VERSION, true, true, ""},
        // Wine's msiexec does not implement /fa PRODUCTCODE: the same repair through properties.
        {"a repair installs again", "/i " + package + " REINSTALL=ALL REINSTALLMODE=vomus", "0", 0, R7716_VERSION, true,
         true, files[2]},
        {"an upgrade, the folder remembered", "/i " + upgrade, "0", 0, R7716_E2E_MSI_UPGRADE_VERSION, true, true, ""},
        // Windows removes the old version during an upgrade with UPGRADINGPRODUCTCODE set;
        // Wine's RemoveExistingProducts does not set it, so that removal is made here.
        {"the removal an upgrade runs keeps the files",
         "/x <code> UPGRADINGPRODUCTCODE={00000000-0000-0000-0000-000000000001}", "0", 0, nullptr, true, false, ""},
        {"installed again", "/i " + package + " LONWORKSDIR=" + lonworks + "\\", "0", 0, R7716_VERSION, true, true, ""},
        {"removed", "/x <code>", "0", 0, nullptr, false, false, ""},
    };
    for (Step& step : steps) {
        SCOPED_TRACE(step.name);
        DeleteFileA((types + "\\mkcat.exe.ran").c_str());
        ASSERT_TRUE(WriteFileBytes(types + "\\mkcat.exe.exit", step.catalogExit));
        if (!step.removeFirst.empty()) {
            ASSERT_TRUE(DeleteFileA(step.removeFirst.c_str()));
        }
        if (const std::size_t code = step.arguments.find("<code>"); code != std::string::npos) {
            const std::vector<Entry> installed = Entries();
            ASSERT_EQ(installed.size(), 1u);
            step.arguments.replace(code, 6, installed[0].productCode);
        }
        EXPECT_EQ(RunToEnd("msiexec.exe " + step.arguments + " /qn /l*v \"" + lonworks + "\\..\\msiexec.log\""),
                  step.exitCode);

        const std::vector<Entry> entries = Entries();
        EXPECT_EQ(entries.size(), step.version ? 1u : 0u);
        EXPECT_EQ(Exists(program), step.version != nullptr);
        EXPECT_EQ(Exists(types + "\\mkcat.exe.ran"), step.catalogRan);
        EXPECT_TRUE(Exists(types + "\\mkcat.exe")) << "a file of another program removed";
        if (step.version && entries.size() == 1) {
            EXPECT_EQ(entries[0].version, step.version);
            EXPECT_EQ(entries[0].publisher, R7716_MAKER);
            EXPECT_EQ(entries[0].noModify, 1u);
            const std::string log = ReadFileBytes(std::string(programFolder) + "\\r7716-install.log").value_or("");
            EXPECT_TRUE(log.ends_with("| end | exit code 0\r\n")) << log;
        }
        if (step.filesCurrent) {  // as the detection rule sees them
            EXPECT_EQ(RunToEnd("\"" + ToWindowsPath(R7716_E2E_CONSOLE) + "\" --check " + lonworks + "\\"), 0);
        } else {
            for (const std::string& file : files) EXPECT_FALSE(Exists(file)) << file;
            EXPECT_FALSE(IsDirectory(types + "\\User\\KR"));
        }
    }
    EXPECT_FALSE(IsDirectory(programFolder)) << "the program's folder (or its log) stays after the removal";
}

}  // namespace
