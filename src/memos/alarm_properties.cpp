#include "memos/alarm_properties.h"

namespace petarino {

void AlarmProperties::Open(const Memo& memo, const WallMinute& now) {
    openedFor_ = memo.Sync().id;
    const MemoAlarm& alarm = memo.Alarm();
    view_.SetUseAlarm(alarm.at.has_value());
    view_.SetTime(alarm.at.value_or(WallMinute::FromCount(now.Count() + 1)));
    view_.SetRepeatItem(static_cast<int>(alarm.repeat));
    view_.SetSound(alarm.sound);
}

void AlarmProperties::Apply(Memo& memo) {
    if (!table_.Holds(memo, openedFor_)) return;
    const int item = view_.RepeatItem();
    MemoAlarm alarm{.repeat = item >= 0 && item < kAlarmRepeats ? static_cast<AlarmRepeat>(item)
                                                                : AlarmRepeat::None,
                    .sound = view_.Sound()};
    if (view_.UseAlarm()) {
        alarm.at = view_.Time();
        if (alarm.at == memo.Alarm().at) alarm.ownDay = memo.Alarm().ownDay;
    }
    memo.SetAlarm(alarm);
}

} // namespace petarino
