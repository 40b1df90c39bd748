// One expansion of a memo source with ten mixed macros, and one tick over a full table of
// 101 memos, macro memos or plain ones, each with an alarm still to come; the alarms' check
// alone, to see its share of the tick.
#include "alarms/alarm_bell.h"
#include "tick/heartbeat.h"
#include "testing/fake_status_list.h"
#include "testing/in_memory_autosave_settings.h"
#include "testing/in_memory_memo_factory.h"
#include "testing/macro_world.h"

#include <benchmark/benchmark.h>

namespace petarino {
namespace {

constexpr std::string_view kTenMacros =
    "今日は N#{ggge'年'm'月'd'日'(aaa) ampm h:nn:ss#}\r\n"
    "日付 N#{yyyy/mm/dd dddd#} 時刻 N#{hh:nn#}\r\n"
    "クリスマスまで a#{12/25#} 日、元日から s#{2026/1/1#} 日\r\n"
    "起動して I#{#}、累計 T#{#}、L#{#} 回目、N#{c#} / A#{2027/4/1#}";

struct Table {
    explicit Table(MacroWorld& world) : clock(world.kernel, autosave) { clock.Timer1().Enable(); }
    InMemoryAutosaveSettings autosave;
    RunningClock clock;
    InMemoryMemoFactory factory;
    FakeStatusList list;
};

void BM_ExpandTenMacros(benchmark::State& state) {
    MacroWorld world;
    Table table(world);
    InMemoryMemo memo;
    memo.SetMacroText(kTenMacros);
    memo.SetReadOnly(true);
    uint64_t uptime = 0;
    for (auto _ : state) {
        world.kernel.SetUptimeMilliseconds(uptime += 1000); // a new text every time
        world.expander.ExpandMacros(memo, table.clock);
    }
    benchmark::DoNotOptimize(memo.Text());
}
BENCHMARK(BM_ExpandTenMacros);

// A full table, every memo with a daily alarm that is not due at the benchmark's minute.
struct FullTable {
    FullTable(MacroWorld& macroWorld, bool macros)
        : world(macroWorld), parts(world), memos(parts.factory, parts.list, world.windows) {
        for (int i = 0; i < MemoTable::kSlots; ++i) {
            Memo& memo = *memos.CreateMemo();
            memo.SetMacroText(kTenMacros);
            memo.SetReadOnly(macros);
            if (!macros) memo.SetText(kTenMacros);
            memo.SetAlarm({.at = WallMinute{{2026, 12, 2}, 6, 30}, .repeat = AlarmRepeat::Daily});
        }
    }
    MacroWorld& world;
    Table parts;
    MemoTable memos;
    AlarmBell bell{memos, world.kernel, world.windows, [](const AlarmBalloon&) {}};
};

void BM_TickOf101Memos(benchmark::State& state) {
    const bool macros = state.range(0) != 0;
    MacroWorld world;
    FullTable table(world, macros);
    Heartbeat heartbeat(
        table.parts.clock, table.memos, world.expander, [] {}, [&] { table.bell.RingDue(); });
    uint64_t uptime = 0;
    for (auto _ : state) {
        world.kernel.SetUptimeMilliseconds(uptime += 1000);
        heartbeat.Timer1Timer();
    }
    state.SetLabel(macros ? "macro memos" : "plain memos");
}
BENCHMARK(BM_TickOf101Memos)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_AlarmCheckOf101Memos(benchmark::State& state) {
    MacroWorld world;
    FullTable table(world, true);
    for (auto _ : state)
        table.bell.RingDue();
}
BENCHMARK(BM_AlarmCheckOf101Memos)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace petarino
