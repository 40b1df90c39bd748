// Registry values in test failures as their type and bytes, not as raw object memory.
// Every test that compares registry values includes it, so the printer is the same in all.
#pragma once

#include "platform/registry_value.h"

#include <cstdio>
#include <ostream>

namespace petarino::platform {

inline void PrintTo(const RegistryValue& value, std::ostream* out) {
    *out << "type " << static_cast<uint32_t>(value.type) << " [";
    for (const char byte : value.data) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", static_cast<unsigned char>(byte));
        *out << hex;
    }
    *out << " ]";
}

} // namespace petarino::platform
