#include "app/MainWindow.h"

#include <shellapi.h>

#include "app/ControlIds.h"
#include "app/Controls.h"
#include "app/DeveloperSwitch.h"
#include "app/GroupBox.h"
#include "app/MessageBoxes.h"
#include "core/chooser/ChooserDrawing.h"
#include "core/common/Exception.h"
#include "core/devtools/HeaderGenerator.h"
#include "core/install/Installer.h"
#include "core/window/FormLayout.h"
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
constexpr int kDirectoryLabelFontHeight = -8;  // 8 pixels at 96 dpi

// Design sizes at 96 dpi and text height 13.
constexpr int kClientWidth = 379;
constexpr int kClientHeight = 424;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
// Posted when the focus could not be put on a control at once (the activation was still
// changing): it tries again once the activation has settled.
constexpr UINT kRestoreFocus = WM_APP + 1;

HFONT MakeFont(int height, bool underline) {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       kFontFace);
}

int TextHeight(HFONT font) { return TextExtent(font, "0").cy; }

// The installation's machine as the window uses it: while it waits for another installation
// to end, the mouse pointer says so.
class WindowInstallPlatform : public Win32InstallPlatform {
public:
    LockResult Lock(unsigned waitMs) override {
        const LockResult now = Win32InstallPlatform::Lock(0);
        if (now != LockResult::Busy) return now;
        const HCURSOR shown = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
        const ScopeGuard restore([shown] { SetCursor(shown); });
        return Win32InstallPlatform::Lock(waitMs);
    }
};

// Makes the child controls of one parent at design positions, scaled.
class ControlMaker {
public:
    ControlMaker(HWND parent, const FormScale& scale, HFONT font) : parent_(parent), scale_(scale), font_(font) {}

    HWND Make(DWORD exStyle, const char* cls, const char* text, DWORD style, int id, int left, int top, int width,
              int height) const {
        HWND hwnd = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_CLIPSIBLINGS | style, scale_(left), scale_(top),
                                    scale_(width), scale_(height), parent_, ControlIdHandle(id),
                                    GetModuleHandleA(nullptr), nullptr);
        if (!hwnd) throw Exception("Cannot create the control " + std::to_string(id));
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return hwnd;
    }

    // A label sized to its text in its font (the maker's font unless given).
    HWND Label(const char* text, int id, int left, int top, DWORD style = WS_VISIBLE, HFONT font = nullptr) const {
        if (!font) font = font_;
        const SIZE size = TextExtent(font, text);
        HWND hwnd = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX | style,
                                    scale_(left), scale_(top), size.cx, size.cy, parent_, ControlIdHandle(id),
                                    GetModuleHandleA(nullptr), nullptr);
        if (!hwnd) throw Exception(std::string("Cannot create the label ") + text);
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return hwnd;
    }

private:
    HWND parent_;
    const FormScale& scale_;
    HFONT font_;
};

// Keeps a frame control to its two-pixel edge, so that the labels inside it stay visible
// whatever the stacking order.
void ClipToEdge(HWND frame) {
    RECT r;
    GetClientRect(frame, &r);
    ScopedRegion outer(CreateRectRgn(0, 0, r.right, r.bottom));
    const ScopedRegion inner(CreateRectRgn(2, 2, r.right - 2, r.bottom - 2));
    CombineRgn(outer.Get(), outer.Get(), inner.Get(), RGN_DIFF);
    if (SetWindowRgn(frame, outer.Get(), FALSE)) outer.Release();  // the system owns the region now
}

}  // namespace

MainWindow::MainWindow() : directoryList_(IDC_DIRECTORY_LIST), driveList_(IDC_DRIVE_LIST) {}

// The window and its controls go first; the fonts, brushes and icon they use after them.
MainWindow::~MainWindow() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void MainWindow::Create(HINSTANCE instance, HWND owner) {
    RegisterClasses(instance);
    const FormScale scale = MakeFontsAndScale();
    MakeFrame(instance, owner, scale);
    MakeMainArea(scale);
    MakeChooser(scale);
    MakeDeveloperGroup(scale);
    ApplyDeveloperSwitch();
    LinkChooser();
    FirstFill();
}

// The window class "TForm1", with the application icon, and the developer group's class.
void MainWindow::RegisterClasses(HINSTANCE instance) {
    icon_.Reset(static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, 32, 32, 0)));
    WNDCLASSEXA cls{};
    cls.cbSize = sizeof(cls);
    cls.lpfnWndProc = ObjectWindowProc<MainWindow>;
    cls.hInstance = instance;
    cls.hIcon = icon_.Get();
    cls.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = R7716_MAIN_CLASS;
    if (!RegisterClassExA(&cls) || !RegisterGroupBoxClass(instance))
        throw Exception("Cannot register the window classes");
}

// The window's fonts at the system's dpi and its brushes; the scale that the font's text
// height gives the layout.
FormScale MainWindow::MakeFontsAndScale() {
    const int dpi = GetDeviceCaps(ScopedGetDC(nullptr).Get(), LOGPIXELSY);
    font_.Reset(MakeFont(FontHeightForDpi(kFormFontHeight, dpi), false));
    linkFont_.Reset(MakeFont(FontHeightForDpi(kFormFontHeight, dpi), true));
    directoryLabelFont_.Reset(MakeFont(FontHeightForDpi(kDirectoryLabelFontHeight, dpi), false));
    lightRedBrush_.Reset(CreateSolidBrush(kLightRed));
    redBrush_.Reset(CreateSolidBrush(kRed));
    if (!font_ || !linkFont_ || !directoryLabelFont_ || !lightRedBrush_ || !redBrush_)
        throw Exception("Cannot create the fonts of the window");
    return FormScale(TextHeight(font_.Get()));
}

// The top-level window: fixed dialog frame, its client area scaled, centred on the screen;
// owned by the application window, which stands for the tool in the task list.
void MainWindow::MakeFrame(HINSTANCE instance, HWND owner, const FormScale& scale) {
    RECT frame{0, 0, scale(kClientWidth), scale(kClientHeight)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    hwnd_ = CreateWindowExA(kExStyle, R7716_MAIN_CLASS, R7716_MAIN_CAPTION, kStyle, left, top, width, height, owner,
                            nullptr, instance, this);
    if (!hwnd_) throw Exception("Cannot create the main window");
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
}

// The labels, the frame, the link, the icon and "Installation", in the order of creation.
void MainWindow::MakeMainArea(const FormScale& scale) {
    const ControlMaker main(hwnd_, scale, font_.Get());
    copiesLabel_ = main.Label("The KORVA Updates Tool copies:", IDC_COPIES_LABEL, 16, 280);
    importFileLabel_ = main.Label("File R7716.XIF into folder \"LonWorks\\Import\".", IDC_IMPORT_FILE_LABEL, 16, 296);
    typesFilesLabel_ = main.Label("Files R7716.ENU, R7716.FPT, R7716.FMT, R7716.TYP", IDC_TYPES_FILES_LABEL, 16, 312);
    summaryFrame_ = main.Make(0, "STATIC", "", WS_VISIBLE | SS_OWNERDRAW, IDC_SUMMARY_FRAME, 8, 272, 361, 97);
    ClipToEdge(summaryFrame_);
    typesFolderLabel_ = main.Label("into folder \"LonWorks\\Types\\User\\KR\".", IDC_TYPES_FOLDER_LABEL, 16, 328);
    productLink_ = main.Label(R7716_WEB_HOST, IDC_PRODUCT_LINK, 48, 401, WS_VISIBLE | SS_NOTIFY, linkFont_.Get());
    copyrightLabel_ = main.Label("Copyright (c) KORVA Example Meters GmbH", IDC_COPYRIGHT_LABEL, 48, 384);
    catalogLabel_ = main.Label("Adds the path to the resource files into the LonWorks resource catalog.",
                               IDC_CATALOG_LABEL, 16, 344);
    iconImage_ = main.Make(0, "STATIC", "", WS_VISIBLE | SS_ICON | SS_REALSIZEIMAGE, IDC_ICON_IMAGE, 8, 384, 33, 33);
    SendMessageA(iconImage_, STM_SETICON, reinterpret_cast<WPARAM>(icon_.Get()), 0);
    SetWindowPos(iconImage_, nullptr, 0, 0, scale(33), scale(33), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    pathLabel_ = main.Label("Path:", IDC_PATH_LABEL, 8, 212);
    versionLabel_ = main.Label("Version: " R7716_VERSION, IDC_VERSION_LABEL, 304, 384);
    instructionLabel_ = main.Label("Select a path to existing LonWorks folder and press button Installation.",
                                   IDC_INSTRUCTION_LABEL, 8, 8);
    installButton_ = main.Make(0, "BUTTON", "Installation", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, IDC_INSTALL_BUTTON,
                               8, 240, 75, 25);
    focused_ = installButton_;  // whenever the window is first activated, the focus goes here
}

// The directory list, the drive list and the path field. The lists have no tab stop.
void MainWindow::MakeChooser(const FormScale& scale) {
    const int textHeight = TextHeight(font_.Get());
    if (!directoryList_.Create(hwnd_, scale(8), scale(56), scale(361), scale(145), DirectoryItemHeight(textHeight),
                               font_.Get()))
        throw Exception("Cannot create the directory list");
    if (!driveList_.Create(hwnd_, scale(8), scale(30), scale(361), scale(19), DriveItemHeight(textHeight), font_.Get()))
        throw Exception("Cannot create the drive list");
    const ControlMaker main(hwnd_, scale, font_.Get());
    pathField_ = main.Make(WS_EX_CLIENTEDGE, "EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, IDC_PATH_FIELD, 40,
                           208, 329, 21);
}

// The developer group, disabled and hidden, and its children (the directory label among them).
void MainWindow::MakeDeveloperGroup(const FormScale& scale) {
    developerGroup_ = CreateGroupBox(hwnd_, IDC_DEVELOPER_GROUP, "Debug", scale(128), scale(200), scale(241),
                                     scale(185), WS_DISABLED, lightRedBrush_.Get(), font_.Get());
    if (!developerGroup_) throw Exception("Cannot create the developer group");
    // Created last, the group lies over the path field and the frame: keep it on top of them.
    SetWindowPos(developerGroup_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const ControlMaker group(developerGroup_, scale, font_.Get());
    directoryLabel_ = group.Label("C:\\...\\10\\DirectoryListBox", IDC_DIRECTORY_LABEL, 7, 96, 0,
                                  directoryLabelFont_.Get());
    stepsLabel_ = group.Label("I. Three steps for creating file R7716.h :", IDC_STEPS_LABEL, 8, 16);
    folderNameLabel_ = group.Label("II. Set folder name in LonWorks ", IDC_FOLDER_NAME_LABEL, 8, 112);
    linkStepLabel_ = group.Label("3) Link the file R7716.h into the Tool.exe build", IDC_LINK_STEP_LABEL, 8, 80);
    testingLabel_ = group.Label("for testing the Tool.exe", IDC_TESTING_LABEL, 8, 128);
    generateButton_ = group.Make(0, "BUTTON", "2) Generate R7716.h", WS_VISIBLE | BS_OWNERDRAW, IDC_GENERATE_BUTTON, 6,
                                 56, 131, 25);
    openButton_ = group.Make(0, "BUTTON", "1) Open File R7716.xif", WS_VISIBLE | BS_OWNERDRAW, IDC_OPEN_BUTTON, 6, 32,
                             131, 25);
    deviceFolderField_ = group.Make(WS_EX_CLIENTEDGE, "EDIT", "KR", WS_VISIBLE | ES_AUTOHSCROLL,
                                    IDC_DEVICE_FOLDER_FIELD, 8, 148, 121, 21);
}

// The developer switch, fixed in the build, shows and enables the developer group.
void MainWindow::ApplyDeveloperSwitch() {
    developerMode_ = BuildDeveloperMode();
    if (developerMode_) {
        EnableWindow(developerGroup_, TRUE);
        ShowWindow(developerGroup_, SW_SHOW);
    }
}

// The drive list drives the directory list, which shows its folder, shortened to the list's
// width, in the directory label and reports every change to OnDirectoryChange.
void MainWindow::LinkChooser() {
    directoryList_.OnChange = [this] { OnDirectoryChange(); };
    driveList_.LinkDirectoryList(&directoryList_);
    directoryList_.LinkLabel(directoryLabel_);
}

// The path field starts with the working directory, in full. Then the lists fill themselves:
// the directory list builds its rows and highlights the current one; the drive list builds
// its entries and selects the initial drive, which moves the directory list only when it
// stands elsewhere (a network path without drive letter, the one case with a change
// notification here).
void MainWindow::FirstFill() {
    char directory[MAX_PATH] = "";
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, directory);
    SetWindowTextA(pathField_, length > 0 && length < MAX_PATH ? directory : "");
    directoryList_.HandleWindowCreated();
    driveList_.HandleWindowCreated();
}

void MainWindow::Show(int showCommand) {
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    RestoreFocus();
}

// The control that last had the focus, or "Installation" when that one cannot take it now.
HWND MainWindow::FocusTarget() const {
    const bool usable = focused_ && IsWindow(focused_) && IsChild(hwnd_, focused_) &&
                        (GetWindowLongPtrA(focused_, GWL_STYLE) & WS_VISIBLE) && IsWindowEnabled(focused_);
    return usable ? focused_ : installButton_;
}

// Puts the focus on its control whenever the window is activated or itself receives the
// focus, so that the window itself never keeps it. When the system refuses now (the
// activation is still changing), a posted message tries again once it has settled.
void MainWindow::RestoreFocus() {
    const HWND target = FocusTarget();
    SetFocus(target);
    if (GetFocus() != target) PostMessageA(hwnd_, kRestoreFocus, 0, 0);
}

bool MainWindow::PreTranslateMessage(MSG& message) {
    if (message.message != WM_KEYDOWN || (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE)) return false;
    if (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd)) return false;
    // The lists use these keys themselves (opening a row, closing the drop-down part).
    if (message.hwnd == directoryList_.Handle()) {
        const WPARAM key = message.wParam;
        bool used = false;
        RunHandler([&] { used = directoryList_.OnKeyDown(key); });
        if (!used) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return true;
    }
    if (message.hwnd == driveList_.Handle() || IsChild(driveList_.Handle(), message.hwnd)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        return true;
    }
    return true;  // no default or cancel button: the key presses nothing
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
    case WM_CTLCOLORLISTBOX: return OnCtlColor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (const ChooserControl* list = ChooserWithId(item.CtlID)) {
            list->OnMeasureItem(item);
            return TRUE;
        }
        break;
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == productLink_ && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus)) focused_ = focus;
        } else {
            RestoreFocus();
        }
        return 0;
    case WM_SETFOCUS: RestoreFocus(); return 0;
    case kRestoreFocus:
        if (GetActiveWindow() == hwnd_ && (GetFocus() == hwnd_ || GetFocus() == nullptr)) SetFocus(FocusTarget());
        return 0;
    case WM_CLOSE: DestroyWindow(hwnd_); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void MainWindow::OnCommand(WORD id, WORD notification) {
    RunHandler([&] {
        switch (id) {
        case IDC_INSTALL_BUTTON:
            if (notification == BN_CLICKED) OnInstallClick();
            break;
        case IDC_GENERATE_BUTTON:
            if (notification == BN_CLICKED) OnGenerateClick();
            break;
        case IDC_OPEN_BUTTON:
            if (notification == BN_CLICKED) OnOpenClick();
            break;
        case IDC_PRODUCT_LINK:
            if (notification == STN_CLICKED) OnProductLinkClick();
            break;
        case IDC_DIRECTORY_LIST: directoryList_.OnCommand(notification); break;
        case IDC_DRIVE_LIST: driveList_.OnCommand(notification); break;
        }
    });
}

LRESULT MainWindow::OnCtlColor(UINT message, HDC dc, HWND control) {
    // The two lists and the drive list's drop-down part.
    if (message == WM_CTLCOLORLISTBOX || control == driveList_.Handle())
        return reinterpret_cast<LRESULT>(ChooserControl::OnCtlColor(dc));
    if (control == pathField_)
        return DefWindowProcA(hwnd_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    if (control == productLink_) {
        SetTextColor(dc, kBlue);
    } else if (control == directoryLabel_) {
        SetBkColor(dc, kRed);
        return reinterpret_cast<LRESULT>(redBrush_.Get());
    }
    if (GetParent(control) == developerGroup_) {
        SetBkColor(dc, kLightRed);
        return reinterpret_cast<LRESULT>(lightRedBrush_.Get());
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

const ChooserControl* MainWindow::ChooserWithId(UINT id) const {
    if (id == static_cast<UINT>(directoryList_.Id())) return &directoryList_;
    if (id == static_cast<UINT>(driveList_.Id())) return &driveList_;
    return nullptr;
}

void MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    RunHandler([&] {
        if (item.hwndItem == summaryFrame_) DrawSummaryFrame(item);
        else if (item.hwndItem == generateButton_ || item.hwndItem == openButton_) DrawRedButton(item);
        else if (const ChooserControl* list = ChooserWithId(item.CtlID)) list->OnDrawItem(item);
    });
}

void MainWindow::DrawSummaryFrame(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    DrawEdge(item.hDC, &r, EDGE_ETCHED, BF_RECT);  // sunken outer line, raised inner line
}

void MainWindow::DrawRedButton(const DRAWITEMSTRUCT& item) {
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
        const ScopedSelectObject font(item.hDC, font_.Get());
        DrawTextA(item.hDC, caption, -1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
    if (item.itemState & ODS_FOCUS) {
        InflateRect(&r, -4, -4);
        DrawFocusRect(item.hDC, &r);
    }
}

void MainWindow::OnInstallClick() {
    InstallRequest request;
    request.pathField = WindowText(pathField_);
    request.developerMode = developerMode_;
    if (developerMode_) request.deviceFolderName = WindowText(deviceFolderField_);
    WindowInstallPlatform platform;
    const Win32CodePage codePage;
    SimpleMessageBox messages;
    RunInstallation(request, EmbeddedPayload(), platform, codePage, messages);
}

// The path field takes the list's folder in full. (The directory label shows it shortened to
// the list's width; installing into that shortened text would write into a wrong folder.)
void MainWindow::OnDirectoryChange() { SetWindowTextA(pathField_, directoryList_.Directory().c_str()); }

void MainWindow::OnProductLinkClick() {
    // shell32 is loaded on the first click, not imported: under Wine it and the libraries it
    // brings would be loaded on every start of the tool, for a link that is rarely clicked.
    if (auto open = LoadProc<decltype(ShellExecuteA)>(LoadLibraryA("shell32.dll"), "ShellExecuteA"))
        open(nullptr, "open", R7716_PRODUCT_PAGE, nullptr, nullptr, SW_SHOWNORMAL);
}

void MainWindow::OnGenerateClick() {
    Win32GeneratorFiles files;
    GenerateHeader(WindowText(pathField_), files);
}

void MainWindow::OnOpenClick() {
    if (!openDialog_.Execute(hwnd_)) return;
    const std::string& name = openDialog_.FileName();
    try {
        if (!SetWindowTextA(pathField_, name.c_str())) throw Exception("Cannot set the path field");
    } catch (const std::exception&) {
        ApplicationMessageBox("Requested file " + name + " cannot be opened.", "Open", 16);
    }
}

}  // namespace korva
