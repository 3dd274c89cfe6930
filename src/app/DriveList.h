#pragma once
// DriveList: the drive list of the main window, a drop-down list without edit field whose
// entries it draws itself, over the portable DriveChooserModel. The window forwards the
// control's owner-draw, colour and command messages to it.
#include <windows.h>

#include "app/ChooserControl.h"
#include "core/chooser/DriveChooserModel.h"
#include "win32/Win32ChooserPlatform.h"

namespace korva {

class DirectoryList;

class DriveList final : public ChooserControl {
public:
    // Takes its initial drive from the working directory.
    explicit DriveList(int id);

    // Creates the control: selection field `fieldHeight` high, item height `itemHeight`.
    // The entries are built by HandleWindowCreated, once the links are set. False when the
    // system refused.
    bool Create(HWND parent, int left, int top, int width, int fieldHeight, int itemHeight, HFONT font);

    // Builds the drive entries and selects the initial drive, which moves the linked list
    // (only when it stands elsewhere, as in a network path without drive letter).
    void HandleWindowCreated();

    // The directory list that follows the chosen drive (nullptr unlinks).
    void LinkDirectoryList(DirectoryList* list);
    const DriveChooserModel& Model() const { return model_; }

    // The control's command; true when it was one of the list's. A change of drive may throw
    // EInOutError (a drive that is not ready): the parent's handler wrapper shows it.
    bool OnCommand(WORD notification);

private:
    ItemDrawing DrawingOf(int index, const ItemRect& rect) const override { return model_.DrawEntry(index, rect); }

    // Runs a model call that may change the selection or move the list, then brings the box
    // and the list's rows in line with the models, also when the call throws.
    template <typename Call>
    void Synced(Call&& call);
    void FillEntries();

    Win32ChooserPlatform platform_;
    DriveChooserModel model_;
    DirectoryList* directoryList_ = nullptr;
};

}  // namespace korva
