#pragma once
// The first step of every delivered program: DLLs come from the system folder only, never
// from the working directory or the program's own folder. Looked up at run time: systems
// without the call keep their default search order.
#include <windows.h>

#include "win32/Scoped.h"

namespace korva {

inline void RestrictDllSearch() {
    if (auto set = LoadProc<decltype(SetDefaultDllDirectories)>(GetModuleHandleA("kernel32.dll"),
                                                                "SetDefaultDllDirectories"))
        set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace korva
