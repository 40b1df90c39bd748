// The start-up load's reading: every value of the store in the order of the layout, each
// only where it exists. The first error ends it; what was read before stays.
#pragma once

#include "platform/registry.h"
#include "store/stored_state.h"

namespace petarino::store {

// The memos read are those of slots 0..MaxForm, up to the last memo key that exists. A
// MaxForm outside -1..100 is damaged: then every memo key of the table's slots is read.
StoredState ReadStore(platform::RegistryAccess& access);

} // namespace petarino::store
