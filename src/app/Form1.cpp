#include "app/Form1.h"

#include <shellapi.h>

#include <algorithm>

#include "app/ControlIds.h"
#include "app/DeveloperSwitch.h"
#include "app/GroupBox.h"
#include "app/MessageBoxes.h"
#include "core/app/FormLayout.h"
#include "core/chooser/ChooserDrawing.h"
#include "core/common/Exception.h"
#include "core/devtools/HeaderGenerator.h"
#include "core/install/Installer.h"
#include "payload/Payload.h"
#include "win32/Win32CodePage.h"
#include "win32/Win32GeneratorFiles.h"
#include "win32/Win32InstallPlatform.h"

namespace korva {
namespace {

constexpr COLORREF kLightRed = RGB(255, 128, 128);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr const char* kFontFace = "MS Sans Serif";

// Design sizes at 96 dpi and text height 13.
constexpr int kClientWidth = 379;
constexpr int kClientHeight = 424;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

HMENU IdMenu(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

HFONT MakeFont(int height, bool underline) {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       kFontFace);
}

SIZE MeasureText(HFONT font, const char* text) {
    SIZE size{};
    const ScopedGetDC screen(nullptr);
    const ScopedSelectObject select(screen.Get(), font);
    GetTextExtentPoint32A(screen.Get(), text, lstrlenA(text), &size);
    return size;
}

std::string WindowText(HWND control) {
    const int length = GetWindowTextLengthA(control);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

class ControlMaker {
public:
    ControlMaker(HWND parent, const FormScale& scale) : parent_(parent), scale_(scale) {}

    HWND Make(DWORD exStyle, const char* cls, const char* text, DWORD style, int id, int left, int top, int width,
              int height, HFONT font) const {
        HWND hwnd = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_CLIPSIBLINGS | style, scale_(left), scale_(top),
                                    scale_(width), scale_(height), parent_, IdMenu(id), GetModuleHandleA(nullptr),
                                    nullptr);
        if (!hwnd) throw Exception("Cannot create the control " + std::to_string(id));
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return hwnd;
    }

    // A label sized to its text in its font.
    HWND Label(const char* text, int id, int left, int top, HFONT font, DWORD style = WS_VISIBLE) const {
        const SIZE size = MeasureText(font, text);
        HWND hwnd = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX | style,
                                    scale_(left), scale_(top), size.cx, size.cy, parent_, IdMenu(id),
                                    GetModuleHandleA(nullptr), nullptr);
        if (!hwnd) throw Exception(std::string("Cannot create the label ") + text);
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return hwnd;
    }

private:
    HWND parent_;
    const FormScale& scale_;
};

}  // namespace

TForm1::TForm1() : DirectoryListBox(IDC_DIRECTORYLISTBOX), DriveComboBox(IDC_DRIVECOMBOBOX) {}

// The window and its controls go first; the fonts, brushes and icon they use after them.
TForm1::~TForm1() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void TForm1::Create(HINSTANCE instance) {
    icon_.Reset(static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, 32, 32, 0)));
    WNDCLASSEXA cls{};
    cls.cbSize = sizeof(cls);
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = instance;
    cls.hIcon = icon_.Get();
    cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = R7716_MAIN_CLASS;
    if (!RegisterClassExA(&cls) || !RegisterGroupBoxClass(instance))
        throw Exception("Cannot register the window classes");

    // The window's font at the system's dpi, and the scale its text height gives the layout.
    const int dpi = GetDeviceCaps(ScopedGetDC(nullptr).Get(), LOGPIXELSY);
    FFont.Reset(MakeFont(FontHeightForDpi(kFormFontHeight, dpi), false));
    FLinkFont.Reset(MakeFont(FontHeightForDpi(kFormFontHeight, dpi), true));
    FLabel22Font.Reset(MakeFont(FontHeightForDpi(-8, dpi), false));
    FLightRedBrush.Reset(CreateSolidBrush(kLightRed));
    FRedBrush.Reset(CreateSolidBrush(kRed));
    if (!FFont || !FLinkFont || !FLabel22Font || !FLightRedBrush || !FRedBrush)
        throw Exception("Cannot create the fonts of the window");
    const FormScale scale(MeasureText(FFont.Get(), "0").cy);

    RECT frame{0, 0, scale(kClientWidth), scale(kClientHeight)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    hwnd_ = CreateWindowExA(kExStyle, R7716_MAIN_CLASS, R7716_MAIN_CAPTION, kStyle, left, top, width, height, nullptr,
                            nullptr, instance, this);
    if (!hwnd_) throw Exception("Cannot create the main window");
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Get()), FALSE);

    // 1. The controls of the layout, in the order of creation.
    const ControlMaker main(hwnd_, scale);
    Label2 = main.Label("The KORVA Updates Tool copies:", IDC_LABEL2, 16, 280, FFont.Get());
    Label3 = main.Label("File R7716.XIF into folder \"LonWorks\\Import\".", IDC_LABEL3, 16, 296, FFont.Get());
    Label4 = main.Label("Files R7716.ENU, R7716.FPT, R7716.FMT, R7716.TYP", IDC_LABEL4, 16, 312, FFont.Get());
    Bevel1 = main.Make(0, "STATIC", "", WS_VISIBLE | SS_OWNERDRAW, IDC_BEVEL1, 8, 272, 361, 97, FFont.Get());
    {
        // A frame of lines only: the window covers nothing but its two-pixel edge, so the
        // labels inside stay visible whatever the stacking order.
        RECT r;
        GetClientRect(Bevel1, &r);
        ScopedRegion outer(CreateRectRgn(0, 0, r.right, r.bottom));
        const ScopedRegion inner(CreateRectRgn(2, 2, r.right - 2, r.bottom - 2));
        CombineRgn(outer.Get(), outer.Get(), inner.Get(), RGN_DIFF);
        if (SetWindowRgn(Bevel1, outer.Get(), FALSE)) outer.Release();  // the system owns the region now
    }
    Label5 = main.Label("into folder \"LonWorks\\Types\\User\\KR\".", IDC_LABEL5, 16, 328, FFont.Get());
    Label55 = main.Label(R7716_WEB_HOST, IDC_LABEL55, 48, 401, FLinkFont.Get(), WS_VISIBLE | SS_NOTIFY);
    Label6 = main.Label("Copyright (c) KORVA Example Meters GmbH", IDC_LABEL6, 48, 384, FFont.Get());
    Label7 = main.Label("Adds the path to the resource files into the LonWorks resource catalog.", IDC_LABEL7, 16,
                        344, FFont.Get());
    Image1 = main.Make(0, "STATIC", "", WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE, IDC_IMAGE1, 8, 384, 33, 33, FFont.Get());
    SendMessageA(Image1, STM_SETICON, reinterpret_cast<WPARAM>(icon_.Get()), 0);
    SetWindowPos(Image1, nullptr, 0, 0, scale(33), scale(33), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Label8 = main.Label("Path:", IDC_LABEL8, 8, 212, FFont.Get());
    Label9 = main.Label("Version: " R7716_VERSION, IDC_LABEL9, 304, 384, FFont.Get());
    Label1 = main.Label("Select a path to existing LonWorks folder and press button Installation.", IDC_LABEL1, 8, 8,
                        FFont.Get());
    Button2 = main.Make(0, "BUTTON", "Installation", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDC_BUTTON2, 8, 240, 75,
                        25, FFont.Get());
    const int textHeight = MeasureText(FFont.Get(), "0").cy;
    if (!DirectoryListBox.Create(hwnd_, scale(8), scale(56), scale(361), scale(145), DirectoryItemHeight(textHeight),
                                 FFont.Get()))
        throw Exception("Cannot create the directory list");
    if (!DriveComboBox.Create(hwnd_, scale(8), scale(30), scale(361), scale(19), DriveItemHeight(textHeight), FFont.Get()))
        throw Exception("Cannot create the drive list");
    Edit2 = main.Make(WS_EX_CLIENTEDGE, "EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, IDC_EDIT2, 40, 208, 329,
                      21, FFont.Get());
    GroupBox_Debug = CreateGroupBox(hwnd_, IDC_GROUPBOX_DEBUG, "Debug", scale(128), scale(200), scale(241), scale(185),
                                    WS_DISABLED, FLightRedBrush.Get(), FFont.Get());
    if (!GroupBox_Debug) throw Exception("Cannot create the developer group");
    // Created last, the group lies over the path field and the bevel: keep it on top of them.
    SetWindowPos(GroupBox_Debug, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const ControlMaker group(GroupBox_Debug, scale);
    Label22 = group.Label("C:\\...\\10\\DirectoryListBox", IDC_LABEL22, 7, 96, FLabel22Font.Get(), 0);
    Label10 = group.Label("I. Three steps for creating file R7716.h :", IDC_LABEL10, 8, 16, FFont.Get());
    Label11 = group.Label("II. Set folder name in LonWorks ", IDC_LABEL11, 8, 112, FFont.Get());
    Label12 = group.Label("3) Link the file R7716.h into the Tool.exe build", IDC_LABEL12, 8, 80, FFont.Get());
    Label13 = group.Label("for testing the Tool.exe", IDC_LABEL13, 8, 128, FFont.Get());
    Button1 = group.Make(0, "BUTTON", "2) Generate R7716.h", WS_VISIBLE | BS_OWNERDRAW, IDC_BUTTON1, 6, 56, 131, 25,
                         FFont.Get());
    Button3 = group.Make(0, "BUTTON", "1) Open File R7716.xif", WS_VISIBLE | BS_OWNERDRAW, IDC_BUTTON3, 6, 32, 131, 25,
                         FFont.Get());
    Edit1 = group.Make(WS_EX_CLIENTEDGE, "EDIT", "KR", WS_VISIBLE | ES_AUTOHSCROLL, IDC_EDIT1, 8, 148, 121, 21, FFont.Get());

    // 2. The developer switch, fixed in the build.
    FDeveloperMode = BuildDeveloperMode();
    if (FDeveloperMode) {
        EnableWindow(GroupBox_Debug, TRUE);
        ShowWindow(GroupBox_Debug, SW_SHOW);
    }

    // 3. The drive list drives the directory list, which shows its directory, shortened to
    //    the list's width, in Label22.
    DirectoryListBox.OnChange = [this] { DirectoryListBoxChange(); };
    DriveComboBox.SetDirList(&DirectoryListBox);
    DirectoryListBox.SetDirLabel(Label22);

    // 4. The path field starts with the working directory, in full.
    char directory[MAX_PATH] = "";
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, directory);
    SetWindowTextA(Edit2, length > 0 && length < MAX_PATH ? directory : "");

    // 5. The lists fill themselves: the directory list builds its rows and highlights the
    //    current one; the drive list builds its entries and selects the initial drive, which
    //    moves the directory list only when it stands elsewhere (a network path without
    //    drive letter, the one case with a change notification here).
    DirectoryListBox.HandleWindowCreated();
    DriveComboBox.HandleWindowCreated();
}

void TForm1::Show(int showCommand) {
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    SetFocus(Button2);
    focused_ = Button2;
}

bool TForm1::PreTranslateMessage(MSG& message) {
    if (message.message != WM_KEYDOWN || (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE)) return false;
    if (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)) return false;
    // The lists use these keys themselves (opening a row, closing the drop-down part).
    if (message.hwnd == DirectoryListBox.Handle()) {
        const WPARAM key = message.wParam;
        bool used = false;
        RunHandler(hwnd_, [&] { used = DirectoryListBox.OnKeyDown(key); });
        if (!used) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return true;
    }
    if (message.hwnd == DriveComboBox.Handle() || IsChild(DriveComboBox.Handle(), message.hwnd)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        return true;
    }
    return true;  // no default or cancel button: the key presses nothing
}

LRESULT CALLBACK TForm1::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!form) return DefWindowProcA(hwnd, message, wParam, lParam);
    return form->HandleMessage(message, wParam, lParam);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0) {
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return OnCtlColor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM:
        OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        bool handled = false;
        RunHandler(hwnd_, [&] {
            if (item.CtlID == static_cast<UINT>(DirectoryListBox.Id())) handled = DirectoryListBox.OnMeasureItem(item);
            else if (item.CtlID == static_cast<UINT>(DriveComboBox.Id())) handled = DriveComboBox.OnMeasureItem(item);
        });
        if (handled) return TRUE;
        break;
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == Label55 && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus)) focused_ = focus;
        } else if (focused_ && IsWindow(focused_) && IsWindowVisible(focused_) && IsWindowEnabled(focused_)) {
            SetFocus(focused_);
            return 0;
        }
        break;
    case WM_SETFOCUS:
        if (focused_ && IsWindow(focused_) && IsWindowVisible(focused_) && IsWindowEnabled(focused_)) {
            SetFocus(focused_);
            return 0;
        }
        break;
    case WM_CLOSE:
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void TForm1::OnCommand(WORD id, WORD notification) {
    RunHandler(hwnd_, [&] {
        switch (id) {
        case IDC_BUTTON2:
            if (notification == BN_CLICKED) Button2Click();
            break;
        case IDC_BUTTON1:
            if (notification == BN_CLICKED) Button1Click();
            break;
        case IDC_BUTTON3:
            if (notification == BN_CLICKED) Button3Click();
            break;
        case IDC_LABEL55:
            if (notification == STN_CLICKED) Label55Click();
            break;
        case IDC_DIRECTORYLISTBOX:
            DirectoryListBox.OnCommand(notification);
            break;
        case IDC_DRIVECOMBOBOX:
            DriveComboBox.OnCommand(notification);
            break;
        }
    });
}

LRESULT TForm1::OnCtlColor(UINT message, HDC dc, HWND control) {
    if (message == WM_CTLCOLORLISTBOX) {
        HBRUSH brush = nullptr;
        RunHandler(hwnd_, [&] {
            brush = control == DirectoryListBox.Handle() ? DirectoryListBox.OnCtlColor(dc) : DriveComboBox.OnCtlColor(dc);
        });
        if (brush) return reinterpret_cast<LRESULT>(brush);
        return DefWindowProcA(hwnd_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    }
    if (control == Edit2) return DefWindowProcA(hwnd_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    if (control == DriveComboBox.Handle()) {
        if (HBRUSH brush = DriveComboBox.OnCtlColor(dc)) return reinterpret_cast<LRESULT>(brush);
    }
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (control == Label55) {
        SetTextColor(dc, kBlue);
    } else if (control == Label22) {
        SetBkColor(dc, kRed);
        return reinterpret_cast<LRESULT>(FRedBrush.Get());
    }
    if (GetParent(control) == GroupBox_Debug) {
        SetBkColor(dc, kLightRed);
        return reinterpret_cast<LRESULT>(FLightRedBrush.Get());
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void TForm1::OnDrawItem(const DRAWITEMSTRUCT& item) {
    RunHandler(hwnd_, [&] {
        if (item.hwndItem == Bevel1) DrawBevel(item);
        else if (item.hwndItem == Button1 || item.hwndItem == Button3) DrawRedButton(item);
        else if (item.CtlID == static_cast<UINT>(DirectoryListBox.Id())) DirectoryListBox.OnDrawItem(item);
        else if (item.CtlID == static_cast<UINT>(DriveComboBox.Id())) DriveComboBox.OnDrawItem(item);
    });
}

void TForm1::DrawBevel(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    DrawEdge(item.hDC, &r, EDGE_ETCHED, BF_RECT);  // sunken outer line, raised inner line
}

void TForm1::DrawRedButton(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    char caption[64] = "";
    GetWindowTextA(item.hwndItem, caption, sizeof(caption));
    RECT text = r;
    if (pushed) OffsetRect(&text, 1, 1);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, disabled ? GetSysColor(COLOR_GRAYTEXT) : kRed);
    {
        const ScopedSelectObject font(item.hDC, FFont.Get());
        DrawTextA(item.hDC, caption, -1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&r, -4, -4);
        DrawFocusRect(item.hDC, &r);
    }
}

void TForm1::Button2Click() {
    InstallRequest request;
    request.pathField = WindowText(Edit2);
    request.developerMode = FDeveloperMode;
    if (FDeveloperMode) request.deviceFolderName = WindowText(Edit1);
    Win32InstallPlatform platform;
    const Win32CodePage codePage;
    SimpleMessageBox messages(hwnd_);
    RunInstallation(request, EmbeddedPayload(), platform, codePage, messages);
}

// The path field takes the list's directory in full. (Label22 shows it shortened to the
// list's width; installing into that shortened text would write into a wrong folder.)
void TForm1::DirectoryListBoxChange() { SetWindowTextA(Edit2, DirectoryListBox.Directory().c_str()); }

void TForm1::Label55Click() {
    // shell32 is loaded on the first click, not imported: under Wine it and the libraries it
    // brings would be loaded on every start of the tool, for a link that is rarely clicked.
    if (auto open = LoadProc<decltype(ShellExecuteA)>(LoadLibraryA("shell32.dll"), "ShellExecuteA"))
        open(nullptr, "open", R7716_PRODUCT_PAGE, nullptr, nullptr, SW_SHOWNORMAL);
}

void TForm1::Button1Click() {
    Win32GeneratorFiles files;
    GenerateHeader(WindowText(Edit2), files);
}

void TForm1::Button3Click() {
    if (!dlg_open.Execute(hwnd_)) return;
    const std::string& name = dlg_open.FileName;
    try {
        if (!SetWindowTextA(Edit2, name.c_str())) throw Exception("Cannot set the path field");
    } catch (const std::exception&) {
        ApplicationMessageBox(hwnd_, "Requested file " + name + " cannot be opened.", "Open", 16);
    }
}

}  // namespace korva
