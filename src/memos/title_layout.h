// Where a memo window puts its text area and its title for each title-strip layout
// (TitleBar 0..5), and with which font the title is written.
#pragma once

#include "memos/memo_geometry.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace petarino {

// The window never lets its client area get smaller than this in either direction.
inline constexpr int32_t kMinClientSize = 15;
// The strip along one edge that holds the title.
inline constexpr int32_t kTitleStripSize = 15;
// The title font's cell height in pixels, whatever the memo's own font.
inline constexpr int32_t kTitleFontHeight = 12;

struct TitleFont {
    // Tenths of a degree counter-clockwise: 0 left to right, 900 bottom to top, 2700 top to
    // bottom.
    int32_t escapement = 0;
    // The "@" face: upright characters in a column when turned by 2700.
    bool verticalWriting = false;
    friend bool operator==(const TitleFont&, const TitleFont&) = default;
};

// The title's origin: the corner that is the upper left of the text before it is turned.
struct TitlePlacement {
    int32_t x = 0;
    int32_t y = 0;
    TitleFont font;
    friend bool operator==(const TitlePlacement&, const TitlePlacement&) = default;
};

struct TitleLayout {
    // None: the text area stays where it is (a layout value from a damaged store).
    std::optional<Bounds> textArea;
    // None: no title is drawn.
    std::optional<TitlePlacement> title;
    friend bool operator==(const TitleLayout&, const TitleLayout&) = default;
};

// The layout for a client area of the given size, which is at least the minimum.
TitleLayout LayOutTitle(int32_t titleBar, int32_t clientWidth, int32_t clientHeight);

// "ＭＳ Ｐゴシック", or the same name behind "@" for vertical writing.
std::string_view TitleFaceName(const TitleFont& font);

} // namespace petarino
