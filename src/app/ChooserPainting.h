#pragma once
// Painting the items of the folder chooser's two owner-drawn controls: their icons, with the
// colour of each picture's bottom-left pixel left out, and one item as the core's model
// draws it.
#include <windows.h>

#include <initializer_list>
#include <vector>

#include "core/chooser/ChooserDrawing.h"
#include "win32/Scoped.h"

namespace korva {

// One of the exe's bitmap resources, drawn with the colour of its bottom-left pixel left out:
// the bitmap is split once into a mask and an image with that colour blackened. That happens
// at its first drawing, not at start-up: most pictures (floppy, CD-ROM, ...) are never drawn
// on a given machine, and the others only once the window is shown.
class TransparentBitmap {
public:
    // `resourceName`: a string literal naming a bitmap resource of the exe.
    explicit TransparentBitmap(const char* resourceName) : resourceName_(resourceName) {}

    const char* ResourceName() const { return resourceName_; }
    // Draws the picture with its top-left corner at (left, top); nothing when the resource
    // is missing.
    void Draw(HDC dc, int left, int top) const;

private:
    bool Load() const;  // LoadBitmapA of the resource and the split; false when it is missing

    const char* resourceName_;
    mutable bool tried_ = false;
    mutable ScopedBitmap image_;  // the picture, its transparent pixels black
    mutable ScopedBitmap mask_;   // monochrome: 1 where transparent
    mutable int width_ = 0, height_ = 0;
};

// The pictures one control shows, found by the icon the model names for an item.
class ChooserIcons {
public:
    // One picture for each of `icons` (by IconResourceName); `fallback`, one of them, stands
    // in for an icon outside the set (the first of `icons` when it is none of them).
    ChooserIcons(std::initializer_list<ChooserIcon> icons, ChooserIcon fallback);

    const TransparentBitmap& For(ChooserIcon icon) const;

private:
    struct Slot {
        ChooserIcon icon;
        TransparentBitmap bitmap;
    };
    std::vector<Slot> slots_;
    std::size_t fallback_ = 0;  // the slot of the fallback icon
};

// Where an item's text goes: on one line, vertically centred in the text rectangle (drive
// entries), or output at the rectangle's top-left corner (directory rows).
enum class TextPlacement { CentredLine, TopLeft };

// Paints one owner-drawn item: the background (the system's selection colours when selected,
// else the menu colour), the icon and the text; "&" always shows as itself.
void PaintChooserItem(const DRAWITEMSTRUCT& item, const ItemDrawing& drawing, const TransparentBitmap& icon,
                      TextPlacement placement);

}  // namespace korva
