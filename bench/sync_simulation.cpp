// The simulation of several syncing PCs for as long as asked: seeds from the first given on,
// until the seconds are up; the figures at the end, and the first run that broke, with its
// seed. --trace SEED prints what each PC did in that one run.
#include "testing/sync_simulation.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>

namespace {

// Seconds on a monotonic clock (<chrono> does not build with the program's code page).
double Seconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    double seconds = 60;
    std::uint64_t seed = 1;
    int actions = 150;
    bool trace = false;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--seconds")) seconds = std::atof(argv[i + 1]);
        if (!std::strcmp(argv[i], "--seed")) seed = std::strtoull(argv[i + 1], nullptr, 10);
        if (!std::strcmp(argv[i], "--actions")) actions = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--trace")) {
            seed = std::strtoull(argv[i + 1], nullptr, 10);
            trace = true;
        }
    }
    const double start = Seconds();
    long runs = 0;
    long done = 0;
    long pcs = 0;
    double pcSeconds = 0;
    int broken = 0;
    do {
        const auto run = petarino::Simulate(seed, actions, trace ? &std::cout : nullptr);
        ++runs;
        done += run.actions;
        pcs += run.pcs;
        pcSeconds += run.pcSeconds;
        if (!run.broken.empty()) {
            ++broken;
            std::printf("seed %llu (%d PCs): %s\n", static_cast<unsigned long long>(seed), run.pcs,
                        run.broken.c_str());
        }
        ++seed;
    } while (!trace && Seconds() - start < seconds);
    const double took = Seconds() - start;
    std::printf("%ld runs, %ld PCs, %ld actions, %.1f simulated PC-hours, %.1f s, %.0f "
                "actions/s, %d broken\n",
                runs, pcs, done, pcSeconds / 3600, took, static_cast<double>(done) / took, broken);
    return broken ? 1 : 0;
}
