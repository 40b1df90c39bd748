// What the tick does with the memos' alarms: a memo whose alarm has come is shown, raised
// and flashing, sounds when asked, and is announced in a balloon of the notification icon;
// its alarm then moves on.
#pragma once

#include "memos/memo_table.h"
#include "platform/kernel.h"
#include "platform/window_system.h"

#include <functional>
#include <string>

namespace petarino {

struct AlarmBalloon {
    std::string title;
    std::string text;
};
// The memo's title and the first line of its text; a late one also says when it was due.
AlarmBalloon AlarmBalloonOf(const Memo& memo, const WallMinute& due, bool late);

WallMinute WallMinuteOf(const platform::LocalTime& time);

class AlarmBell {
public:
    AlarmBell(MemoTable& memos, platform::Kernel& kernel, platform::WindowSystem& windows,
              std::function<void(const AlarmBalloon&)> showBalloon)
        : memos_(memos), kernel_(kernel), windows_(windows), showBalloon_(std::move(showBalloon)) {}

    // Every memo whose alarm is due at this minute rings, once.
    void RingDue();

private:
    void Ring(Memo& memo, const WallMinute& now);

    MemoTable& memos_;
    platform::Kernel& kernel_;
    platform::WindowSystem& windows_;
    std::function<void(const AlarmBalloon&)> showBalloon_;
};

} // namespace petarino
