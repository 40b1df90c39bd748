// SaveDatas' writing. The stored layout is that of a save that deletes the store and writes
// it anew, but the order is one in which a save stopped at any point still leaves every
// memo of the last completed save loadable:
//  1. the memo keys Memo0..MaxForm over the old ones. A memo only ever moves to a lower
//     slot (the last one takes a destroyed memo's place), so a memo key is overwritten
//     only once the memo it held is written to its new slot or has been destroyed; and the
//     old MaxForm still names every old key;
//  2. the program key's values, MaxForm first: from here on the new memo keys count;
//  3. what the old save had and this one has not: memo keys above MaxForm, other values and
//     subkeys. The load reads none of them, so each memo key is cleaned as it is written;
//  4. one flush.
// Memo keys beyond the table's slots were never loaded and stay.
#pragma once

#include "memos/memo.h"
#include "platform/registry.h"
#include "store/program_state.h"

#include <string>

namespace petarino::store {

// Throws ERegistryException at the first value that cannot be written; what was written
// before stays.
void WriteStore(platform::RegistryAccess& access, const ProgramState& state, int pixelsPerInch);

// Every value of one memo key as a save writes it, and nothing else left in the key. Throws
// as WriteStore does.
void WriteMemoKey(platform::RegistryAccess& access, const std::string& path, const Memo& memo,
                  int pixelsPerInch);

} // namespace petarino::store
