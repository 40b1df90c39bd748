#include "file_chooser.h"

#include "deadline.h"
#include "window_search.h"

#include <dlgs.h>

namespace petarino::remote {
namespace {

// The name box: a combo box in the newer layout, an edit in the older. A message box, the
// other dialog of the same class, has neither.
HWND NameBoxOf(HWND dialog) {
    const HWND combo = GetDlgItem(dialog, cmb13);
    return combo ? combo : GetDlgItem(dialog, edt1);
}

HWND VisibleChooser(DWORD processId) {
    for (HWND dialog : TopLevelWindows(L"#32770", processId))
        if (IsWindowVisible(dialog) && NameBoxOf(dialog)) return dialog;
    return nullptr;
}

} // namespace

bool ChooseFile(DWORD processId, const std::wstring& path, unsigned long timeoutMs) {
    HWND chooser = nullptr;
    if (!WaitFor([&] { return (chooser = VisibleChooser(processId)) != nullptr; }, timeoutMs))
        return false;
    Send(NameBoxOf(chooser), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return WaitFor([&] { return !IsWindow(chooser) || !IsWindowVisible(chooser); }, timeoutMs);
}

} // namespace petarino::remote
