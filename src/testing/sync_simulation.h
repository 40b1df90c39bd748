// Several PCs that sync through copies of one folder, and a sync engine between them that does
// what real ones do: copies files after random delays and in any order, makes a conflict copy
// of two writes that did not meet or keeps the later, adds files of its own and others', shows
// a file half written, leaves an entry out of a listing, takes the folder away, refuses to
// fetch a file. On each PC a user does anything at any time, and the PC restarts. One seed
// gives one run, exactly; after it everything is delivered, every PC looks, and what must
// hold of the memos is checked.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace petarino {

struct SimulationRun {
    std::uint64_t seed = 0;
    int pcs = 0;
    long actions = 0;     // the users' and the systems'
    double pcSeconds = 0; // simulated time, summed over the PCs
    std::string broken;   // the first invariant that failed, empty when none did
};

// Actions of one run, on 2 to 4 PCs; what each did, when asked.
SimulationRun Simulate(std::uint64_t seed, int actions, std::ostream* trace = nullptr);

} // namespace petarino
