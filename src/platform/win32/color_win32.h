// Colour values at the Win32 boundary: a system colour is resolved each time it is used, so
// it follows the colour scheme; brushes are owned and made again only for a new colour.
#pragma once

#include "appearance/color.h"
#include "platform/win32/unique_handle.h"

#include <windows.h>

namespace petarino::win32 {

constexpr Color kSystemColorFlag = 0x80000000;

inline COLORREF ColorRefOf(Color color) {
    if (color & kSystemColorFlag) return GetSysColor(static_cast<int>(color & 0xFF));
    return color;
}

inline void DeleteBrush(HBRUSH brush) {
    DeleteObject(brush);
}
using UniqueBrush = UniqueHandle<HBRUSH, DeleteBrush>;

// A solid brush of the colour asked for last.
class ColorBrush {
public:
    HBRUSH For(Color color) {
        const COLORREF value = ColorRefOf(color);
        if (!brush_ || value != value_) {
            brush_ = UniqueBrush(CreateSolidBrush(value));
            value_ = value;
        }
        return brush_.get();
    }

private:
    UniqueBrush brush_;
    COLORREF value_ = 0;
};

} // namespace petarino::win32
