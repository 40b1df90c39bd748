// The alarm dialog without its window: it fills its controls from a memo's alarm and on OK
// hands them back. While the dialog is open its controls are the working copy of the alarm.
#pragma once

#include "memos/memo.h"
#include "memos/memo_table.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace petarino {

// The dialog's controls, read and written where they are.
class AlarmPropertiesView {
public:
    virtual bool UseAlarm() const = 0; // "アラームを使う"
    virtual void SetUseAlarm(bool use) = 0;
    virtual WallMinute Time() const = 0; // the date-time picker
    virtual void SetTime(const WallMinute& time) = 0;
    virtual int RepeatItem() const = 0; // the drop-down list, in AlarmRepeat's order
    virtual void SetRepeatItem(int item) = 0;
    virtual bool Sound() const = 0; // "音を鳴らす"
    virtual void SetSound(bool sound) = 0;

protected:
    ~AlarmPropertiesView() = default;
};

inline constexpr std::string_view kPastAlarm = "過ぎた日時です。";

inline constexpr std::array<std::string_view, kAlarmRepeats> kAlarmRepeatCaptions{
    "なし", "毎日", "毎週", "毎月", "毎年"};

class AlarmProperties {
public:
    AlarmProperties(AlarmPropertiesView& view, MemoTable& table) : view_(view), table_(table) {}

    // The memo's alarm into the controls; a memo without one offers the next full minute
    // after now.
    void Open(const Memo& memo, const WallMinute& now);
    // Why OK cannot take the controls as they stand: a one-time alarm whose time has passed.
    // The dialog then stays open.
    std::optional<std::string_view> Refusal(const Memo& memo, const WallMinute& now) const;
    // OK: the controls into the memo's alarm, unless the memo was destroyed meanwhile. A time
    // left as it was keeps the day a monthly or yearly alarm aims at. A repeating alarm set in
    // the past goes to its next time to come, so it does not ring at once, late. One that rang
    // while the dialog was open, its time left as shown, has spent that one ring: it goes to
    // its next time after now by the repeat chosen in the dialog.
    void Apply(Memo& memo, const WallMinute& now);

private:
    AlarmPropertiesView& view_;
    MemoTable& table_;
    // The id of the memo the dialog was opened for: OK writes to no other.
    std::string openedFor_;
    MemoAlarm opened_;

    MemoAlarm Chosen() const;
    bool RangMeanwhile(const Memo& memo, const MemoAlarm& chosen) const;
};

} // namespace petarino
