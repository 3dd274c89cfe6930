// The headless demonstration that scripts/run.sh runs on a machine without a display: one
// installation into a LonWorks folder it creates, worked through the window as a user would,
// with what was installed printed and screenshots saved.
#include <cstdio>
#include <string>

#include "Driver.h"
#include "app/ControlIds.h"

namespace e2e {
namespace {

// Opens the row of the folder's own name in the directory list by a double-click, as a user
// picks a folder below the one shown; true when the path field then holds the folder.
bool PickInList(const Tool& tool, const std::string& folder) {
    HWND list = tool.Control(IDC_DIRECTORY_LIST);
    std::string name = folder.substr(folder.find_last_of('\\') + 1);
    std::wstring wide(name.size() + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    DWORD_PTR row = static_cast<DWORD_PTR>(LB_ERR);
    // Wine hands list texts between processes as UTF-16: ask with the W function.
    if (!list ||
        !SendMessageTimeoutW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()),
                             SMTO_ABORTIFHUNG, kTimeoutMs, &row) ||
        static_cast<LRESULT>(row) == LB_ERR)
        return false;
    SendMessageA(list, LB_SETTOPINDEX, row, 0);
    int h = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    const LPARAM at = MAKELPARAM(40, (static_cast<int>(row) - top) * h + h / 2);
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        PostMessageA(list, m, m == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 3000) {
        if (WindowText(tool.Control(IDC_PATH_FIELD)) == folder) return true;
        Sleep(20);
    }
    return false;
}

}  // namespace

int RunDemo(const std::string& lonworks) {
    if (!MakeDirs(lonworks)) {
        std::printf("demo: cannot create %s\n", lonworks.c_str());
        return 1;
    }
    Tool tool;
    // Started in the folder above, from where the user picks the LonWorks folder.
    size_t cut = lonworks.find_last_of('\\');
    if (cut == std::string::npos) {
        std::printf("demo: give a full path, such as C:\\demo\\LonWorks\n");
        return 1;
    }
    std::string start = lonworks.substr(0, cut);
    if (!start.empty() && start.back() == ':') start += '\\';
    std::string err = tool.Start(false, start);
    if (!err.empty()) {
        std::printf("demo: %s\n", err.c_str());
        return 1;
    }
    std::printf("Window \"%s\" is open; the path field holds %s\n", WindowText(tool.Main()).c_str(),
                WindowText(tool.Control(IDC_PATH_FIELD)).c_str());
    tool.BringToFront(tool.Main());
    if (PickInList(tool, lonworks)) {
        std::printf("Double-clicked %s in the directory list\n", lonworks.substr(cut + 1).c_str());
    } else {
        SetText(tool.Control(IDC_PATH_FIELD), lonworks);
        std::printf("Typed %s into the path field\n", lonworks.c_str());
    }
    std::printf("The path field holds %s; pressing Installation\n", WindowText(tool.Control(IDC_PATH_FIELD)).c_str());
    SaveScreenshot(tool.Main(), ArtifactDir() + "\\main-window.png");
    tool.PostClick(tool.Control(IDC_INSTALL_BUTTON));
    HWND box = tool.WaitForDialog(R7716_APP_TITLE);
    if (!box) {
        std::printf("demo: no answer box within 10 s\n");
        return 1;
    }
    std::string message = BoxText(box);
    std::printf("The tool answered: %s\n", Printable(message).c_str());
    SaveScreenshot(box, ArtifactDir() + "\\success-box.png");
    PressOk(tool, box);
    long code = tool.CloseAndWait();
    std::printf("Closed the window; exit code %ld\n\nInstalled:\n", code);
    const std::string device = lonworks + "\\Types\\User\\KR";
    bool all = true;
    for (const std::string& f : {lonworks + "\\Import\\R7716.XIF", device + "\\R7716.ENU", device + "\\R7716.FMT",
                                 device + "\\R7716.FPT", device + "\\R7716.TYP", lonworks + "\\Types\\loninst.cmd"}) {
        const auto bytes = ReadFileBytes(f);
        all = all && bytes;
        std::printf("  %-70s %s\n", f.c_str(), bytes ? (std::to_string(bytes->size()) + " bytes").c_str() : "MISSING");
    }
    const std::string cmd = ReadFileBytes(lonworks + "\\Types\\loninst.cmd").value_or("");
    std::printf("loninst.cmd: %s\n", cmd.c_str());

    // The developer build's window in the same place, for the record.
    Tool dev;
    if (dev.Start(true, start).empty()) {
        dev.BringToFront(dev.Main());
        SaveScreenshot(dev.Main(), ArtifactDir() + "\\main-window-dev.png");
        dev.CloseAndWait();
    }
    return all && code == 0 && message == "Information: The operation is successfully complete." ? 0 : 1;
}

}  // namespace e2e
