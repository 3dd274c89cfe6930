#include <gtest/gtest.h>

#include "FakeInstallPlatform.h"
#include "core/install/CatalogRights.h"

namespace korva {
namespace {

using testing::FakeInstallPlatform;

const std::string kSystem = "S-1-5-18", kAdministrators = "S-1-5-32-544", kUsers = "S-1-5-32-545",
                  kEveryone = "S-1-1-0", kAuthenticatedUsers = "S-1-5-11",
                  kTrustedInstaller = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

TEST(ChangeableByNonAdministrator, OwnerAndWhatEntriesGrantOnTheObjectItself) {
    const std::string account = FakeInstallPlatform::kAccount;
    const AccessEntry systemAll{true, 0, 0x1f01ff, kSystem};
    struct Case {
        const char* name;
        std::string owner;
        bool nullDacl;
        std::vector<AccessEntry> dacl;
        bool changeable;
    } cases[] = {
        {"SYSTEM, Administrators, TrustedInstaller and the account may do all",
         kAdministrators,
         false,
         {systemAll,
          {true, 0, 0x1f01ff, kAdministrators},
          {true, 0, 0x10000000, kTrustedInstaller},
          {true, 0, 0x1f01ff, account}},
         false},
        {"owned by TrustedInstaller, users may read and run",
         kTrustedInstaller,
         false,
         {systemAll, {true, 0, 0x1200a9, kUsers}},
         false},
        {"owned by the account", account, false, {systemAll}, false},
        {"no DACL at all", kSystem, true, {}, true},
        {"owned by a user", "S-1-5-21-7-7-7-1001", false, {systemAll}, true},
        {"users may write what the folder holds, not the folder",
         kSystem,
         false,
         {systemAll, {true, 0x0B, 0x1301ff, kUsers}},
         false},
        {"users denied writing", kSystem, false, {systemAll, {false, 0, 0x1301ff, kUsers}}, false},
        {"Authenticated Users may modify, inherited from C:\\",
         kSystem,
         false,
         {systemAll, {true, 0x10, 0x1301bf, kAuthenticatedUsers}},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ChangeableByNonAdministrator({ObjectSecurity::State::Read, c.owner, c.nullDacl, c.dacl}, account),
                  c.changeable);
    }
    // Each right that changes the object, granted alone to Everyone, and each that does not.
    for (std::uint32_t right : {0x2u, 0x4u, 0x40u, 0x10000u, 0x40000u, 0x80000u, 0x10000000u, 0x40000000u}) {
        const ObjectSecurity security{ObjectSecurity::State::Read, kSystem, false, {{true, 0, right, kEveryone}}};
        EXPECT_TRUE(ChangeableByNonAdministrator(security, account)) << std::hex << right;
    }
    for (std::uint32_t right : {0x1u, 0x8u, 0x10u, 0x20u, 0x80u, 0x100u, 0x20000u, 0x100000u, 0x80000000u}) {
        const ObjectSecurity security{ObjectSecurity::State::Read, kSystem, false, {{true, 0, right, kEveryone}}};
        EXPECT_FALSE(ChangeableByNonAdministrator(security, account)) << std::hex << right;
    }
}

// What the command runs and runs from, in the order the command interpreter looks.
TEST(ChooseCatalogRights, CommandFileToolAndEveryFolderSearchedUpToIt) {
    const std::string types = "C:\\LonWorks\\Types";
    const ObjectSecurity writable{ObjectSecurity::State::Read, kSystem, false, {{true, 0, 0x1301ff, kEveryone}}};
    struct Case {
        const char* name;
        std::string path;                // PATH
        std::vector<std::string> tools;  // where mkcat.exe is
        std::vector<std::string> writable;
        std::string cause;  // empty: full rights
        std::string standsFor = "";
    } cases[] = {
        {"in the Types folder, nothing writable", "C:\\Bin", {types}, {}, ""},
        {"the Types folder writable", "", {types}, {types}, types},
        {"the command file writable", "", {types}, {types + "\\loninst.cmd"}, types + "\\loninst.cmd"},
        {"the tool writable", "", {types}, {types + "\\mkcat.exe"}, types + "\\mkcat.exe"},
        {"the interpreter's folder writable", "", {types}, {"C:\\Tools"}, "C:\\Tools"},
        {"found in the Types folder: the PATH is not searched", "C:\\Tools", {types}, {"C:\\Tools"}, ""},
        {"found on the PATH after a writable folder", "C:\\Tools;C:\\Bin", {"C:\\Bin"}, {"C:\\Tools"}, "C:\\Tools"},
        {"found on the PATH before a writable folder", "C:\\Bin;C:\\Tools", {"C:\\Bin"}, {"C:\\Tools"}, ""},
        {"a PATH folder that is not there, below a writable one",
         "C:\\Tools\\Old\\Bin;C:\\Bin",
         {"C:\\Bin"},
         {"C:\\Tools"},
         "C:\\Tools",
         "C:\\Tools\\Old\\Bin"},
        {"found nowhere: every folder counts", "C:\\Bin;;\"C:\\Tools\"", {}, {"C:\\Tools"}, "C:\\Tools"},
        {"a relative PATH folder lies below the Types folder",
         "Sub;C:\\Bin",
         {"C:\\Bin"},
         {types + "\\Sub"},
         types + "\\Sub"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeInstallPlatform platform;
        platform.folders = {"C:\\", "C:\\Bin", "C:\\Tools", "C:\\LonWorks", types, types + "\\Sub"};
        platform.files = {{types + "\\loninst.cmd", ""}, {"C:\\Tools\\cmd.exe", ""}};
        for (const std::string& folder : c.tools) platform.files[folder + "\\mkcat.exe"] = "";
        for (const std::string& path : c.writable) platform.security[path] = writable;
        platform.environment = {{"PATH", c.path}};
        if (std::string(c.name).find("interpreter") != std::string::npos)
            platform.environment["ComSpec"] = "C:\\Tools\\cmd.exe";
        const CatalogRights rights = ChooseCatalogRights(LayoutFor("C:\\LonWorks", "KR"), platform);
        EXPECT_EQ(rights.rights, c.cause.empty() ? Rights::Full : Rights::StandardUser);
        EXPECT_EQ(rights.cause, c.cause);
        EXPECT_EQ(rights.standsFor, c.standsFor);
    }
    FakeInstallPlatform platform;
    platform.security[types] = {ObjectSecurity::State::Unreadable};
    EXPECT_EQ(RightsText(ChooseCatalogRights(LayoutFor("C:\\LonWorks", "KR"), platform)),
              "a standard user's: " + types + ": its owner and permissions cannot be read");
}

}  // namespace
}  // namespace korva
