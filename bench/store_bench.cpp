// SaveDatas and the start-up load of the largest store, on the in-memory registry: what the
// store itself costs, without the system's registry.
#include "largest_store.h"
#include "platform/fake/fake_registry.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace petarino {
namespace {

void SaveDatasOf101Memos(benchmark::State& state) {
    platform::FakeRegistry registry;
    DeskWorld world(registry);
    FillWithLargestStore(world);
    world.store.SaveDatas(); // later saves write over a store that is there, as autosave does
    for (auto _ : state)
        world.store.SaveDatas();
}
BENCHMARK(SaveDatasOf101Memos)->Unit(benchmark::kMillisecond);

void LoadAtStartOf101Memos(benchmark::State& state) {
    platform::FakeRegistry registry;
    {
        DeskWorld saving(registry);
        FillWithLargestStore(saving);
        saving.store.SaveDatas();
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto world = std::make_unique<DeskWorld>(registry);
        state.ResumeTiming();
        world->store.LoadAtStart();
        state.PauseTiming();
        world.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(LoadAtStartOf101Memos)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace petarino
