// Where the Wine benchmarks run: the build's own Wine prefix, claimed with a marker key so a
// store the benchmarks did not write is never touched, and the build folder with the programs.
#pragma once

#include <string>

namespace petarino::bench {

// The build folder (build/windows) of the running benchmark, which lives in its bench/.
std::wstring BuildFolder();
std::wstring PetarinoPath();

// True when the benchmarks may write the store: under Wine, and with no store there or only
// one they wrote themselves. Says why not on stderr.
bool ClaimPrefix();
// Removes the store the benchmarks wrote and their marker.
void ReleasePrefix();
// The program key below HKEY_CURRENT_USER.
std::wstring StoreSubkey();

} // namespace petarino::bench
