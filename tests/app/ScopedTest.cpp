#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "win32/Scoped.h"

namespace korva {
namespace {

// ---- the portable scope guard ----

TEST(ScopeGuard, RunsOnceWhenTheScopeEndsByReturnOrByException) {
    struct Case {
        const char* name;
        bool throws;
    };
    for (const Case& c : {Case{"return", false}, Case{"exception", true}}) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> log;
        try {
            const ScopeGuard first([&] { log.push_back("first"); });
            const ScopeGuard second([&] { log.push_back("second"); });
            log.push_back("body");
            if (c.throws) throw std::runtime_error("leaves");
        } catch (const std::runtime_error&) {
            log.push_back("caught");
        }
        std::vector<std::string> want{"body", "second", "first"};
        if (c.throws) want.push_back("caught");
        EXPECT_EQ(log, want) << "guards run in reverse order of creation, before the handler";
    }
}

// ---- owned handles ----

// A GDI object or memory DC, made and dropped by one of the owning types; the raw handle
// is given back so the test can ask the system whether it still exists.
struct GdiCase {
    const char* name;
    DWORD type;  // GetObjectType while owned
    std::function<HGDIOBJ()> makeAndDrop;
};

template <typename Scoped>
HGDIOBJ MakeAndDrop(typename Scoped::Handle handle, DWORD type) {
    Scoped owned(handle);
    EXPECT_TRUE(owned.Valid());
    EXPECT_EQ(GetObjectType(owned.Get()), type) << "while owned";
    return owned.Get();
}

TEST(Scoped, GdiObjectsAndMemoryDcsAreDeletedWhenTheScopeEnds) {
    const GdiCase cases[] = {
        {"font", OBJ_FONT,
         [] {
             return MakeAndDrop<ScopedFont>(CreateFontA(-11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"), OBJ_FONT);
         }},
        {"brush", OBJ_BRUSH, [] { return MakeAndDrop<ScopedBrush>(CreateSolidBrush(RGB(255, 0, 0)), OBJ_BRUSH); }},
        {"bitmap", OBJ_BITMAP, [] { return MakeAndDrop<ScopedBitmap>(CreateBitmap(8, 8, 1, 1, nullptr), OBJ_BITMAP); }},
        {"region", OBJ_REGION, [] { return MakeAndDrop<ScopedRegion>(CreateRectRgn(0, 0, 4, 4), OBJ_REGION); }},
        {"memory dc", OBJ_MEMDC,
         [] { return static_cast<HGDIOBJ>(MakeAndDrop<ScopedMemoryDC>(CreateCompatibleDC(nullptr), OBJ_MEMDC)); }},
    };
    for (const GdiCase& c : cases) {
        SCOPED_TRACE(c.name);
        const HGDIOBJ dropped = c.makeAndDrop();
        ASSERT_NE(dropped, nullptr);
        EXPECT_EQ(GetObjectType(dropped), 0u) << "still exists after its owner's scope ended";
    }
}

// Ownership moves without a double delete: Reset deletes what it held, Release gives the
// object up, a move leaves the source holding nothing.
TEST(Scoped, ResetReleaseAndMoveDeleteEachObjectOnceOrNotAtAll) {
    HBRUSH first = CreateSolidBrush(RGB(1, 2, 3));
    HBRUSH second = CreateSolidBrush(RGB(4, 5, 6));
    HBRUSH released = nullptr;
    {
        ScopedBrush brush(first);
        brush.Reset(second);
        EXPECT_EQ(GetObjectType(first), 0u) << "Reset deletes the brush it held";
        ScopedBrush moved(std::move(brush));
        EXPECT_FALSE(brush.Valid());  // NOLINT(bugprone-use-after-move): a moved-from owner holds nothing
        EXPECT_EQ(moved.Get(), second);
        released = moved.Release();
    }
    EXPECT_EQ(GetObjectType(released), static_cast<DWORD>(OBJ_BRUSH)) << "a released brush is not deleted";
    DeleteObject(released);
}

class ScopedHandleTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        path_ = std::string(temp) + "r7716-scoped-" + std::to_string(GetCurrentProcessId()) + ".tmp";
    }
    void TearDown() override { DeleteFileA(path_.c_str()); }
    HANDLE Open() const {
        return CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    static bool IsOpen(HANDLE handle) {
        DWORD flags = 0;
        return GetHandleInformation(handle, &flags) != FALSE;
    }
    std::string path_;
};

TEST_F(ScopedHandleTest, ClosesTheFileWhenTheScopeEnds) {
    HANDLE raw = nullptr;
    {
        ScopedHandle file(Open());
        ASSERT_TRUE(file.Valid());
        raw = file.Get();
        EXPECT_TRUE(IsOpen(raw));
    }
    EXPECT_FALSE(IsOpen(raw));
    ScopedHandle again(Open());
    EXPECT_TRUE(again.Valid()) << "the file is still held (opened without sharing)";
}

TEST_F(ScopedHandleTest, CloseReportsTheSystemsAnswerOnceAndLeavesNothingToClose) {
    ScopedHandle file(Open());
    ASSERT_TRUE(file.Valid());
    const HANDLE raw = file.Get();
    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.Valid());
    EXPECT_FALSE(IsOpen(raw));
    EXPECT_TRUE(file.Close()) << "nothing left to close";

    // A handle that is no longer open: the system refuses to close it.
    ScopedHandle stale(raw);
    EXPECT_FALSE(stale.Close());
}

TEST_F(ScopedHandleTest, NullAndInvalidHandleValueOwnNothing) {
    for (HANDLE none : {static_cast<HANDLE>(nullptr), INVALID_HANDLE_VALUE}) {
        SCOPED_TRACE(none == nullptr ? "null" : "INVALID_HANDLE_VALUE");
        ScopedHandle handle(none);
        EXPECT_FALSE(handle.Valid());
        EXPECT_FALSE(static_cast<bool>(handle));
        EXPECT_TRUE(handle.Close());
    }
    // A failed open gives INVALID_HANDLE_VALUE: the owner closes nothing.
    ScopedHandle missing(
        CreateFileA("Z:\\no\\such\\folder\\file", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing.Valid());
}

// ---- DCs and selections ----

TEST(ScopedSelectObject, PutsBackTheObjectItReplacedWhateverWasSelectedInBetween) {
    ScopedMemoryDC dc(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc.Valid());
    ScopedFont font(CreateFontA(-11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
    ScopedFont other(CreateFontA(-8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
    ScopedBrush brush(CreateSolidBrush(RGB(255, 128, 128)));
    ScopedBitmap bitmap(CreateBitmap(8, 8, 1, 1, nullptr));
    struct Case {
        const char* name;
        UINT kind;  // GetCurrentObject
        HGDIOBJ object;
        HGDIOBJ between;  // selected by hand inside the scope, or null
    };
    const Case cases[] = {
        {"font", OBJ_FONT, font.Get(), other.Get()},
        {"brush", OBJ_BRUSH, brush.Get(), GetStockObject(BLACK_BRUSH)},
        {"bitmap", OBJ_BITMAP, bitmap.Get(), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const HGDIOBJ before = GetCurrentObject(dc.Get(), c.kind);
        {
            const ScopedSelectObject select(dc.Get(), c.object);
            EXPECT_EQ(GetCurrentObject(dc.Get(), c.kind), c.object);
            if (c.between) SelectObject(dc.Get(), c.between);
        }
        EXPECT_EQ(GetCurrentObject(dc.Get(), c.kind), before);
    }
    const HGDIOBJ fontBefore = GetCurrentObject(dc.Get(), OBJ_FONT);
    {
        const ScopedSelectObject nothing(dc.Get(), nullptr);
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), fontBefore) << "a null object selects nothing";
    }
}

// ---- functions looked up at run time ----

TEST(LoadProc, FindsExportedFunctionsWithTheirDeclaredTypeAndNothingElse) {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    ASSERT_NE(kernel, nullptr);
    struct Case {
        const char* name;
        HMODULE module;
        const char* function;
        bool found;
    };
    const Case cases[] = {
        {"exported", kernel, "lstrlenA", true},
        {"not exported", kernel, "NoSuchFunctionInKernel32", false},
        {"no module", nullptr, "lstrlenA", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto length = LoadProc<decltype(lstrlenA)>(c.module, c.function);
        EXPECT_EQ(length != nullptr, c.found);
        if (length) {
            EXPECT_EQ(length("R7716"), 5) << "called through the looked-up pointer";
        }
    }
    auto processId = LoadProc<decltype(GetCurrentProcessId)>(kernel, "GetCurrentProcessId");
    ASSERT_NE(processId, nullptr);
    EXPECT_EQ(processId(), GetCurrentProcessId());
}

}  // namespace
}  // namespace korva
