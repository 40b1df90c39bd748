// Colour values: 0x00BBGGRR for a fixed colour, 0x80000000 plus a system colour index for
// one that follows the system's colour scheme and is resolved each time it is used.
#pragma once

#include <cstdint>

namespace petarino {

using Color = uint32_t;

inline constexpr Color clActiveCaption = 0x80000002;
inline constexpr Color clWindow = 0x80000005;
inline constexpr Color clWindowText = 0x80000008;
inline constexpr Color clCaptionText = 0x80000009;
inline constexpr Color clBtnFace = 0x8000000F;
inline constexpr Color clBlack = 0x00000000;
inline constexpr Color clWhite = 0x00FFFFFF;

} // namespace petarino
