// number × numerator / denominator with a 64-bit product, rounded to the nearest integer and
// halves away from zero, as the system's MulDiv rounds; -1 for a zero denominator or a result
// that 32 bits cannot hold, as there too.
#pragma once

#include <cstdint>

namespace petarino {

constexpr int32_t MulDiv(int32_t number, int32_t numerator, int32_t denominator) {
    if (denominator == 0) return -1;
    int64_t product = int64_t{number} * numerator; // |product| <= 2^62
    int64_t divisor = denominator;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const int64_t half = divisor / 2;
    const int64_t result = (product >= 0 ? product + half : product - half) / divisor;
    // INT32_MIN is refused as well: the system keeps the range symmetric.
    if (result > INT32_MAX || result < -INT32_MAX) return -1;
    return static_cast<int32_t>(result);
}

} // namespace petarino
