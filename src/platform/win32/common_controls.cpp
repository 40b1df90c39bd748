#include "platform/win32/common_controls.h"

#include <stdexcept>

namespace petarino::win32 {
namespace {

template <typename Function> Function* Find(HMODULE library, const char* name) {
    // Through the type of no arguments, which converts to any function type.
    const auto found =
        reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
    if (!found) throw std::runtime_error("コモンコントロールを初期化できません");
    return found;
}

struct Library {
    decltype(InitCommonControlsEx)* initCommonControlsEx;
    decltype(SetWindowSubclass)* setWindowSubclass;
    decltype(DefSubclassProc)* defSubclassProc;
};

// By its name, not its path: the manifest's dependency turns the name into the side-by-side
// version 6, ahead of any folder, where a path would take the old version from the system
// folder. Loaded for the rest of the process, as the controls it registers live as long.
const Library& CommonControls() {
    static const Library library = [] {
        const HMODULE module = LoadLibraryW(L"comctl32.dll");
        if (!module) throw std::runtime_error("コモンコントロールを読み込めません");
        return Library{Find<decltype(InitCommonControlsEx)>(module, "InitCommonControlsEx"),
                       Find<decltype(SetWindowSubclass)>(module, "SetWindowSubclass"),
                       Find<decltype(DefSubclassProc)>(module, "DefSubclassProc")};
    }();
    return library;
}

} // namespace

void LoadCommonControls(DWORD classes) {
    const INITCOMMONCONTROLSEX request{.dwSize = sizeof request, .dwICC = classes};
    if (!CommonControls().initCommonControlsEx(&request))
        throw std::runtime_error("コモンコントロールを初期化できません");
}

void SetSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data) {
    CommonControls().setWindowSubclass(window, procedure, id, data);
}

LRESULT DefSubclass(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    return CommonControls().defSubclassProc(window, message, wp, lp);
}

} // namespace petarino::win32
