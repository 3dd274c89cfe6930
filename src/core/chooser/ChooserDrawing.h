#pragma once
// What the owner-drawn drive chooser and directory list draw, as plain data: which icon,
// where it goes and where the text goes. The Win32 controls turn this into BitBlt (the
// icon's bottom-left pixel is its transparent colour) and text output.
#include <algorithm>
#include <string>

namespace korva {

// The eight bitmap resources, by their resource names.
enum class ChooserIcon { Floppy, Hard, Network, CdRom, Ram, OpenFolder, CurrentFolder, ClosedFolder };

inline const char* IconResourceName(ChooserIcon icon) {
    switch (icon) {
    case ChooserIcon::Floppy: return "FLOPPY";
    case ChooserIcon::Hard: return "HARD";
    case ChooserIcon::Network: return "NETWORK";
    case ChooserIcon::CdRom: return "CDROM";
    case ChooserIcon::Ram: return "RAM";
    case ChooserIcon::OpenFolder: return "OPENFOLDER";
    case ChooserIcon::CurrentFolder: return "CURRENTFOLDER";
    case ChooserIcon::ClosedFolder: return "CLOSEDFOLDER";
    }
    return "";
}

// Drive icons are 16 x 11 pixels, folder icons 16 x 15.
inline constexpr int kIconWidth = 16;
inline constexpr int kDriveIconHeight = 11;
inline constexpr int kFolderIconHeight = 15;

// Item heights: the larger of the font's text height and the icon's (the list adds one).
inline int DriveItemHeight(int textHeight) { return std::max(textHeight, kDriveIconHeight); }
inline int DirectoryItemHeight(int textHeight) { return std::max(textHeight, kFolderIconHeight + 1); }

// An item's rectangle in client coordinates, as WM_DRAWITEM gives it.
struct ItemRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ItemRect&) const = default;
};

// One item as drawn: the icon's top-left corner, the text and where it goes. A directory
// row's text is output at (textRect.left, textRect.top); a drive entry's text fills
// textRect on one line, vertically centred, with "&" shown as itself (DT_NOPREFIX).
struct ItemDrawing {
    ChooserIcon icon = ChooserIcon::Hard;
    int iconLeft = 0, iconTop = 0;
    ItemRect textRect;
    std::string text;
};

// Top of an icon centred in an item: (top + bottom - height) / 2, truncating toward zero.
inline int CentredIconTop(const ItemRect& rect, int iconHeight) { return (rect.top + rect.bottom - iconHeight) / 2; }

}  // namespace korva
