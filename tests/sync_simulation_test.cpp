// Several PCs, a sync engine between their copies of the folder, and users who do anything:
// seeded runs, each replayed exactly from its seed.
#include "testing/sync_simulation.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>

namespace petarino {
namespace {

// PETARINO_SIMULATION_SEED replays one run, and prints what each PC did.
TEST(SyncSimulation, SeededRunsOfSeveralPcsKeepEveryInvariant) {
    std::uint64_t first = 1;
    int runs = 12;
    if (const char* seed = std::getenv("PETARINO_SIMULATION_SEED")) {
        first = std::strtoull(seed, nullptr, 10);
        runs = 1;
    }
    long actions = 0;
    for (std::uint64_t seed = first; seed < first + runs; ++seed) {
        const SimulationRun run = Simulate(seed, 150, runs == 1 ? &std::cerr : nullptr);
        actions += run.actions;
        EXPECT_EQ(run.broken, "") << "seed " << seed << " (" << run.pcs
                                  << " PCs); replay with PETARINO_SIMULATION_SEED=" << seed;
    }
    RecordProperty("actions", static_cast<int>(actions));
}

} // namespace
} // namespace petarino
