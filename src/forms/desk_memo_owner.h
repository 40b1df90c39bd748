// What a memo window asks of the rest of the program, answered by the desk; showing the status
// page and the exit belong to the properties window, which gives them.
#pragma once

#include "forms/memo_window_owner.h"
#include "platform/window_system.h"

#include <functional>

namespace petarino {
class Desk;
}

namespace petarino::forms {

class DeskMemoOwner final : public MemoWindowOwner {
public:
    DeskMemoOwner(platform::WindowSystem& windows, std::function<void()> showStatusPage,
                  std::function<void()> exit)
        : windows_(windows), showStatusPage_(std::move(showStatusPage)), exit_(std::move(exit)) {}
    // The memo windows are made before the desk that owns their table: it answers from here on.
    void Serve(Desk& desk) { desk_ = &desk; }

    void CreateMemo() override;
    void ConfirmAndDestroy(int slot) override;
    void RefreshStatusList() override;
    void ShowStatusPage() override { showStatusPage_(); }
    void Exit() override { exit_(); }
    void OpenMemoProperties(Memo& memo) override;
    void OpenAlarm(Memo& memo) override;
    void MemoChanged() override;
    void OpenAddress(MemoTextView address) override;
    void ReportError(std::string_view message) override;

private:
    platform::WindowSystem& windows_;
    std::function<void()> showStatusPage_;
    std::function<void()> exit_;
    Desk* desk_ = nullptr;
};

} // namespace petarino::forms
