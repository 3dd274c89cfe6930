#pragma once
// MainWindow: the tool's one main window (registered window class "TForm1"). It owns every
// control for its whole life; the event handlers read the controls, call the core and write
// the result back.
#include <windows.h>

#include <string>

#include "app/Controls.h"
#include "app/DirectoryList.h"
#include "app/DriveList.h"
#include "app/OpenDialog.h"
#include "core/window/FormLayout.h"
#include "win32/Scoped.h"

namespace korva {

class MainWindow {
public:
    MainWindow();
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Builds the window, owned by `owner` (the application window), and its controls and
    // performs the creation steps; raises Exception when the window cannot be made.
    void Create(HINSTANCE instance, HWND owner);
    // Shows the window with the focus on "Installation".
    void Show(int showCommand);
    HWND Handle() const { return hwnd_; }
    // The message loop's filter, called before the dialog navigation: true when the message
    // was handled (Enter and Escape press no button of this window).
    bool PreTranslateMessage(MSG& message);

private:
    // Creation, in this order; each step raises Exception when the system refuses it.
    void RegisterClasses(HINSTANCE instance);
    FormScale MakeFontsAndScale();
    void MakeFrame(HINSTANCE instance, HWND owner, const FormScale& scale);
    void MakeMainArea(const FormScale& scale);
    void MakeChooser(const FormScale& scale);
    void MakeDeveloperGroup(const FormScale& scale);
    void ApplyDeveloperSwitch();
    void LinkChooser();
    void FirstFill();

    friend LRESULT CALLBACK ObjectWindowProc<MainWindow>(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(WORD id, WORD notification);
    LRESULT OnCtlColor(UINT message, HDC dc, HWND control);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    const ChooserControl* ChooserWithId(UINT id) const;  // the drive or directory list, or null
    void DrawRedButton(const DRAWITEMSTRUCT& item);
    void DrawSummaryFrame(const DRAWITEMSTRUCT& item);
    HWND FocusTarget() const;
    void RestoreFocus();

    // Event handlers.
    void OnInstallClick();
    void OnDirectoryChange();
    void OnProductLinkClick();
    void OnGenerateClick();
    void OnOpenClick();

    HWND hwnd_ = nullptr;
    HWND focused_ = nullptr;      // the control that had the focus when the window was deactivated
    bool developerMode_ = false;  // fixed in the build: shows the developer group

    // The main area, in the order of creation.
    HWND copiesLabel_ = nullptr;       // "The KORVA Updates Tool copies:"
    HWND importFileLabel_ = nullptr;   // the file that goes into Import
    HWND typesFilesLabel_ = nullptr;   // the files that go into Types\User\KR ...
    HWND summaryFrame_ = nullptr;      // the sunken frame around these labels
    HWND typesFolderLabel_ = nullptr;  // ... and that folder
    HWND productLink_ = nullptr;       // the maker's web host; a click opens the product page
    HWND copyrightLabel_ = nullptr;
    HWND catalogLabel_ = nullptr;      // what the catalog command does
    HWND iconImage_ = nullptr;         // the application icon
    HWND pathLabel_ = nullptr;         // "Path:"
    HWND versionLabel_ = nullptr;      // "Version: 1.2"
    HWND instructionLabel_ = nullptr;  // what to do, at the top
    HWND installButton_ = nullptr;     // "Installation"
    // The folder chooser.
    DirectoryList directoryList_;
    DriveList driveList_;
    HWND pathField_ = nullptr;  // the folder to install into; every handler's hand-over
    // The developer group and its children, hidden unless developerMode_.
    HWND developerGroup_ = nullptr;
    HWND directoryLabel_ = nullptr;     // hidden: the directory list's folder, shortened
    HWND stepsLabel_ = nullptr;         // "I. Three steps for creating file R7716.h :"
    HWND folderNameLabel_ = nullptr;    // "II. Set folder name in LonWorks "
    HWND linkStepLabel_ = nullptr;      // step 3)
    HWND testingLabel_ = nullptr;       // "for testing the Tool.exe"
    HWND generateButton_ = nullptr;     // "2) Generate R7716.h"
    HWND openButton_ = nullptr;         // "1) Open File R7716.xif"
    HWND deviceFolderField_ = nullptr;  // the device folder's name under Types\User ("KR")
    OpenDialog openDialog_;

    // What the controls are drawn with; destroyed after the window.
    ScopedIcon icon_;
    ScopedFont font_;                // "MS Sans Serif" 8 pt: the window's font
    ScopedFont linkFont_;            // the same, underlined: the product link
    ScopedFont directoryLabelFont_;  // "MS Sans Serif", 8 pixels high
    ScopedBrush lightRedBrush_;      // the developer group's background
    ScopedBrush redBrush_;           // the directory label's background
};

}  // namespace korva
