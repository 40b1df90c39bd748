// What a new memo window starts with; every implementation of Memo starts from these.
// The rest starts empty, zero or off: tag, layout, macro source, drag anchors, visibility,
// text and read-only state. The font's defaults are those of a default Font.
#pragma once

#include "appearance/color.h"

#include <cstdint>
#include <string_view>

namespace petarino::new_memo {

inline constexpr std::u16string_view kHint = u"無題";
inline constexpr Color kWindowColor = clActiveCaption;
inline constexpr Color kTitleTextColor = clCaptionText;
inline constexpr Color kMemoColor = clBtnFace;
inline constexpr bool kWordWrap = true;
// At 96 dots per inch; the window scales it with the screen's pixel density.
inline constexpr int32_t kClientWidth = 318;
inline constexpr int32_t kClientHeight = 93;

} // namespace petarino::new_memo
