#include "tick/running_clock.h"
#include "platform/fake/fake_kernel.h"
#include "testing/in_memory_autosave_settings.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace petarino {
namespace {

constexpr uint64_t kSecond = 1000;
constexpr uint64_t kDay = 86400 * kSecond;

class RunningClockTest : public ::testing::Test {
protected:
    // The clock of a program started at the given uptime.
    RunningClock StartAt(uint64_t uptime) {
        kernel.SetUptimeMilliseconds(uptime);
        return RunningClock(kernel, autosave);
    }

    // The ticks among the first `ticks` on which an autosave is due.
    std::vector<int> SavingTicks(RunningClock& clock, int ticks) {
        std::vector<int> saving;
        for (int tick = 1; tick <= ticks; ++tick)
            if (clock.CountTowardsAutosave()) saving.push_back(tick);
        return saving;
    }

    platform::FakeKernel kernel;
    InMemoryAutosaveSettings autosave;
};

TEST_F(RunningClockTest, StartsFromTheUptimeInWholeSeconds) {
    const RunningClock clock = StartAt(5999);
    EXPECT_EQ(clock.StartSeconds(), 5);
    EXPECT_EQ(clock.Total(), 0);
    EXPECT_EQ(clock.Exec(), 1);
    EXPECT_EQ(clock.SaveCounter(), 0);
    EXPECT_EQ(clock.Label3Caption(), "Label3");
    EXPECT_FALSE(clock.Timer1().Enabled());
}

TEST_F(RunningClockTest, TotalIsTheStoredTotalUntilTheFirstTick) {
    RunningClock clock = StartAt(10 * kSecond);
    kernel.SetUptimeMilliseconds(50 * kSecond);
    clock.SetTotalAtStart(3661);
    EXPECT_EQ(clock.TotalAtStart(), 3661);
    EXPECT_EQ(clock.Total(), 3661);
    EXPECT_EQ(clock.Label3Caption(), "Label3");
}

TEST_F(RunningClockTest, CountsWholeSecondsOfUptimeNotOfTheRun) {
    RunningClock clock = StartAt(10900);
    kernel.SetUptimeMilliseconds(11100); // 0.2 s later, but a new uptime second
    clock.AccountRunningTime();
    EXPECT_EQ(clock.Total(), 1);
}

TEST_F(RunningClockTest, StaysRightPastTheUptimeThat32BitsCanHold) {
    RunningClock clock = StartAt(uint64_t{1} << 31); // 24.8 days
    clock.SetTotalAtStart(100);
    kernel.SetUptimeMilliseconds((uint64_t{1} << 32) + 60 * kDay);
    clock.AccountRunningTime();
    EXPECT_EQ(clock.StartSeconds(), 2147483);
    EXPECT_EQ(clock.Total(), 100 + 4294967 + 60 * 86400 - 2147483);
    EXPECT_GT(clock.Total(), 0);
}

TEST_F(RunningClockTest, TotalGrowsPastWhat32BitsHold) {
    RunningClock clock = StartAt(0);
    clock.SetTotalAtStart(std::numeric_limits<int32_t>::max());
    kernel.SetUptimeMilliseconds(3600 * kSecond);
    clock.AccountRunningTime();
    EXPECT_EQ(clock.Total(), int64_t{std::numeric_limits<int32_t>::max()} + 3600);
    EXPECT_EQ(clock.Label3Caption(), "Label3") << "the caption waits for its refresh";
    clock.RefreshLabel3();
    EXPECT_EQ(clock.Label3Caption(), "596524時間14分 7秒");
}

TEST_F(RunningClockTest, ExecCountsThisStart) {
    RunningClock clock = StartAt(0);
    clock.CountThisStart(std::nullopt);
    EXPECT_EQ(clock.Exec(), 1);
    clock.CountThisStart(41);
    EXPECT_EQ(clock.Exec(), 42);
    clock.CountThisStart(-1);
    EXPECT_EQ(clock.Exec(), 0);
    clock.CountThisStart(std::numeric_limits<int32_t>::max());
    EXPECT_EQ(clock.Exec(), std::numeric_limits<int32_t>::max());
}

TEST_F(RunningClockTest, AutosaveWithTheDefaultPeriodIsDueOnThe601stTick) {
    autosave.SetEnabled(true);
    RunningClock clock = StartAt(0);
    EXPECT_EQ(SavingTicks(clock, 1202), (std::vector<int>{601, 1202}));
}

TEST_F(RunningClockTest, ANewPeriodCountsFromTheNextTickWithoutANewCount) {
    autosave.SetEnabled(true);
    RunningClock clock = StartAt(0);
    EXPECT_TRUE(SavingTicks(clock, 70).empty());
    autosave.SetPeriod(1);
    EXPECT_TRUE(clock.CountTowardsAutosave()); // 60 < 71
    EXPECT_EQ(clock.SaveCounter(), 0);
}

TEST_F(RunningClockTest, AnyStoredPeriodIsUsedAsItIs) {
    autosave.SetEnabled(true);
    autosave.SetPeriod(-5);
    RunningClock clock = StartAt(0);
    EXPECT_EQ(SavingTicks(clock, 3), (std::vector<int>{1, 2, 3}));
    autosave.SetPeriod(std::numeric_limits<int16_t>::max());
    EXPECT_TRUE(SavingTicks(clock, 1000).empty());
}

} // namespace
} // namespace petarino
