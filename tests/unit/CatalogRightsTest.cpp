#include <gtest/gtest.h>

#include "FakeInstallPlatform.h"
#include "core/install/CatalogRights.h"

namespace korva {
namespace {

using testing::FakeInstallPlatform;

const std::string kTypes = "C:\\LonWorks\\Types", kUsers = "S-1-5-32-545", kSystem = "S-1-5-18";

ObjectSecurity Owned(const std::string& owner, std::vector<AccessEntry> dacl, bool nullDacl = false) {
    return {ObjectSecurity::State::Read, owner, nullDacl, std::move(dacl)};
}

// What the command runs and runs from, in the order the command interpreter looks; and who,
// by the owner and DACL of each, could change it.
TEST(ChooseCatalogRights, FullOnlyWhenNoNonAdministratorCanChangeWhatRuns) {
    const AccessEntry system{true, 0, 0x1f01ff, kSystem};
    const ObjectSecurity everyone = Owned(kSystem, {system, {true, 0, 0x1301ff, "S-1-1-0"}});
    struct Case {
        const char* name;
        std::string path;                // PATH
        std::vector<std::string> tools;  // the folders that hold mkcat.exe
        std::map<std::string, ObjectSecurity> security;
        std::string cause, standsFor;  // empty cause: full rights
    } cases[] = {
        {"SYSTEM's, Administrators', TrustedInstaller's, the account's; users read and run",
         "C:\\Tools",
         {kTypes},
         {{kTypes, Owned(FakeInstallPlatform::kAccount,
                         {system,
                          {true, 0, 0x1f01ff, "S-1-5-32-544"},
                          {true, 0, 0x1200a9, kUsers},
                          {true, 0, 0x10000000, "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464"}})},
          {"C:\\Tools", everyone}}},
        {"users may change what it holds, not the folder",
         "",
         {kTypes},
         {{kTypes, Owned(kSystem, {system, {true, 0x0B, 0x1301ff, kUsers}})}}},
        {"users denied changing it", "", {kTypes}, {{kTypes, Owned(kSystem, {{false, 0, 0x1301ff, kUsers}})}}},
        {"no DACL", "", {kTypes}, {{kTypes, Owned(kSystem, {}, true)}}, kTypes},
        {"owned by a user", "", {kTypes}, {{kTypes, Owned("S-1-5-21-7-7-7-1001", {system})}}, kTypes},
        {"Authenticated Users may modify, inherited",
         "",
         {kTypes},
         {{kTypes, Owned(kSystem, {system, {true, 0x10, 0x1301bf, "S-1-5-11"}})}},
         kTypes},
        {"owner and DACL unreadable",
         "",
         {kTypes},
         {{kTypes, {ObjectSecurity::State::Unreadable, {}, false, {}}}},
         kTypes},
        {"the command file writable", "", {kTypes}, {{kTypes + "\\loninst.cmd", everyone}}, kTypes + "\\loninst.cmd"},
        {"the tool writable", "", {kTypes}, {{kTypes + "\\mkcat.exe", everyone}}, kTypes + "\\mkcat.exe"},
        {"the interpreter's folder writable", "", {kTypes}, {{"C:\\Windows", everyone}}, "C:\\Windows"},
        {"on the PATH after a writable folder",
         "C:\\Tools;C:\\Bin",
         {"C:\\Bin"},
         {{"C:\\Tools", everyone}},
         "C:\\Tools"},
        {"a PATH folder not there, below a writable one",
         "C:\\Tools\\Old\\Bin;C:\\Bin",
         {"C:\\Bin"},
         {{"C:\\Tools", everyone}},
         "C:\\Tools",
         "C:\\Tools\\Old\\Bin"},
        {"found nowhere: every folder counts", "C:\\Bin;;\"C:\\Tools\"", {}, {{"C:\\Tools", everyone}}, "C:\\Tools"},
        {"a relative PATH folder lies below Types",
         "Sub;C:\\Bin",
         {"C:\\Bin"},
         {{kTypes + "\\Sub", everyone}},
         kTypes + "\\Sub"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeInstallPlatform platform;
        platform.folders = {"C:\\", "C:\\Bin", "C:\\Tools", "C:\\Windows", "C:\\LonWorks", kTypes, kTypes + "\\Sub"};
        platform.files = {{kTypes + "\\loninst.cmd", ""}, {"C:\\Windows\\cmd.exe", ""}};
        for (const std::string& folder : c.tools) platform.files[folder + "\\mkcat.exe"] = "";
        platform.security = c.security;
        platform.environment = {{"PATH", c.path}, {"ComSpec", "C:\\Windows\\cmd.exe"}};
        const CatalogRights rights = ChooseCatalogRights(LayoutFor("C:\\LonWorks", "KR"), platform);
        EXPECT_EQ(rights.rights, c.cause.empty() ? Rights::Full : Rights::StandardUser);
        EXPECT_EQ(rights.cause, c.cause);
        EXPECT_EQ(rights.standsFor, c.standsFor);
    }
    // Each right that changes the object, granted alone to users, and each that does not.
    for (std::uint32_t right : {0x2u, 0x4u, 0x40u, 0x10000u, 0x40000u, 0x80000u, 0x10000000u, 0x40000000u})
        EXPECT_TRUE(ChangeableByNonAdministrator(Owned(kSystem, {{true, 0, right, kUsers}}), kSystem)) << right;
    for (std::uint32_t right : {0x1u, 0x8u, 0x10u, 0x20u, 0x80u, 0x100u, 0x20000u, 0x100000u, 0x80000000u})
        EXPECT_FALSE(ChangeableByNonAdministrator(Owned(kSystem, {{true, 0, right, kUsers}}), kSystem)) << right;
}

// The standard user's start, from what the platform reports of the program's token and place.
TEST(StandardUserStartFor, RestrictsToAStandardUsersGroupsAndGivesADesktopTheChildMayUse) {
    const std::string run = "S-1-5-21-1-2-3-4", own = "KORVA-R7716-" + run, admin = FakeInstallPlatform::kAccount;
    struct Case {
        const char* name;
        StartFacts facts;
        std::vector<std::string> restricting, dacl;
        std::string station, desktop, temp;
    } cases[] = {
        {"an elevated administrator on the interactive station",
         {admin, {"S-1-1-0", "S-1-5-4", "S-1-5-11", "S-1-5-32-544", kUsers, "S-1-5-5-0-123"}, "WinSta0", "C:\\T", run},
         {"S-1-1-0", "S-1-5-11", kUsers, "S-1-5-4", "S-1-5-5-0-123", run},
         {admin, kSystem, run},
         "",
         "WinSta0\\Default",
         "C:\\T\\" + own},
        // SYSTEM holds no Users, no Interactive, no logon SID; its station admits SYSTEM alone.
        {"SYSTEM in session 0",
         {kSystem, {"S-1-5-32-544", "S-1-1-0", "S-1-5-11"}, "Service-0x0-3e7$", "C:\\", run},
         {"S-1-1-0", "S-1-5-11", kUsers, run},
         {kSystem, run},
         own,
         own + "\\Default",
         "C:\\" + own},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const StandardUserStart start = StandardUserStartFor(c.facts);
        EXPECT_EQ(start.restricting, c.restricting);
        EXPECT_EQ(start.dacl, c.dacl);
        EXPECT_EQ(start.windowStation, c.station);
        EXPECT_EQ(start.desktop, c.desktop);
        EXPECT_EQ(start.tempFolder, c.temp);
    }
}

}  // namespace
}  // namespace korva
