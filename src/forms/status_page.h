// The page "メモの状態": the memos' list and its clicks, the search box that narrows it, and the
// memo that a row's double click or Enter shows.
#pragma once

#include "memos/status_list.h"
#include "platform/window_system.h"

#include <windows.h>

namespace petarino {
class Desk;
}

namespace petarino::forms {

class StatusPage {
public:
    StatusPage(Desk& desk, platform::WindowSystem& windows, const StatusList& list)
        : desk_(desk), windows_(windows), list_(list) {}

    // The page's controls, once they are made.
    void Bind(HWND listBox, HWND searchBox);
    // The box's words narrow the list.
    void SearchChanged();
    // The memo of the row shown, raised and given the keyboard, the first word found in its
    // text selected.
    void ShowFoundMemo(int row);
    // The box ready to type in; its text stays as it was, selected, so the next words typed
    // replace it.
    void FocusSearch();

private:
    static LRESULT CALLBACK ListProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR) noexcept;
    static LRESULT CALLBACK SearchBoxProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR,
                                               DWORD_PTR) noexcept;

    Desk& desk_;
    platform::WindowSystem& windows_;
    const StatusList& list_;
    HWND searchBox_ = nullptr;
};

} // namespace petarino::forms
