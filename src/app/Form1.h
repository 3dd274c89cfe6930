#pragma once
// TForm1: the tool's one main window (unit Unit1). It owns every control for its whole life;
// the event handlers read the controls, call the core and write the result back.
#include <windows.h>

#include <string>

#include "app/DirectoryListBox.h"
#include "app/DriveComboBox.h"
#include "app/OpenDialog.h"
#include "win32/Scoped.h"

namespace korva {

class TForm1 {
public:
    TForm1();
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // Builds the window and its controls and performs the creation steps; raises Exception
    // when the window cannot be made.
    void Create(HINSTANCE instance);
    // Shows the window with the focus on "Installation".
    void Show(int showCommand);
    HWND Handle() const { return hwnd_; }
    // The message loop's filter, called before the dialog navigation: true when the message
    // was handled (Enter and Escape press no button of this window).
    bool PreTranslateMessage(MSG& message);

    // Controls, by their designer names.
    HWND Label2 = nullptr, Label3 = nullptr, Label4 = nullptr, Bevel1 = nullptr, Label5 = nullptr,
         Label55 = nullptr, Label6 = nullptr, Label7 = nullptr, Image1 = nullptr, Label8 = nullptr,
         Label9 = nullptr, Label1 = nullptr, Button2 = nullptr;
    TDirectoryListBox DirectoryListBox;
    TDriveComboBox DriveComboBox;
    HWND Edit2 = nullptr, GroupBox_Debug = nullptr;
    HWND Label22 = nullptr, Label10 = nullptr, Label11 = nullptr, Label12 = nullptr, Label13 = nullptr,
         Button1 = nullptr, Button3 = nullptr, Edit1 = nullptr;
    TOpenDialog dlg_open;

    // Event handlers.
    void Button2Click();
    void DirectoryListBoxChange();
    void Label55Click();
    void Button1Click();
    void Button3Click();

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void OnCommand(WORD id, WORD notification);
    LRESULT OnCtlColor(UINT message, HDC dc, HWND control);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void DrawRedButton(const DRAWITEMSTRUCT& item);
    void DrawBevel(const DRAWITEMSTRUCT& item);

    bool FDeveloperMode = false;
    HWND hwnd_ = nullptr;
    HWND focused_ = nullptr;  // the control that had the focus when the window was deactivated
    ScopedIcon icon_;
    ScopedFont FFont;         // "MS Sans Serif" 8 pt: the window's font
    ScopedFont FLinkFont;     // the same, underlined: Label55
    ScopedFont FLabel22Font;  // "MS Sans Serif", 8 pixels high
    ScopedBrush FLightRedBrush;
    ScopedBrush FRedBrush;
};

}  // namespace korva
