// The keys and mouse buttons held during a mouse event, compared as a whole set.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace petarino::platform {

class ShiftState {
public:
    enum Key : uint8_t {
        Shift = 1,
        Alt = 2,
        Ctrl = 4,
        Left = 8,
        Right = 16,
        Middle = 32,
        Double = 64
    };

    constexpr ShiftState() = default;
    constexpr ShiftState(std::initializer_list<Key> keys) {
        for (const Key key : keys)
            bits_ = static_cast<uint8_t>(bits_ | key);
    }

    constexpr bool Has(Key key) const { return (bits_ & key) != 0; }
    constexpr void Add(Key key) { bits_ = static_cast<uint8_t>(bits_ | key); }

    friend constexpr bool operator==(ShiftState, ShiftState) = default;

private:
    uint8_t bits_ = 0;
};

} // namespace petarino::platform
