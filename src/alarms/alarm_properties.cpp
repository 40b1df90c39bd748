#include "alarms/alarm_properties.h"

#include "alarms/alarm_schedule.h"

namespace petarino {

void AlarmProperties::Open(const Memo& memo, const WallMinute& now) {
    openedFor_ = memo.Sync().id;
    opened_ = memo.Alarm();
    view_.SetUseAlarm(opened_.at.has_value());
    view_.SetTime(opened_.at.value_or(WallMinute::FromCount(now.Count() + 1)));
    view_.SetRepeatItem(static_cast<int>(opened_.repeat));
    view_.SetSound(opened_.sound);
}

MemoAlarm AlarmProperties::Chosen() const {
    const int item = view_.RepeatItem();
    MemoAlarm alarm{.repeat = item >= 0 && item < kAlarmRepeats ? static_cast<AlarmRepeat>(item)
                                                                : AlarmRepeat::None,
                    .sound = view_.Sound()};
    if (view_.UseAlarm()) alarm.at = view_.Time();
    return alarm;
}

// The tick rang the alarm while the dialog was open: the time the dialog still shows is the
// one that rang.
bool AlarmProperties::RangMeanwhile(const Memo& memo, const MemoAlarm& chosen) const {
    return opened_.at && chosen.at == opened_.at && memo.Alarm() != opened_;
}

std::optional<std::string_view> AlarmProperties::Refusal(const Memo& memo,
                                                         const WallMinute& now) const {
    if (!table_.Holds(memo, openedFor_)) return std::nullopt;
    const MemoAlarm chosen = Chosen();
    if (!chosen.at || chosen.repeat != AlarmRepeat::None || RangMeanwhile(memo, chosen))
        return std::nullopt;
    if (chosen.at->Count() < now.Count()) return kPastAlarm;
    return std::nullopt;
}

void AlarmProperties::Apply(Memo& memo, const WallMinute& now) {
    if (!table_.Holds(memo, openedFor_)) return;
    MemoAlarm alarm = Chosen();
    if (RangMeanwhile(memo, alarm)) {
        // The ring spent the time shown, once: from there on the alarm repeats as chosen now,
        // on the day it aimed at.
        alarm.ownDay = opened_.ownDay;
        alarm = AlarmAfterRinging(alarm, now);
    } else if (alarm.at && alarm.at == memo.Alarm().at) {
        alarm.ownDay = memo.Alarm().ownDay;
    }
    if (alarm.at && alarm.repeat != AlarmRepeat::None && alarm.at->Count() < now.Count())
        alarm = AlarmAfterRinging(alarm, now);
    memo.SetAlarm(alarm);
}

} // namespace petarino
