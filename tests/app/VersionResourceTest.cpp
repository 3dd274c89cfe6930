// The version resource of both builds of the tool carries the product's facts from
// ProductInfo.h: the numbers, the version texts, the title and the maker.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ProductInfo.h"

namespace {

class VersionResource {
public:
    explicit VersionResource(const char* exe) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(exe, &ignored);
        if (size == 0) return;
        data_.resize(size);
        if (!GetFileVersionInfoA(exe, 0, size, data_.data())) data_.clear();
    }
    bool Loaded() const { return !data_.empty(); }

    const VS_FIXEDFILEINFO* Fixed() const {
        void* block = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(data_.data(), "\\", &block, &length) || length < sizeof(VS_FIXEDFILEINFO)) return nullptr;
        return static_cast<const VS_FIXEDFILEINFO*>(block);
    }
    std::string Text(const std::string& name) const {
        void* block = nullptr;
        UINT length = 0;
        const std::string path = "\\StringFileInfo\\040904E4\\" + name;
        if (!VerQueryValueA(data_.data(), path.c_str(), &block, &length) || length == 0) return "<missing>";
        return static_cast<const char*>(block);
    }

private:
    std::vector<char> data_;
};

TEST(VersionResource, BothBuildsCarryTheProductsVersionAndTitle) {
    for (const char* exe : {R7716_APP_TEST_TOOL, R7716_APP_TEST_TOOL_DEV}) {
        SCOPED_TRACE(exe);
        const VersionResource resource(exe);
        ASSERT_TRUE(resource.Loaded()) << "no version resource";
        const VS_FIXEDFILEINFO* fixed = resource.Fixed();
        ASSERT_NE(fixed, nullptr);
        const DWORD versionMs = MAKELONG(R7716_VERSION_MINOR, R7716_VERSION_MAJOR);
        EXPECT_EQ(fixed->dwFileVersionMS, versionMs);
        EXPECT_EQ(fixed->dwFileVersionLS, 0u);
        EXPECT_EQ(fixed->dwProductVersionMS, versionMs);
        EXPECT_EQ(fixed->dwProductVersionLS, 0u);
        struct Field {
            const char* name;
            std::string want;
        };
        const Field fields[] = {
            {"FileDescription", R7716_APP_TITLE}, {"ProductName", R7716_APP_TITLE}, {"FileVersion", R7716_FILE_VERSION},
            {"ProductVersion", R7716_VERSION},    {"CompanyName", R7716_MAKER},
        };
        for (const Field& f : fields) EXPECT_EQ(resource.Text(f.name), f.want) << f.name;
    }
}

// The numbers and the texts of the version say the same.
TEST(VersionResource, VersionTextsFollowTheNumbers) {
    const std::string numbers = std::to_string(R7716_VERSION_MAJOR) + "." + std::to_string(R7716_VERSION_MINOR);
    EXPECT_EQ(std::string(R7716_VERSION), numbers);
    EXPECT_EQ(std::string(R7716_FILE_VERSION), numbers + ".0.0");
}

}  // namespace
