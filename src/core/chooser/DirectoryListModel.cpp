#include "core/chooser/DirectoryListModel.h"

#include <algorithm>

#include "core/chooser/DriveChooserModel.h"
#include "core/chooser/InOutError.h"
#include "core/chooser/PathText.h"
#include "core/common/Ascii.h"
#include "core/common/ScopeGuard.h"

namespace korva {
namespace {

char FirstChar(const std::string& text) { return text.empty() ? '\0' : text[0]; }

}  // namespace

DirectoryListModel::DirectoryListModel(ChooserPlatform& platform)
    : platform_(platform), current_(platform.WorkingDirectory()) {}

DirectoryListModel::~DirectoryListModel() {
    if (driveChooser_) driveChooser_->SetDirList(nullptr);
}

void DirectoryListModel::HandleWindowCreated() { BuildRows(); }

void DirectoryListModel::BuildRows() {
    const CodePage& cp = platform_.AnsiCodePage();
    std::vector<DirectoryRow> rows;

    const std::string root = pathtext::DrivePart(current_, cp) + "\\";
    if (auto volume = platform_.VolumeInfo(root)) {
        casePreserving_ = (volume->flags & (kFsCaseSensitive | kFsCaseIsPreserved)) != 0;
        caseSensitive_ = (volume->flags & kFsCaseSensitive) != 0;
    } else {
        casePreserving_ = true;
        caseSensitive_ = false;
    }

    std::string remainder = current_;
    if (root.size() >= 2 && root[1] == '\\') {
        rows.push_back({root, RowKind::Ancestor});
        remainder = root.size() < current_.size() ? current_.substr(root.size()) : std::string();
    }
    if (!remainder.empty()) {
        if (!pathtext::EndsWithBackslash(remainder, cp)) {
            for (std::size_t slash; (slash = pathtext::FindFirst(remainder, '\\', cp)) != pathtext::npos;) {
                std::string name = remainder.substr(0, slash);
                if (rows.empty()) name += '\\';
                rows.push_back({std::move(name), RowKind::Ancestor});
                remainder.erase(0, slash + 1);
            }
        }
        rows.push_back({remainder, RowKind::Current});
    }
    const int currentRow = static_cast<int>(rows.size()) - 1;

    for (std::string& name : ReadSubfolderNames()) rows.push_back({std::move(name), RowKind::Subfolder});

    rows_ = std::move(rows);
    highlighted_ = currentRow;
    ++rowsVersion_;
}

std::vector<std::string> DirectoryListModel::ReadSubfolderNames() const {
    std::vector<std::string> names;
    const std::string pattern = current_ +
                                (pathtext::EndsWithBackslash(current_, platform_.AnsiCodePage()) ? "" : "\\") + "*.*";
    {
        std::unique_ptr<FolderSearch> search = platform_.FindFirst(pattern);
        if (!search) return names;
        constexpr std::uint32_t kSkipped = kAttrHidden | kAttrSystem | kAttrVolumeLabel;
        for (FolderEntry entry; search->Next(entry);) {
            if ((entry.attributes & kSkipped) != 0 || (entry.attributes & kAttrDirectory) == 0) continue;
            if (entry.name == "." || entry.name == "..") continue;
            names.push_back(std::move(entry.name));
        }
    }
    // Sorted without regard to case in the user's locale; the stable sort keeps names that
    // compare equal in the order found, so dropping all but the first keeps the first found.
    auto less = [this](const std::string& a, const std::string& b) { return platform_.Compare(a, b, true) < 0; };
    auto same = [this](const std::string& a, const std::string& b) { return platform_.Compare(a, b, true) == 0; };
    std::stable_sort(names.begin(), names.end(), less);
    names.erase(std::unique(names.begin(), names.end(), same), names.end());
    return names;
}

std::string DirectoryListModel::RowPath(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return {};
    const CodePage& cp = platform_.AnsiCodePage();
    const std::string drive = pathtext::DrivePart(current_, cp);
    const DirectoryRow& r = rows_[static_cast<std::size_t>(row)];
    if (row == 0) return drive + "\\";
    if (r.kind == RowKind::Subfolder)
        return current_ + (pathtext::EndsWithBackslash(current_, cp) ? "" : "\\") + r.text;
    if (r.kind == RowKind::Current) return current_;
    // Ancestor row r: the drive part and the rest up to its (r+1)-th backslash.
    const std::string rest = current_.substr(drive.size());
    std::size_t pos = 0;
    int seen = 0;
    for (std::size_t i = 0; i < rest.size(); i += pathtext::CharLength(rest, i, cp)) {
        if (rest[i] == '\\' && ++seen == row + 1) {
            pos = i;
            break;
        }
    }
    return drive + (seen == row + 1 ? rest.substr(0, pos) : rest);
}

void DirectoryListModel::SetHighlightedRow(int row) {
    if (row >= -1 && row < static_cast<int>(rows_.size())) highlighted_ = row;
}

void DirectoryListModel::MoveToDrive(char letter) {
    if (AsciiLower(letter) == AsciiLower(FirstChar(current_))) return;
    if (letter != 0) {
        if (int error = platform_.SetWorkingDirectory(std::string(1, letter) + ":")) throw MakeInOutError(error);
        current_ = platform_.WorkingDirectory();
    }
    if (!inDriveChange_) {
        BuildRows();
        NotifyChange();
    }
}

SplitTarget DirectoryListModel::SplitTargetPath(const std::string& target) {
    const CodePage& cp = platform_.AnsiCodePage();
    const std::string remembered = platform_.WorkingDirectory();

    const std::string drive = pathtext::DrivePart(target, cp);
    const std::string rest = target.substr(drive.size());
    SplitTarget split;
    split.driveLetter = drive.size() == 2 && drive[1] == ':' ? drive[0] : '\0';

    int error = 0;
    if (!drive.empty() && platform_.IsDirectory(drive)) error = platform_.SetWorkingDirectory(drive);

    std::string name;
    if (error == 0) {
        const std::size_t cut = pathtext::FindLastSeparator(rest, cp, /*orColon=*/false);
        if (cut == pathtext::npos) {
            name = rest;  // no folder part: the name lies in the drive's current directory
        } else {
            name = rest.substr(cut + 1);
            split.folderPart = cut == 0 ? std::string("\\") : rest.substr(0, cut);
            error = platform_.SetWorkingDirectory(split.folderPart);
        }
    }
    if (error == 0 && !name.empty() && name.find_first_of("*?") == std::string::npos) {
        auto attributes = platform_.FileAttributes(name);
        const bool isFile = attributes && (*attributes & kAttrDirectory) == 0;
        if (!isFile) {
            error = platform_.SetWorkingDirectory(name);
            if (error == 0) {
                if (split.folderPart.empty()) split.folderPart = name;
                else if (split.folderPart == "\\") split.folderPart += name;
                else split.folderPart += "\\" + name;
            }
        }
    }
    if (split.driveLetter == 0) split.folderPart = drive + split.folderPart;

    if (platform_.IsDirectory(remembered)) platform_.SetWorkingDirectory(remembered);
    if (error != 0) throw MakeInOutError(error);
    return split;
}

void DirectoryListModel::ChangeDirectory(const std::string& target) {
    if (target.empty()) return;
    const CodePage& cp = platform_.AnsiCodePage();
    if (caseSensitive_ ? target == current_ : cp.Lower(target) == cp.Lower(current_)) return;

    const SplitTarget split = SplitTargetPath(target);
    const std::string workingBefore = platform_.WorkingDirectory();
    const std::string currentBefore = current_;

    if (split.driveLetter != FirstChar(current_)) {
        inDriveChange_ = true;
        const ScopeGuard clearFlag([this] { inDriveChange_ = false; });
        if (driveChooser_) driveChooser_->SelectDrive(split.driveLetter);
        else MoveToDrive(split.driveLetter);
    }

    if (platform_.IsDirectory(current_)) platform_.SetWorkingDirectory(current_);
    if (!split.folderPart.empty()) {
        if (int error = platform_.SetWorkingDirectory(split.folderPart)) {
            // The drive may have moved already while the rows have not: go back to where the
            // list was, so its folder, rows and drive stay one, and so does the working directory.
            if (current_ != currentBefore) {
                current_ = currentBefore;
                inDriveChange_ = true;
                const ScopeGuard clearFlag([this] { inDriveChange_ = false; });
                if (driveChooser_) driveChooser_->SelectDrive(FirstChar(currentBefore));
            }
            if (platform_.IsDirectory(workingBefore)) platform_.SetWorkingDirectory(workingBefore);
            throw MakeInOutError(error);
        }
    }
    current_ = platform_.WorkingDirectory();
    BuildRows();
    NotifyChange();
}

void DirectoryListModel::OpenHighlightedRow() { ChangeDirectory(RowPath(highlighted_)); }

std::string DirectoryListModel::ShownText(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return {};
    const std::string& text = rows_[static_cast<std::size_t>(row)].text;
    return casePreserving_ || caseSensitive_ ? text : platform_.AnsiCodePage().Lower(text);
}

int DirectoryListModel::RowOffset(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return 0;
    if (rows_[static_cast<std::size_t>(row)].kind == RowKind::Subfolder)
        return 6 + 4 * pathtext::CountBackslashes(current_, platform_.AnsiCodePage());
    return 2 + 4 * row;
}

ItemDrawing DirectoryListModel::DrawRow(int row, const ItemRect& rect) const {
    ItemDrawing drawing;
    if (row < 0 || row >= static_cast<int>(rows_.size())) return drawing;
    switch (rows_[static_cast<std::size_t>(row)].kind) {
    case RowKind::Ancestor: drawing.icon = ChooserIcon::OpenFolder; break;
    case RowKind::Current: drawing.icon = ChooserIcon::CurrentFolder; break;
    case RowKind::Subfolder: drawing.icon = ChooserIcon::ClosedFolder; break;
    }
    const int offset = RowOffset(row);
    drawing.iconLeft = rect.left + offset;
    drawing.iconTop = CentredIconTop(rect, kFolderIconHeight);
    const int textLeft = rect.left + offset + kIconWidth + 4;
    drawing.textRect = {textLeft, rect.top, rect.right, rect.bottom};
    drawing.text = ShownText(row);
    return drawing;
}

void DirectoryListModel::SetDirLabel(std::optional<DirLabelLink> label) {
    label_ = std::move(label);
    if (label_ && label_->setCaption) label_->setCaption(LabelCaption());
}

void DirectoryListModel::SetWidth(int width) { width_ = width; }

std::string DirectoryListModel::LabelCaption() const {
    if (!label_ || !label_->measure) return current_;
    const int width = label_->autoSize ? width_ : label_->width;
    return ShortenPathToWidth(current_, label_->measure, width, platform_.AnsiCodePage());
}

void DirectoryListModel::NotifyChange() {
    if (label_ && label_->setCaption) label_->setCaption(LabelCaption());
    if (OnChange) OnChange(*this);
}

}  // namespace korva
