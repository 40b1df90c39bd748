#include "forms/status_page.h"

#include "desk/desk.h"
#include "forms/form_controls.h"
#include "forms/handler_errors.h"
#include "forms/memo_window.h"
#include "forms/mouse_shift_state.h"
#include "platform/win32/common_controls.h"
#include "store/error_report.h"

#include <algorithm>

namespace petarino::forms {

void StatusPage::Bind(HWND listBox, HWND searchBox) {
    searchBox_ = searchBox;
    win32::SetSubclass(listBox, ListProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
    win32::SetSubclass(searchBox, SearchBoxProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
}

void StatusPage::SearchChanged() {
    desk_.SearchTyped(TextOf(searchBox_));
}

void StatusPage::ShowFoundMemo(int row) {
    Memo* memo = desk_.ShowRow(row);
    auto* form = dynamic_cast<TMemoForm*>(memo);
    if (!form) return;
    form->BringToFront();
    SetForegroundWindow(form->Handle());
    if (const auto found = desk_.FoundInText(*memo)) form->SelectText(*found);
}

void StatusPage::FocusSearch() {
    SetFocus(searchBox_);
    SendMessageW(searchBox_, EM_SETSEL, 0, -1);
}

// Shift and Ctrl with a click on a row show or destroy its memo.
LRESULT CALLBACK StatusPage::ListProcedure(HWND listBox, UINT message, WPARAM wp, LPARAM lp,
                                           UINT_PTR, DWORD_PTR self) noexcept {
    const LRESULT result = win32::DefSubclass(listBox, message, wp, lp);
    if (message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP) {
        auto& page = *reinterpret_cast<StatusPage*>(self);
        ReportingErrors(
            [&] {
                page.desk_.StatusListMouseUp(MouseShiftState(wp));
                return LRESULT{0};
            },
            [&](std::string_view error) { ReportGeneralError(page.windows_, error); });
    }
    return result;
}

// Enter shows the selected memo, or the first the box found. A single-line box keeps Enter to
// itself, and its character would only beep.
LRESULT CALLBACK StatusPage::SearchBoxProcedure(HWND box, UINT message, WPARAM wp, LPARAM lp,
                                                UINT_PTR, DWORD_PTR self) noexcept {
    if (wp != VK_RETURN || (message != WM_KEYDOWN && message != WM_CHAR))
        return win32::DefSubclass(box, message, wp, lp);
    auto& page = *reinterpret_cast<StatusPage*>(self);
    if (message == WM_KEYDOWN)
        ReportingErrors(
            [&] {
                page.ShowFoundMemo(std::max(page.list_.SelectedRow(), 0));
                return LRESULT{0};
            },
            [&](std::string_view error) { ReportGeneralError(page.windows_, error); });
    return 0;
}

} // namespace petarino::forms
