// The alarm dialog's OK against the clock: a repeating time already past moves on, a one-time
// one is refused, and an alarm that rang while the dialog was open does not ring again but
// repeats from then on as chosen.
#include "alarms/alarm_properties.h"
#include "platform/fake/fake_window_system.h"
#include "testing/fake_status_list.h"
#include "testing/in_memory_memo_factory.h"

#include <gtest/gtest.h>

namespace petarino {
namespace {

class FakeAlarmView final : public AlarmPropertiesView {
public:
    bool UseAlarm() const override { return use; }
    void SetUseAlarm(bool value) override { use = value; }
    WallMinute Time() const override { return time; }
    void SetTime(const WallMinute& value) override { time = value; }
    int RepeatItem() const override { return repeat; }
    void SetRepeatItem(int item) override { repeat = item; }
    bool Sound() const override { return sound; }
    void SetSound(bool value) override { sound = value; }

    bool use = false;
    WallMinute time;
    int repeat = 0;
    bool sound = false;
};

WallMinute At(int day, int hour, int minute) {
    return {{2026, 12, day}, hour, minute};
}

TEST(AlarmProperties, OkAgainstTheClock) {
    constexpr auto kNone = AlarmRepeat::None;
    constexpr auto kDaily = AlarmRepeat::Daily;
    constexpr auto kWeekly = AlarmRepeat::Weekly;
    struct Case {
        const char* what;
        std::optional<WallMinute> before; // the memo's alarm as the dialog opens
        AlarmRepeat opened;               // and its repeat
        std::optional<WallMinute> rangTo; // where the tick moved it while the dialog was open
        WallMinute chosen;
        AlarmRepeat repeat;
        bool refused;
        std::optional<WallMinute> stored;
    };
    const WallMinute now = At(8, 10, 0); // a Tuesday
    const Case cases[] = {
        {"daily 08:00 set at 10:00: tomorrow", std::nullopt, kNone, std::nullopt, At(8, 8, 0),
         kDaily, false, At(9, 8, 0)},
        {"daily, a week back: its next time", std::nullopt, kNone, std::nullopt, At(1, 9, 30),
         kDaily, false, At(9, 9, 30)},
        {"daily later today: as set", std::nullopt, kNone, std::nullopt, At(8, 11, 0), kDaily,
         false, At(8, 11, 0)},
        {"one-time in the past: refused", std::nullopt, kNone, std::nullopt, At(8, 9, 59), kNone,
         true, std::nullopt},
        {"one-time this minute: rings now", std::nullopt, kNone, std::nullopt, At(8, 10, 0), kNone,
         false, At(8, 10, 0)},
        {"daily rang meanwhile, time left: where it moved", At(8, 9, 59), kDaily, At(9, 9, 59),
         At(8, 9, 59), kDaily, false, At(9, 9, 59)},
        {"one-time rang meanwhile, time left: off, not refused", At(8, 9, 59), kNone, std::nullopt,
         At(8, 9, 59), kNone, false, std::nullopt},
        {"one-time rang meanwhile, made daily: tomorrow", At(8, 9, 59), kNone, std::nullopt,
         At(8, 9, 59), kDaily, false, At(9, 9, 59)},
        {"daily rang meanwhile, made weekly: next Tuesday", At(8, 9, 59), kDaily, At(9, 9, 59),
         At(8, 9, 59), kWeekly, false, At(15, 9, 59)},
        {"daily rang meanwhile, made one-time: off", At(8, 9, 59), kDaily, At(9, 9, 59),
         At(8, 9, 59), kNone, false, std::nullopt},
        {"rang meanwhile, a new time chosen: the new one", At(8, 9, 59), kDaily, At(9, 9, 59),
         At(8, 12, 0), kDaily, false, At(8, 12, 0)},
    };
    for (const Case& c : cases) {
        InMemoryMemoFactory factory;
        FakeStatusList list;
        platform::FakeWindowSystem windows;
        MemoTable table{factory, list, windows};
        Memo& memo = *table.CreateMemo();
        if (c.before) memo.SetAlarm({c.before, c.opened, false});
        FakeAlarmView view;
        AlarmProperties properties(view, table);
        properties.Open(memo, At(8, 9, 58));
        if (c.before) memo.SetAlarm({c.rangTo, c.opened, false});
        view.use = true;
        view.time = c.chosen;
        view.repeat = static_cast<int>(c.repeat);
        const auto refusal = properties.Refusal(memo, now);
        EXPECT_EQ(refusal.has_value(), c.refused) << c.what;
        if (refusal) {
            EXPECT_EQ(*refusal, "過ぎた日時です。");
            continue;
        }
        properties.Apply(memo, now);
        EXPECT_EQ(memo.Alarm().at, c.stored) << c.what;
    }
}

} // namespace
} // namespace petarino
