#include "forms/desk_memo_owner.h"

#include "desk/desk.h"
#include "store/error_report.h"

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

void DeskMemoOwner::ReportError(std::string_view message) {
    ReportGeneralError(windows_, message);
}

} // namespace petarino::forms
