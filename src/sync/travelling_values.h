// Which of a memo key's values travel between PCs: what the memo says and how it looks, its
// opacity included. Where it sits, whether it is shown and whether it stays on top belong to
// each desktop; a memo new to a PC still takes them from the file, as it has none of its own.
#pragma once

#include "store/store_snapshot.h"

#include <string>
#include <string_view>
#include <vector>

namespace petarino::sync {

// Names compare ignoring ASCII case, as the registry compares them.
bool Travels(std::string_view valueName);
// The memo's id and its sync state, which each PC keeps for itself.
bool IsBookkeeping(std::string_view valueName);

// What a memo file carries: every value of the key but the bookkeeping, in the key's order.
std::vector<store::NamedValue> FileValues(std::vector<store::NamedValue> keyValues);

// 16 hex digits over the travelling values only, whatever their order and whatever else
// the list holds.
std::string ContentFingerprint(const std::vector<store::NamedValue>& values);
bool SameContent(const std::vector<store::NamedValue>& a, const std::vector<store::NamedValue>& b);

} // namespace petarino::sync
