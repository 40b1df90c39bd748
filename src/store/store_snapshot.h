// The store as it lies in the registry, every value raw: what a backup holds and puts back.
#pragma once

#include "platform/registry.h"

#include <string>
#include <vector>

namespace petarino::store {

struct NamedValue {
    std::string name;
    platform::RegistryValue value;
    friend bool operator==(const NamedValue&, const NamedValue&) = default;
};

struct KeySnapshot {
    std::string name; // "Memo" and the slot
    std::vector<NamedValue> values;
    friend bool operator==(const KeySnapshot&, const KeySnapshot&) = default;
};

struct StoreSnapshot {
    std::vector<NamedValue> program; // the program key's own values
    std::vector<KeySnapshot> memos;  // the memo keys of the table's slots, in slot order
    friend bool operator==(const StoreSnapshot&, const StoreSnapshot&) = default;
};

// Every value of the program key and of its memo keys Memo0..Memo100, each in one call;
// other subkeys and what lies below the memo keys are no part of the store. Throws
// ERegistryException for a value that cannot be read. The caller holds the store's lock.
StoreSnapshot ReadSnapshot(platform::RegistryAccess& access);

// The snapshot's memo keys in place of the store's, each written anew, then the snapshot's
// MaxForm (removed when it has none), then the store's memo keys that the snapshot lacks
// removed, as a save orders them. The program key's other values stay those of the running
// program. Throws ERegistryException at the first value that cannot be written.
void WriteSnapshotMemos(platform::RegistryAccess& access, const StoreSnapshot& snapshot);

} // namespace petarino::store
