#pragma once
// The directory list of the folder chooser, without its window.
//
// How a Win32 list control (owner-drawn list box, single selection, not sorted) uses it:
//   - WM_CREATE: HandleWindowCreated(); then LB_ADDSTRING once per Rows() entry (display
//     held with WM_SETREDRAW while filling) and LB_SETCURSEL HighlightedRow().
//   - WM_DRAWITEM: DrawRow(itemID, rcItem) gives icon, icon position, text and text position.
//   - LBN_SELCHANGE (click, arrow keys): SetHighlightedRow(LB_GETCURSEL); nothing else.
//   - LBN_DBLCLK and VK_RETURN: OpenHighlightedRow(). It may throw EInOutError, which the
//     window's handler wrapper shows in the error box; the model is then unchanged.
//   - After every call that may rebuild (OpenHighlightedRow, ChangeDirectory, SelectDrive of
//     the linked chooser) refill the box when RowsVersion() has changed.
//   - The hidden label is linked with SetDirLabel (its measure and SetWindowText);
//     OnChange is bound to the window's OnDirectoryChange.
// The model reaches the machine only through ChooserPlatform.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/chooser/ChooserDrawing.h"
#include "core/chooser/ChooserPlatform.h"
#include "core/chooser/PathShortening.h"

namespace korva {

class DriveChooserModel;

enum class RowKind { Ancestor, Current, Subfolder };

struct DirectoryRow {
    std::string text;
    RowKind kind = RowKind::Subfolder;
    bool operator==(const DirectoryRow&) const = default;
};

// The label that shows the (shortened) current directory.
struct DirLabelLink {
    TextMeasure measure;                                 // width of a text in the label's font
    std::function<void(const std::string&)> setCaption;  // sets the label's caption
    bool autoSize = true;  // a label that sizes itself to its caption takes the list's width
    int width = 0;         // the label's own width, used when autoSize is off
};

// The result of SplitTargetPath: the target's drive letter ('\0' for none) and the folder
// to change into once on that drive.
struct SplitTarget {
    char driveLetter = 0;
    std::string folderPart;
    bool operator==(const SplitTarget&) const = default;
};

// The design width of the directory list, in pixels at 96 pixels per inch.
inline constexpr int kDirectoryListWidth = 361;

class DirectoryListModel {
public:
    // Takes the working directory as the current directory.
    explicit DirectoryListModel(ChooserPlatform& platform);
    ~DirectoryListModel();
    DirectoryListModel(const DirectoryListModel&) = delete;
    DirectoryListModel& operator=(const DirectoryListModel&) = delete;

    // The list's window exists: build the rows and highlight the current row. No change
    // notification.
    void HandleWindowCreated();

    // Rebuilds the rows of the current directory and reads its volume's case flags: the
    // ancestors, the current directory, then its visible subfolders, sorted without regard to
    // case by the platform's locale compare (of names that compare equal the first found
    // stays; none when the folder cannot be searched).
    void BuildRows();

    // Full path of a row; empty for an index out of range.
    std::string RowPath(int row) const;

    // Moves to a folder. Throws EInOutError when the system refuses; the rows, the
    // highlight, the label and the working directory are then as before.
    void ChangeDirectory(const std::string& target);
    // ChangeDirectory(RowPath(HighlightedRow())): a double-click or Enter in the list.
    void OpenHighlightedRow();
    // Checks that the target can be reached and splits it; the working directory is back
    // where it was afterwards. Throws EInOutError when a change is refused.
    SplitTarget SplitTargetPath(const std::string& target);

    const std::string& CurrentDirectory() const { return current_; }
    const std::vector<DirectoryRow>& Rows() const { return rows_; }
    // After every rebuild the highlight is on the current directory's row (the last row
    // that is not a subfolder), or -1.
    int HighlightedRow() const { return highlighted_; }
    // A click or arrow key: moves the highlight only.
    void SetHighlightedRow(int row);
    // Incremented by every rebuild of the rows.
    std::uint64_t RowsVersion() const { return rowsVersion_; }

    // The drawing of a row inside `rect`: its icon, indented by the row's depth, and its text,
    // lower-cased on a volume that neither preserves case nor is case-sensitive (the stored
    // text is never changed).
    ItemDrawing DrawRow(int row, const ItemRect& rect) const;

    // Links the directory label (nullopt unlinks); a linked label gets its caption at once.
    void SetDirLabel(std::optional<DirLabelLink> label);
    // The list's own width, which a self-sizing label takes as its width.
    void SetWidth(int width);

    // The change event, fired after every rebuild that follows a change of directory or
    // drive, once the label is up to date.
    std::function<void(DirectoryListModel& sender)> OnChange;

private:
    friend class DriveChooserModel;
    // Moves to a drive's own current directory ('\0': none). Throws EInOutError when the
    // system refuses; the list is then unchanged.
    void MoveToDrive(char letter);
    std::vector<std::string> ReadSubfolderNames() const;
    std::string ShownText(int row) const;
    int RowOffset(int row) const;
    // The current directory shortened to the label's width in the label's font.
    std::string LabelCaption() const;
    void NotifyChange();

    ChooserPlatform& platform_;
    std::string current_;
    std::vector<DirectoryRow> rows_;
    int highlighted_ = -1;
    std::uint64_t rowsVersion_ = 0;
    // Used until a volume is read and when the volume query fails: the common Windows
    // volume, which keeps the case of names and compares them without regard to case.
    bool casePreserving_ = true;
    bool caseSensitive_ = false;
    bool inDriveChange_ = false;
    std::optional<DirLabelLink> label_;
    int width_ = kDirectoryListWidth;
    DriveChooserModel* driveChooser_ = nullptr;
};

}  // namespace korva
