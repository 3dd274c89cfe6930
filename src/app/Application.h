#pragma once
// The application window: the one window of the tool that the system lists in its task list
// (task bar, Alt+Tab), under the application title. It is a visible top-level window of no
// size; the main window and every box belong to it, so that none of them gets an entry of
// its own. Minimising it from the task list hides the main window, restoring it shows the
// main window again and activates it; closing it closes the main window.
#include <windows.h>

#include <vector>

#include "app/Controls.h"

namespace korva {

class Application {
public:
    Application() = default;
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Registers the class and creates the window (not yet shown); raises Exception when the
    // system refuses. The tool makes exactly one.
    void Create(HINSTANCE instance);
    // The window that the application stands for: minimised, restored and closed with it.
    void SetMainWindow(HWND main) { main_ = main; }
    // Shows the application window without taking the activation; minimised when the start-up's
    // show command asks for it, so that restoring it shows the main window for the first time.
    void Show(int showCommand);
    bool Minimized() const;

    // The application window of this process, or null before Create.
    static HWND Window();

private:
    friend LRESULT CALLBACK ObjectWindowProc<Application>(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    HWND main_ = nullptr;
    bool mainHidden_ = false;  // hidden because the application was minimised
};

// While a box of the application is open the tool's other windows take no input: this
// disables them for the length of a scope, enables them again at its end and gives the
// activation and the focus back to the windows that had them. It also moves the application
// window onto the active window, so that a box the system centres on its owner's monitor
// appears on the monitor of the window that was active.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    HWND active_;
    HWND focus_;
    std::vector<HWND> disabled_;
};

}  // namespace korva
