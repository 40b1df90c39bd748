#include "forms/desk_memo_owner.h"

#include "desk/desk.h"
#include "store/error_report.h"

#include <windows.h>
#include <shellapi.h>

namespace petarino::forms {

void DeskMemoOwner::CreateMemo() {
    desk_->CreateMemo();
}

void DeskMemoOwner::ConfirmAndDestroy(int slot) {
    desk_->ConfirmAndDestroy(slot);
}

void DeskMemoOwner::RefreshStatusList() {
    desk_->Table().RefreshStatusList();
}

void DeskMemoOwner::OpenMemoProperties(Memo& memo) {
    desk_->OpenMemoProperties(memo);
}

void DeskMemoOwner::OpenAlarm(Memo& memo) {
    desk_->OpenAlarm(memo);
}

void DeskMemoOwner::MemoChanged() {
    desk_->MemoChanged();
}

// The memo gives only web and mail addresses; the shell hands each to the program the user
// chose for its kind, and tells the user itself when there is none.
void DeskMemoOwner::OpenAddress(MemoTextView address) {
    const MemoText terminated(address);
    ShellExecuteW(nullptr, L"open", reinterpret_cast<const wchar_t*>(terminated.c_str()), nullptr,
                  nullptr, SW_SHOWNORMAL);
}

void DeskMemoOwner::ReportError(std::string_view message) {
    ReportGeneralError(windows_, message);
}

} // namespace petarino::forms
