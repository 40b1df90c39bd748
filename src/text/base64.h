// Base64 (RFC 4648, with padding), for bytes that a text file must carry exactly.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace petarino {

std::string Base64Encode(std::string_view bytes);
// Nullopt for anything but the canonical encoding of some bytes: no blanks, no missing or
// extra padding, no bits left over.
std::optional<std::string> Base64Decode(std::string_view text);

} // namespace petarino
