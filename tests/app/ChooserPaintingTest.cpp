// The folder chooser's controls paint each item with the picture of its kind, the picture's
// bottom-left colour left out, on the menu or selection colour. The pictures come from this
// test program's resources, which carry the tool's bitmaps under the tool's names.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/ChooserPainting.h"
#include "app/DirectoryList.h"
#include "app/DriveList.h"
#include "win32/Scoped.h"

namespace korva {
namespace {

// A 32-bit picture in memory to paint into.
class Canvas {
public:
    Canvas(int width, int height)
        : dc_(CreateCompatibleDC(nullptr)), bitmap_(MakeBitmap(width, height)), select_(dc_.Get(), bitmap_.Get()) {}
    HDC Dc() const { return dc_.Get(); }
    bool Valid() const { return dc_.Valid() && bitmap_.Valid(); }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_.Get(), x, y); }

private:
    static HBITMAP MakeBitmap(int width, int height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    ScopedMemoryDC dc_;
    ScopedBitmap bitmap_;
    ScopedSelectObject select_;
};

// The pixels of one of the bitmap resources, as loaded from this program.
class Picture {
public:
    explicit Picture(const char* resource)
        : bitmap_(LoadBitmapA(GetModuleHandleA(nullptr), resource)),
          dc_(CreateCompatibleDC(nullptr)),
          select_(dc_.Get(), bitmap_.Get()) {
        BITMAP info{};
        if (bitmap_) GetObjectA(bitmap_.Get(), sizeof info, &info);
        width_ = info.bmWidth;
        height_ = info.bmHeight;
    }
    bool Loaded() const { return bitmap_.Valid() && width_ > 0 && height_ > 0; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_.Get(), x, y); }
    COLORREF Transparent() const { return Pixel(0, height_ - 1); }

private:
    ScopedBitmap bitmap_;
    ScopedMemoryDC dc_;
    ScopedSelectObject select_;
    int width_ = 0, height_ = 0;
};

// Checks that `canvas` shows `resource` at (left, top): its own colours where it is opaque,
// `ground` where its bottom-left colour is; returns the number of pixels that differ.
int DifferingPixels(const Canvas& canvas, const char* resource, int left, int top, COLORREF ground) {
    const Picture picture(resource);
    EXPECT_TRUE(picture.Loaded()) << resource;
    int differing = 0;
    int opaque = 0;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const COLORREF own = picture.Pixel(x, y);
            const bool transparent = own == picture.Transparent();
            opaque += transparent ? 0 : 1;
            if (canvas.Pixel(left + x, top + y) != (transparent ? ground : own)) ++differing;
        }
    }
    EXPECT_GT(opaque, 0) << resource << " has no opaque pixel: the check would prove nothing";
    return differing;
}

DRAWITEMSTRUCT ItemOn(const Canvas& canvas, int index, RECT rect, bool selected) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_LISTBOX;
    item.itemID = static_cast<UINT>(index);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = selected ? ODS_SELECTED : 0;
    item.hDC = canvas.Dc();
    item.rcItem = rect;
    return item;
}

// A folder with one visible subfolder, made the working directory while the test runs.
class ChooserPaintingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, before_), 0u);
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
        folder_ = std::string(temp) + "r7716-painting-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder_.c_str(), nullptr);
        CreateDirectoryA((folder_ + "\\Sub").c_str(), nullptr);
        ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str())) << folder_;
    }
    void TearDown() override {
        SetCurrentDirectoryA(before_);
        RemoveDirectoryA((folder_ + "\\Sub").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    char before_[MAX_PATH] = "";
    std::string folder_;
};

TEST_F(ChooserPaintingTest, EachDirectoryRowShowsThePictureOfItsKind) {
    DirectoryList list(1);
    list.HandleWindowCreated();
    const std::vector<DirectoryRow>& rows = list.Model().Rows();
    ASSERT_GE(rows.size(), 3u) << "the root, the current folder and its subfolder";
    struct Case {
        const char* name;
        int row;
        bool selected;
        const char* picture;
    };
    const int current = list.Model().HighlightedRow();  // the current row, highlighted at creation
    const Case cases[] = {
        {"the root (an ancestor)", 0, false, "OPENFOLDER"},
        {"the current folder", current, false, "CURRENTFOLDER"},
        {"the current folder, selected", current, true, "CURRENTFOLDER"},
        {"its subfolder", current + 1, false, "CLOSEDFOLDER"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Canvas canvas(200, 16);
        ASSERT_TRUE(canvas.Valid());
        const RECT rect{0, 0, 200, 16};
        list.OnDrawItem(ItemOn(canvas, c.row, rect, c.selected));
        const ItemDrawing drawing = list.Model().DrawRow(c.row, {0, 0, 200, 16});
        const COLORREF ground = GetSysColor(c.selected ? COLOR_HIGHLIGHT : COLOR_MENU);
        EXPECT_EQ(canvas.Pixel(0, 0), ground) << "the item's background";
        EXPECT_EQ(DifferingPixels(canvas, c.picture, drawing.iconLeft, drawing.iconTop, ground), 0);
    }
}

TEST_F(ChooserPaintingTest, AFixedDriveEntryShowsTheHardDiskPicture) {
    DriveList drives(2);
    drives.HandleWindowCreated();  // no control: the entries only
    Canvas canvas(200, 16);
    ASSERT_TRUE(canvas.Valid());
    // Drive C: is a fixed drive in every prefix.
    const std::vector<DriveEntry>& entries = drives.Model().Entries();
    int entry = -1;
    for (std::size_t i = 0; i < entries.size() && entry < 0; ++i)
        if (entries[i].text.rfind("c:", 0) == 0) entry = static_cast<int>(i);
    ASSERT_GE(entry, 0) << "no entry for drive c:";
    drives.OnDrawItem(ItemOn(canvas, entry, {0, 0, 200, 16}, false));
    const ItemDrawing drawing = drives.Model().DrawEntry(entry, {0, 0, 200, 16});
    EXPECT_EQ(DifferingPixels(canvas, "HARD", drawing.iconLeft, drawing.iconTop, GetSysColor(COLOR_MENU)), 0);
}

TEST(ChooserIcons, EachIconFindsItsOwnPictureAndOthersTheFallback) {
    const ChooserIcons drives(
        {ChooserIcon::Floppy, ChooserIcon::Hard, ChooserIcon::Network, ChooserIcon::CdRom, ChooserIcon::Ram},
        ChooserIcon::Hard);
    const ChooserIcons folders({ChooserIcon::OpenFolder, ChooserIcon::CurrentFolder, ChooserIcon::ClosedFolder},
                               ChooserIcon::ClosedFolder);
    struct Case {
        const ChooserIcons* set;
        ChooserIcon icon;
        std::string picture;
    };
    const Case cases[] = {
        {&drives, ChooserIcon::Floppy, "FLOPPY"},
        {&drives, ChooserIcon::Hard, "HARD"},
        {&drives, ChooserIcon::Network, "NETWORK"},
        {&drives, ChooserIcon::CdRom, "CDROM"},
        {&drives, ChooserIcon::Ram, "RAM"},
        {&drives, ChooserIcon::ClosedFolder, "HARD"},
        {&folders, ChooserIcon::OpenFolder, "OPENFOLDER"},
        {&folders, ChooserIcon::CurrentFolder, "CURRENTFOLDER"},
        {&folders, ChooserIcon::ClosedFolder, "CLOSEDFOLDER"},
        {&folders, ChooserIcon::Floppy, "CLOSEDFOLDER"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture);
        EXPECT_EQ(c.set->For(c.icon).ResourceName(), c.picture);
    }
}

TEST(TransparentBitmap, AMissingResourceDrawsNothing) {
    Canvas canvas(20, 20);
    ASSERT_TRUE(canvas.Valid());
    RECT all{0, 0, 20, 20};
    FillRect(canvas.Dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TransparentBitmap("NOSUCHPICTURE").Draw(canvas.Dc(), 2, 2);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(canvas.Pixel(x, y), RGB(255, 255, 255)) << x << "," << y;
}

}  // namespace
}  // namespace korva
