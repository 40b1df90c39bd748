// The page "同期": the folder and the status line of the desk's sync, its three buttons, and the
// watch on the folder that tells sync of another PC's file at once.
#pragma once

#include "platform/choosers.h"
#include "platform/files.h"
#include "platform/win32/folder_watch.h"

#include <windows.h>
#include <optional>

namespace petarino {
class Desk;
}

namespace petarino::forms {

class SyncPage {
public:
    SyncPage(Desk& desk, platform::Choosers& choosers) : desk_(desk), choosers_(choosers) {}

    // The watch reports a change to `window` with `changed`, from the start to End.
    void Start(HWND window, UINT changed) { watch_.emplace(window, changed); }
    void End() { watch_.reset(); }
    // The page's controls, once they are made.
    void Bind(HWND folder, HWND status) {
        folder_ = folder;
        status_ = status;
    }

    void Refresh();
    void BrowseClick();
    // "同期をやめる" or "今すぐ同期": what it did shows at once.
    void ButtonClick(void (Desk::*action)());
    // The folder watched while sync is on and the folder is there, after anything that may
    // change either.
    void Watch();
    // The folder was found again: if another folder took the watched one's place, it is
    // watched from the next tick on.
    void FolderFound();

private:
    Desk& desk_;
    platform::Choosers& choosers_;
    std::optional<win32::FolderWatch> watch_;
    std::optional<platform::FilePath> watched_;
    HWND folder_ = nullptr;
    HWND status_ = nullptr;
};

} // namespace petarino::forms
