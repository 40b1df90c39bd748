// The common controls' library, loaded when the first window that needs it is made. An empty
// desktop never needs it, and it is the largest library the program would otherwise map at
// start; memo text areas load it on their own, as the manifest redirects their class to it.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace petarino::win32 {

// Loads the library once and registers the given classes (ICC_ flags). Throws when the
// library or its registration is missing.
void LoadCommonControls(DWORD classes);

// The library's subclassing, for a control made after LoadCommonControls.
void SetSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
LRESULT DefSubclass(HWND window, UINT message, WPARAM wp, LPARAM lp);

} // namespace petarino::win32
