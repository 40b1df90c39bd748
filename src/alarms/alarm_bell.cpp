#include "alarms/alarm_bell.h"

#include "alarms/alarm_schedule.h"

#include <cstdio>

namespace petarino {
namespace {

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

std::string DueText(const WallMinute& due) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", due.date.year, due.date.month,
                  due.date.day, due.hour, due.minute);
    return text;
}

} // namespace

AlarmBalloon AlarmBalloonOf(const Memo& memo, const WallMinute& due, bool late) {
    AlarmBalloon balloon{memo.Hint(), FirstLine(memo.Text())};
    if (balloon.title.empty()) balloon.title = "ペタリノ";
    if (late) balloon.text = DueText(due) + " のアラーム (遅れて通知)\n" + balloon.text;
    return balloon;
}

WallMinute WallMinuteOf(const platform::LocalTime& time) {
    return {{time.year, time.month, time.day}, time.hour, time.minute};
}

void AlarmBell::RingDue() {
    const WallMinute now = WallMinuteOf(kernel_.Now());
    // Ringing shows windows and may run a message loop in which memos go: the last slot is
    // read again on every step.
    for (int slot = 0; slot <= memos_.MaxForm(); ++slot) {
        Memo& memo = memos_.Memos(slot);
        if (AlarmDue(memo.Alarm(), now)) Ring(memo, now);
    }
}

void AlarmBell::Ring(Memo& memo, const WallMinute& now) {
    const MemoAlarm rung = memo.Alarm();
    // Moved on first, so whatever happens while it rings, it rings once.
    memo.SetAlarm(AlarmAfterRinging(rung, now));
    const bool wasHidden = !memo.Visible();
    memo.RaiseAndFlash();
    if (wasHidden) memos_.RefreshStatusList();
    if (rung.sound) windows_.PlayNotificationSound();
    showBalloon_(AlarmBalloonOf(memo, *rung.at, AlarmLate(rung, now)));
}

} // namespace petarino
