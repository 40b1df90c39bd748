// TAlarmSet, the alarm dialog "アラーム": one modal dialog in the style of the memo properties
// dialog, made when first needed and reused for every memo.
#pragma once

#include "alarms/alarm_properties.h"
#include "forms/form_controls.h"
#include "forms/form_window.h"
#include "forms/modal_loop.h"
#include "memos/memo_table.h"
#include "platform/kernel.h"
#include "platform/window_system.h"

#include <windows.h>

namespace petarino::forms {

class TAlarmSet final : private AlarmPropertiesView {
public:
    // Created hidden, owned by the application's hidden window.
    TAlarmSet(HWND owner, platform::WindowSystem& windows, platform::Kernel& kernel,
              MemoTable& table);
    TAlarmSet(const TAlarmSet&) = delete;
    TAlarmSet& operator=(const TAlarmSet&) = delete;

    // Fills the dialog from the memo's alarm and runs it modally; OK (1) sets the alarm,
    // Cancel, Esc and the close box (2) leave it. A call while it runs is refused with 2.
    int Execute(Memo& memo);

    HWND Handle() const { return window_.get(); }

private:
    friend class FormWindow<TAlarmSet>;
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    platform::WindowSystem& Windows() const { return windows_; }

    void CreateControls();
    void Click(int id);
    void Confirm();
    // The time, the repeat and the sound take input only for an alarm in use.
    void EnableDetails();

    bool UseAlarm() const override;
    void SetUseAlarm(bool use) override;
    WallMinute Time() const override;
    void SetTime(const WallMinute& time) override;
    int RepeatItem() const override;
    void SetRepeatItem(int item) override;
    bool Sound() const override;
    void SetSound(bool sound) override;

    HWND owner_;
    platform::WindowSystem& windows_;
    platform::Kernel& kernel_;
    Memo* memo_ = nullptr; // while the dialog runs
    AlarmProperties properties_;
    win32::UniqueFont formFont_;
    UniqueWindow window_;
    HWND useAlarm_ = nullptr;
    HWND time_ = nullptr;
    HWND repeat_ = nullptr;
    HWND sound_ = nullptr;
    HWND ok_ = nullptr;
    ModalRun modal_;
};

} // namespace petarino::forms
