// Start-up of the tool: the application window that stands for it in the task list, the one
// main window and the event loop.
#include <windows.h>

#include <exception>

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/MessageBoxes.h"
#include "core/common/Exception.h"
#include "win32/DllSearch.h"

namespace {

// A window destroyed while start-up failed has posted the request to end the loop; it must
// not close the error box at once.
void DropPendingQuit() {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    korva::RestrictDllSearch();
    try {
        korva::Application application;
        application.Create(instance);
        korva::MainWindow window;
        window.Create(instance, korva::Application::Window());
        application.SetMainWindow(window.Handle());
        application.Show(showCommand);
        if (!application.Minimized()) window.Show(showCommand);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (window.PreTranslateMessage(message)) continue;
            if (IsDialogMessageA(window.Handle(), &message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    } catch (const korva::Exception& e) {
        DropPendingQuit();
        korva::ShowErrorBox(e.Message());
    } catch (const std::exception& e) {
        DropPendingQuit();
        korva::ShowErrorBox(e.what());
    }
    return 0;
}
