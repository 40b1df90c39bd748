#include "alarms/alarm_bell.h"
#include "tick/heartbeat.h"
#include "testing/fake_status_list.h"
#include "testing/in_memory_autosave_settings.h"
#include "testing/in_memory_memo.h"
#include "testing/in_memory_memo_factory.h"
#include "testing/macro_world.h"

#include <gtest/gtest.h>
#include <vector>

namespace petarino {
namespace {

// The running program's tick over a day: a hidden macro memo with a daily alarm, a plain
// one with a one-time alarm missed while the machine slept.
TEST(AlarmBell, TheTickRingsDueAlarmsOnceAndMovesThemOn) {
    MacroWorld world{platform::FakeLocale::Japanese, {2026, 5, 0, 10, 8, 59, 0, 0}};
    InMemoryAutosaveSettings autosave;
    RunningClock clock(world.kernel, autosave);
    clock.Timer1().Enable();
    InMemoryMemoFactory factory;
    FakeStatusList list;
    MemoTable table{factory, list, world.windows};
    std::vector<AlarmBalloon> balloons;
    AlarmBell bell(table, world.kernel, world.windows,
                   [&](const AlarmBalloon& balloon) { balloons.push_back(balloon); });
    Heartbeat heartbeat(
        clock, table, world.expander, [] {}, [&] { bell.RingDue(); });
    uint64_t uptime = 0;
    const auto tickAt = [&](int day, int hour, int minute) {
        world.kernel.SetNow({2026, 5, 0, day, hour, minute, 0, 0});
        world.kernel.SetUptimeMilliseconds(uptime += 1000);
        heartbeat.Timer1Timer();
    };

    auto& daily = static_cast<InMemoryMemo&>(*table.CreateMemo());
    daily.SetHint("朝会");
    daily.SetMacroText("T#{#}");
    daily.SetReadOnly(true);
    daily.SetVisible(false);
    daily.SetAlarm({WallMinute{{2026, 5, 10}, 9, 0}, AlarmRepeat::Daily, true});
    auto& missed = static_cast<InMemoryMemo&>(*table.CreateMemo());
    missed.SetText("資料を送る\r\n宛先は後で");
    missed.SetAlarm({WallMinute{{2026, 5, 9}, 18, 30}});
    table.RefreshStatusList();

    tickAt(10, 8, 59);
    EXPECT_FALSE(daily.Visible());
    ASSERT_EQ(balloons.size(), 1u) << "the missed one at the first tick";
    EXPECT_EQ(balloons[0].title, "無題");
    EXPECT_EQ(balloons[0].text, "2026/05/09 18:30 のアラーム (遅れて通知)\n資料を送る");
    EXPECT_EQ(missed.Raised(), 1);
    EXPECT_FALSE(missed.Alarm().at) << "a one-time alarm is off";
    EXPECT_EQ(world.windows.Sounds(), 0) << "not asked for";

    tickAt(10, 9, 0);
    EXPECT_TRUE(daily.Visible());
    EXPECT_EQ(list.Rows().at(0).substr(0, 2), "○") << "the status list follows";
    EXPECT_EQ(daily.Raised(), 1);
    EXPECT_EQ(world.windows.Sounds(), 1);
    ASSERT_EQ(balloons.size(), 2u);
    EXPECT_EQ(balloons[1].title, "朝会");
    EXPECT_EQ(balloons[1].text, "0時間 0分 2秒") << "its text ticked first, and is no late one";
    EXPECT_EQ(daily.Alarm().at, (WallMinute{{2026, 5, 11}, 9, 0}));

    // The same minute again, then the clock set back over it: nothing rings twice.
    tickAt(10, 9, 0);
    tickAt(10, 8, 30);
    tickAt(10, 9, 0);
    EXPECT_EQ(balloons.size(), 2u);
    EXPECT_EQ(daily.Text(), "0時間 0分 5秒") << "the macro memo keeps ticking";
    EXPECT_EQ(missed.Raised() + daily.Raised(), 2);
}

} // namespace
} // namespace petarino
