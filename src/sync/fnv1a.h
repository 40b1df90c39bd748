// FNV-1a, 64 bits: a hash that every PC computes alike, for fingerprints and derived ids.
#pragma once

#include <cstdint>
#include <string_view>

namespace petarino::sync {

inline constexpr std::uint64_t kFnvOffset = 0xcbf29ce484222325;

constexpr std::uint64_t Fnv1a(std::string_view bytes, std::uint64_t hash = kFnvOffset) {
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001b3;
    }
    return hash;
}

} // namespace petarino::sync
