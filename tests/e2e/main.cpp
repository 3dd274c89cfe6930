// The end-to-end driver: GoogleTest cases by default; with --demo FOLDER it works through
// one installation into FOLDER (a LonWorks folder it creates), prints what was installed
// and saves screenshots, for the run script on a machine without a display.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "Driver.h"
#include "app/ControlIds.h"

namespace {

int Demo(const std::string& lonworks) {
    using namespace e2e;
    if (!MakeDirs(lonworks)) {
        std::printf("demo: cannot create %s\n", lonworks.c_str());
        return 1;
    }
    Tool tool;
    std::string start = lonworks.substr(0, lonworks.find_last_of('\\'));
    std::string err = tool.Start(false, start.empty() ? lonworks : start);
    if (!err.empty()) {
        std::printf("demo: %s\n", err.c_str());
        return 1;
    }
    std::printf("Window \"%s\" is open; the path field holds %s\n", WindowText(tool.Main()).c_str(),
                WindowText(tool.Control(IDC_EDIT2)).c_str());
    tool.BringToFront(tool.Main());
    SaveScreenshot(tool.Main(), ArtifactDir() + "\\main-window.png");
    SetText(tool.Control(IDC_EDIT2), lonworks);
    std::printf("Typed %s into the path field and pressed Installation\n", lonworks.c_str());
    tool.PostClick(tool.Control(IDC_BUTTON2));
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
        std::string bytes;
        bool ok = ReadFileBytes(f, bytes);
        all = all && ok;
        std::printf("  %-70s %s\n", f.c_str(), ok ? (std::to_string(bytes.size()) + " bytes").c_str() : "MISSING");
    }
    std::string cmd;
    ReadFileBytes(lonworks + "\\Types\\loninst.cmd", cmd);
    std::printf("loninst.cmd: %s\n", cmd.c_str());
    return all && code == 0 && message == "Information: The operation is successfully complete." ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--demo") == 0) return Demo(argv[2]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
