#pragma once
// DriveList: the drive list of the main window, a drop-down list without edit field
// whose entries it draws itself, over the portable DriveChooserModel. The window forwards
// the control's owner-draw, colour and command messages to it.
#include <windows.h>

#include "core/chooser/ChooserDrawing.h"
#include "core/chooser/DriveChooserModel.h"
#include "win32/Scoped.h"
#include "win32/Win32ChooserPlatform.h"

namespace korva {

class DirectoryList;

// One of the chooser's bitmap resources, drawn with the colour of its bottom-left pixel
// left out: the bitmap is split once into a mask and an image with that colour blackened.
// That happens at its first drawing, not at start-up: most pictures (floppy, CD-ROM, ...)
// are never drawn on a given machine, and the others only once the window is shown.
class TransparentBitmap {
public:
    TransparentBitmap() = default;
    TransparentBitmap(const TransparentBitmap&) = delete;
    TransparentBitmap& operator=(const TransparentBitmap&) = delete;

    // The named bitmap resource of the exe (a string literal), loaded when first drawn.
    void SetResource(const char* resourceName) { resourceName_ = resourceName; }
    // Draws nothing when the resource is missing.
    void Draw(HDC dc, int left, int top) const;

private:
    bool Load() const;  // LoadBitmapA of the resource and the split; false when it is missing

    const char* resourceName_ = nullptr;
    mutable bool tried_ = false;
    mutable ScopedBitmap image_;  // the picture, its transparent pixels black
    mutable ScopedBitmap mask_;   // monochrome: 1 where transparent
    mutable int width_ = 0, height_ = 0;
};

// Paints one owner-drawn item of the drive list or the directory list: the background
// (the system's selection colours when selected, else the menu colour), the icon, and the
// text, either filling the text rectangle on one vertically centred line (drive entries)
// or output at its top-left corner (directory rows); "&" always shows as itself.
void PaintChooserItem(const DRAWITEMSTRUCT& item, const ItemDrawing& drawing, const TransparentBitmap& icon,
                      bool centredText);

class DriveList {
public:
    // Takes its initial drive from the working directory.
    explicit DriveList(int id);
    DriveList(const DriveList&) = delete;
    DriveList& operator=(const DriveList&) = delete;

    // Creates the control: selection field `fieldHeight` high, item height `itemHeight`.
    // The entries are built by HandleWindowCreated, once the links are set.
    HWND Create(HWND parent, int left, int top, int width, int fieldHeight, int itemHeight, HFONT font);
    HWND Handle() const { return hwnd_; }
    int Id() const { return id_; }

    // Builds the drive entries and selects the initial drive, which moves the linked list
    // (only when it stands elsewhere, as in a network path without drive letter).
    void HandleWindowCreated();

    // The directory list that follows the chosen drive (nullptr unlinks).
    void SetDirList(DirectoryList* list);
    DriveChooserModel& Model() { return model_; }

    // Messages the parent forwards; each returns true when it handled the message. They may
    // throw EInOutError (a drive that is not ready): the parent's handler wrapper shows it.
    bool OnMeasureItem(MEASUREITEMSTRUCT& item);
    bool OnDrawItem(const DRAWITEMSTRUCT& item);
    bool OnCommand(WORD notification);
    HBRUSH OnCtlColor(HDC dc);

private:
    // Runs a model call that may change the selection or move the list, then brings the box
    // and the list's rows in line with the models, also when the call throws.
    template <typename Call>
    void Synced(Call&& call);
    void FillEntries();

    int id_;
    HWND hwnd_ = nullptr;
    int itemHeight_ = kDriveIconHeight;
    Win32ChooserPlatform platform_;
    DriveChooserModel model_;
    DirectoryList* dirList_ = nullptr;
    TransparentBitmap icons_[5];  // FLOPPY, HARD, NETWORK, CDROM, RAM
};

}  // namespace korva
