// The page "設定": the running time in Label3 and the box that starts the program with
// Windows. The autosave and exit settings live in their controls, bound to the core
// (control_bindings.h).
#pragma once

#include <windows.h>
#include <string>

namespace petarino {
class Desk;
}

namespace petarino::forms {

class SettingsPage {
public:
    explicit SettingsPage(Desk& desk) : desk_(desk) {}

    // The page's controls, once they are made; Label3 shows the last caption at once.
    void Bind(HWND label3, HWND startWithWindows);
    // Every tick: Label3 is written only when its caption changed.
    void ShowRunningTime();
    // The box shows what Windows will do, also after a click that could not change it.
    void Shown();
    void StartWithWindowsClick();

private:
    Desk& desk_;
    HWND label3_ = nullptr;
    HWND startWithWindows_ = nullptr;
    std::string shownLabel3_;
};

} // namespace petarino::forms
