// What the start-up load tells the user once it is over: a damaged memo count, memo keys
// it cannot load, and the error that ended it, in that order.
#pragma once

#include "store/stored_state.h"

#include <string>
#include <vector>

namespace petarino::store {

// Each message for the general error report.
std::vector<std::string> LoadReport(const StoredState& stored);

} // namespace petarino::store
