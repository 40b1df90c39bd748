// When a memo's alarm rings and where it goes next. All of it is calendar arithmetic on
// local wall times: the clock the user reads is what an alarm is set by, so a weekly alarm
// at 09:00 rings at 09:00 on both sides of a daylight-saving change (a week that is an hour
// shorter or longer in real time), and a wall time that a change skips counts as passed at
// the first tick after it.
#pragma once

#include "memos/memo_alarm.h"

namespace petarino {

// Its time has come: at or before now.
bool AlarmDue(const MemoAlarm& alarm, const WallMinute& now);
// Rings more than a minute after its time: the program was not running, or the machine
// slept, when it came.
bool AlarmLate(const MemoAlarm& alarm, const WallMinute& now);
// The alarm once it has rung at now: a one-time one off, a repeating one at its first time
// after now, so missed repeats ring once and not in a burst, and a clock set back later
// does not ring it again. A monthly or yearly one keeps its own day: cut to a shorter
// month, back on it in the next long one.
MemoAlarm AlarmAfterRinging(const MemoAlarm& alarm, const WallMinute& now);

} // namespace petarino
