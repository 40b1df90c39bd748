// One started copy of petarino.exe and what a user or the system can do with it from outside.
#pragma once

#include "message_boxes.h"
#include "process.h"

#include <windows.h>
#include <optional>
#include <string>
#include <vector>

namespace petarino::e2e {

class RunningPetarino {
public:
    explicit RunningPetarino(remote::Process process) : process_(std::move(process)) {}

    DWORD Id() const { return process_.Id(); }
    bool Running() const { return process_.Running(); }
    // Waits until the start-up has finished: the properties window exists and its first tick
    // has run. False when that did not happen in time.
    bool WaitForStart();
    // Time enough for a close or a start to go through: true when it still runs after it.
    bool KeepsRunning() const;
    bool WaitForExit() const;
    void Kill() { process_.Kill(); }

    HWND Properties() const { return properties_; }
    HWND ApplicationWindow() const;
    std::vector<HWND> Memos() const;
    std::vector<HWND> VisibleMemos() const;
    // A control of the properties window by its class and text; nullptr when there is none.
    HWND Control(const wchar_t* className, const wchar_t* text) const;

    // The icon's left click: true once the properties window is visible.
    bool ShowProperties() const;
    // The icon's right click, then the menu item with the mnemonic.
    bool ChooseFromTrayMenu(wchar_t mnemonic) const;
    std::optional<remote::MessageBoxView> WaitForMessageBox() const;

private:
    remote::Process process_;
    HWND properties_ = nullptr;
};

} // namespace petarino::e2e
