// Where the Wine benchmarks run: the build's own Wine prefix, claimed with a marker key so a
// store the benchmarks did not write is never touched, and the build folder with the programs.
#pragma once

#include "platform/files.h"

#include <string>
#include <string_view>

namespace petarino::bench {

// The build folder (build/windows) of the running benchmark, which lives in its bench/.
std::wstring BuildFolder();
std::wstring PetarinoPath();

// True when the benchmarks may write the store: under Wine, and with no store there or only
// one they wrote themselves. Says why not on stderr.
bool ClaimPrefix();
// Removes the store the benchmarks wrote, their sync folder and their marker.
void ReleasePrefix();
// The program key below HKEY_CURRENT_USER.
std::wstring StoreSubkey();

// A folder of that name in the system's temporary folder, which may not exist.
platform::FilePath TempFolderNamed(std::wstring_view name);
// The folder a synced desktop's store names.
platform::FilePath BenchSyncFolder();
// The folder and everything in it gone; nothing when it is not there.
void RemoveFolder(const platform::FilePath& folder);

} // namespace petarino::bench
