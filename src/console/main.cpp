// r7716-install.exe: the installation without a window, for software distribution systems.
// The arguments are taken as the system's wide command line, so that a folder name is never
// turned into another one on the way in.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "core/console/ConsoleProgram.h"
#include "payload/Payload.h"
#include "win32/DllSearch.h"
#include "win32/Win32CodePage.h"
#include "win32/Win32ConsolePlatform.h"
#include "win32/Win32InstallPlatform.h"

int wmain(int argc, wchar_t** argv) {
    korva::RestrictDllSearch();
    // No box of the system's either (a missing disk, a crash report): the run is unattended.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);

    korva::Win32ConsolePlatform console;
    try {
        const std::vector<std::wstring> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
        korva::Win32InstallPlatform install;
        const korva::Win32KernelCodePage codePage;
        return korva::RunConsole(arguments, korva::EmbeddedPayload(), install, console, codePage);
    } catch (const std::exception& e) {
        console.WriteErr(std::string("r7716-install: ") + e.what() + "\r\n");
        return 1;
    }
}
