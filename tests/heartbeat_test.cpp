#include "tick/heartbeat.h"
#include "testing/fake_status_list.h"
#include "testing/in_memory_autosave_settings.h"
#include "testing/in_memory_memo_factory.h"
#include "testing/macro_world.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace petarino {
namespace {

class HeartbeatTest : public ::testing::Test {
protected:
    HeartbeatTest() { clock.Timer1().Enable(); }

    // One second of uptime passes, then the timer fires.
    void Tick() {
        uptime += 1000;
        world.kernel.SetUptimeMilliseconds(uptime);
        ++ticks;
        heartbeat.Timer1Timer();
    }
    Memo& MacroMemo(std::string_view source) {
        Memo& memo = *table.CreateMemo();
        memo.SetMacroText(source);
        memo.SetReadOnly(true);
        return memo;
    }

    uint64_t uptime = 5'000;
    int ticks = 0;
    std::vector<int> savedOnTicks;
    std::vector<int> rungOnTicks;
    MacroWorld world{platform::FakeLocale::Japanese, {2026, 12, 1, 7, 9, 0, 0, 0}};
    InMemoryAutosaveSettings autosave;
    RunningClock clock = [&] {
        world.kernel.SetUptimeMilliseconds(uptime);
        return RunningClock(world.kernel, autosave);
    }();
    InMemoryMemoFactory factory;
    FakeStatusList list;
    MemoTable table{factory, list, world.windows};
    Heartbeat heartbeat{clock, table, world.expander, [&] { savedOnTicks.push_back(ticks); },
                        [&] { rungOnTicks.push_back(ticks); }};
};

TEST_F(HeartbeatTest, ShowsTheRunningTimeOfAllRunsWithoutAnyMemo) {
    clock.SetTotalAtStart(3661);
    Tick();
    EXPECT_EQ(clock.Total(), 3662);
    EXPECT_EQ(clock.Label3Caption(), "1時間 1分 2秒");
    EXPECT_EQ(clock.SaveCounter(), 1);
}

TEST_F(HeartbeatTest, SavesAfterEveryFullPeriodCountingFromTheLastDecision) {
    autosave.SetPeriod(1);
    autosave.SetEnabled(true);
    for (int i = 0; i < 200; ++i)
        Tick();
    EXPECT_EQ(savedOnTicks, (std::vector<int>{61, 122, 183}));
}

TEST_F(HeartbeatTest, ResetsTheCounterWithAutosaveOff) {
    autosave.SetPeriod(1);
    for (int i = 0; i < 61; ++i)
        Tick();
    EXPECT_TRUE(savedOnTicks.empty());
    EXPECT_EQ(clock.SaveCounter(), 0);
    autosave.SetEnabled(true); // a change takes effect at the next full period
    for (int i = 0; i < 61; ++i)
        Tick();
    EXPECT_EQ(savedOnTicks, (std::vector<int>{122}));
}

TEST_F(HeartbeatTest, RefreshesMacroMemosWithTheRunningTimeOfThisVeryTick) {
    Memo& running = MacroMemo("T#{#}");
    Memo& plain = *table.CreateMemo();
    plain.SetText("typed");
    Tick();
    EXPECT_EQ(running.Text(), "0時間 0分 1秒");
    EXPECT_EQ(plain.Text(), "typed");
}

// The error would otherwise be shown every second; alarms, autosave (and with it the daily
// backup) and the running time owe nothing to the macros and go on.
TEST_F(HeartbeatTest, ADateErrorStopsOnlyTheMacrosAndTheLabelUntilTheTimerIsEnabledAgain) {
    autosave.SetPeriod(0); // a save on every tick
    autosave.SetEnabled(true);
    Memo& bad = MacroMemo("A#{abc#}");
    Memo& good = MacroMemo("L#{#}");
    Tick();
    EXPECT_FALSE(clock.Timer1().Enabled());
    EXPECT_EQ(world.windows.Shown().size(), 1u);
    EXPECT_EQ(good.Text(), "1") << "the memos after the bad one are still refreshed";

    const std::string caption = clock.Label3Caption();
    good.SetText("stale");
    Tick();
    Tick();
    EXPECT_EQ(clock.Label3Caption(), caption);
    EXPECT_EQ(good.Text(), "stale");
    EXPECT_EQ(world.windows.Shown().size(), 1u);
    EXPECT_EQ(clock.Total(), 3) << "the stored running time must not fall behind";
    EXPECT_EQ(savedOnTicks, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(rungOnTicks, (std::vector<int>{1, 2, 3}));

    bad.SetMacroText("a#{2026/12/25#}");
    clock.Timer1().Enable(); // the memo properties dialog closed with OK
    Tick();
    EXPECT_EQ(clock.Label3Caption(), "0時間 0分 4秒");
    EXPECT_EQ(bad.Text(), "18");
    EXPECT_EQ(good.Text(), "1");
}

TEST_F(HeartbeatTest, NeverTicksAgainOnceDetached) {
    clock.Timer1().Detach();
    clock.Timer1().Enable();
    Tick();
    EXPECT_EQ(clock.Label3Caption(), "Label3");
    EXPECT_EQ(clock.SaveCounter(), 0);
    EXPECT_EQ(clock.Total(), 0);
    EXPECT_TRUE(rungOnTicks.empty());
}

TEST_F(HeartbeatTest, WalksOnlyTheMemosLeftWhenAnErrorBoxDestroysSome) {
    MacroMemo("A#{abc#}");
    MacroMemo("L#{#}");
    MacroMemo("L#{#}");
    world.windows.ScriptAnswer(platform::DialogResult::Ok, [&] {
        table.DestForm(2);
        table.DestForm(1);
    });
    Tick();
    EXPECT_EQ(table.MaxForm(), 0);
}

TEST_F(HeartbeatTest, EndsTheTickWhenTheSaveFails) {
    Memo& memo = MacroMemo("L#{#}");
    autosave.SetPeriod(0);
    autosave.SetEnabled(true);
    Heartbeat failing{clock, table, world.expander, [] { throw std::runtime_error("save"); }};
    EXPECT_THROW(failing.Timer1Timer(), std::runtime_error);
    EXPECT_EQ(memo.Text(), "") << "the memos wait for the next tick";
    EXPECT_TRUE(clock.Timer1().Runs());
}

} // namespace
} // namespace petarino
