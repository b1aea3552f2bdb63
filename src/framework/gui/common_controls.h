// The system's common controls library, loaded when the first control is
// made rather than at the start: the tray icon, its menu and the tick need
// none of it, and a program that runs all day should not carry it idle.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace stilvane {

struct CommonControls {
    decltype(&::SetWindowSubclass) setWindowSubclass;
    decltype(&::GetWindowSubclass) getWindowSubclass;
    decltype(&::RemoveWindowSubclass) removeWindowSubclass;
    decltype(&::DefSubclassProc) defSubclassProc;
};

// Loads the library in the version the manifest asks for and registers its
// standard classes, once; it then stays, as a linked library would. Raises
// EOSError when it cannot be loaded.
const CommonControls& LoadCommonControls();
// The library's functions once loaded, else null: before, no window of this
// program can have been subclassed.
const CommonControls* LoadedCommonControls();

} // namespace stilvane
