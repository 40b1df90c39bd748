#include "forms/sync_page.h"

#include "desk/desk.h"
#include "forms/form_controls.h"

#include <string>

namespace petarino::forms {

void SyncPage::Refresh() {
    if (!folder_) return;
    const sync::FolderSync& sync = desk_.Sync();
    const std::u16string& units = sync.Folder().units;
    SetWindowTextW(folder_, sync.On() ? std::wstring(units.begin(), units.end()).c_str() : L"");
    SetText(status_, sync.StatusLine());
}

void SyncPage::BrowseClick() {
    const sync::FolderSync& sync = desk_.Sync();
    const auto start = sync.On() ? std::optional(sync.Folder()) : std::nullopt;
    if (const auto folder = choosers_.PickFolder(start)) desk_.JoinSyncFolder(*folder);
    Watch();
    Refresh();
}

void SyncPage::ButtonClick(void (Desk::*action)()) {
    (desk_.*action)();
    Watch();
    Refresh();
}

void SyncPage::Watch() {
    if (!watch_) return;
    const auto wanted = desk_.FolderToWatch();
    if (wanted == watched_) return;
    watched_.reset();
    watch_->Stop();
    if (wanted && watch_->Watch(*wanted)) watched_ = wanted;
}

void SyncPage::FolderFound() {
    if (watch_ && !watch_->Current()) watched_.reset();
}

} // namespace petarino::forms
