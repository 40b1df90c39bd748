// The start-up load's reading: every value of the store in the order of the layout, each
// only where it exists. The first error ends it; what was read before stays.
#pragma once

#include "platform/registry.h"
#include "store/stored_state.h"

#include <string>

namespace petarino::store {

// The memos read are those of slots 0..MaxForm, up to the last memo key that exists. A
// MaxForm outside -1..100 is damaged: then every memo key of the table's slots is read.
// Two memos never share an id: a later memo's repeated one is taken as absent, silently, and
// the next save makes it a new one.
StoredState ReadStore(platform::RegistryAccess& access);

// One memo key as the load reads it; a value that cannot be read or used is noted into
// errors.error and errors.furtherErrors and taken as absent. A key that does not open gives
// a memo of the defaults with keyExists false.
StoredMemo ReadMemoKey(platform::RegistryAccess& access, const std::string& path,
                       StoredState& errors);

} // namespace petarino::store
