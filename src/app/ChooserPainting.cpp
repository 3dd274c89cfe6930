#include "app/ChooserPainting.h"

#include <algorithm>

namespace korva {

bool TransparentBitmap::Load() const {
    const ScopedBitmap loaded(LoadBitmapA(GetModuleHandleA(nullptr), resourceName_));
    if (!loaded) return false;
    BITMAP info{};
    GetObjectA(loaded.Get(), sizeof info, &info);
    width_ = info.bmWidth;
    height_ = info.bmHeight;

    const ScopedGetDC screen(nullptr);
    const ScopedMemoryDC source(CreateCompatibleDC(screen.Get()));
    const ScopedMemoryDC target(CreateCompatibleDC(screen.Get()));
    image_.Reset(CreateCompatibleBitmap(screen.Get(), width_, height_));
    mask_.Reset(CreateBitmap(width_, height_, 1, 1, nullptr));
    if (!image_ || !mask_ || !source || !target) {
        image_.Reset();
        mask_.Reset();
        return false;
    }
    const ScopedSelectObject sourceSelection(source.Get(), loaded.Get());
    const COLORREF transparent = GetPixel(source.Get(), 0, height_ - 1);
    // Colour to monochrome: pixels of the source's background colour become 1.
    const ScopedSelectObject targetSelection(target.Get(), mask_.Get());
    SetBkColor(source.Get(), transparent);
    BitBlt(target.Get(), 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY);
    // The picture with its transparent pixels black: image AND NOT mask.
    SelectObject(target.Get(), image_.Get());
    BitBlt(target.Get(), 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY);
    SelectObject(source.Get(), mask_.Get());
    SetBkColor(target.Get(), RGB(255, 255, 255));
    SetTextColor(target.Get(), RGB(0, 0, 0));
    BitBlt(target.Get(), 0, 0, width_, height_, source.Get(), 0, 0, 0x00220326 /* DSna */);
    return true;
}

void TransparentBitmap::Draw(HDC dc, int left, int top) const {
    if (!tried_ && resourceName_) {
        tried_ = true;
        Load();
    }
    if (!image_ || !mask_) return;
    const ScopedMemoryDC memory(CreateCompatibleDC(dc));
    if (!memory) return;
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    {
        const ScopedSelectObject select(memory.Get(), mask_.Get());
        BitBlt(dc, left, top, width_, height_, memory.Get(), 0, 0, SRCAND);  // opaque pixels black
        SelectObject(memory.Get(), image_.Get());
        BitBlt(dc, left, top, width_, height_, memory.Get(), 0, 0, SRCPAINT);  // the picture into them
    }
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

ChooserIcons::ChooserIcons(std::initializer_list<ChooserIcon> icons, ChooserIcon fallback) {
    slots_.reserve(icons.size());
    for (ChooserIcon icon : icons) {
        if (icon == fallback) fallback_ = slots_.size();
        slots_.push_back({icon, TransparentBitmap(IconResourceName(icon))});
    }
}

const TransparentBitmap& ChooserIcons::For(ChooserIcon icon) const {
    const auto slot = std::find_if(slots_.begin(), slots_.end(), [icon](const Slot& s) { return s.icon == icon; });
    return slot != slots_.end() ? slot->bitmap : slots_[fallback_].bitmap;
}

void PaintChooserItem(const DRAWITEMSTRUCT& item, const ItemDrawing& drawing, const TransparentBitmap& icon,
                      TextPlacement placement) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (item.itemID == static_cast<UINT>(-1)) return;  // an empty list or no selection
    icon.Draw(item.hDC, drawing.iconLeft, drawing.iconTop);
    const int oldMode = SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text{drawing.textRect.left, drawing.textRect.top, drawing.textRect.right, drawing.textRect.bottom};
    if (placement == TextPlacement::CentredLine) {
        DrawTextA(item.hDC, drawing.text.c_str(), static_cast<int>(drawing.text.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    } else {
        // Plain text output at the row's top; ExtTextOut shows "&" as itself.
        ExtTextOutA(item.hDC, text.left, text.top, ETO_CLIPPED, &item.rcItem, drawing.text.c_str(),
                    static_cast<UINT>(drawing.text.size()), nullptr);
    }
    SetTextColor(item.hDC, oldColor);
    SetBkMode(item.hDC, oldMode);
}

}  // namespace korva
