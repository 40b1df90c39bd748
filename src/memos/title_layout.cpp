#include "memos/title_layout.h"

namespace petarino {
namespace {

constexpr std::string_view kVerticalFace = "@ＭＳ Ｐゴシック";

constexpr TitleFont kAcross{.escapement = 0};
constexpr TitleFont kUpward{.escapement = 900};
constexpr TitleFont kDownward{.escapement = 2700};
constexpr TitleFont kVertical{.escapement = 2700, .verticalWriting = true};

// Turned by 2700 the characters lie just left of x, by 900 just right of it.
constexpr int32_t kTitleInset = 2;
constexpr int32_t kVerticalBaseline = kTitleStripSize - kTitleInset;

} // namespace

TitleLayout LayOutTitle(int32_t titleBar, int32_t w, int32_t h) {
    const int32_t s = kTitleStripSize;
    const int32_t in = kTitleInset;
    switch (titleBar) {
    case 0: return {Bounds{0, s, w, h - s}, TitlePlacement{in, in, kAcross}};
    case 1: return {Bounds{0, 0, w - s, h}, TitlePlacement{w - in, in, kDownward}};
    case 2: return {Bounds{0, 0, w - s, h}, TitlePlacement{w - in, in, kVertical}};
    case 3: return {Bounds{s, 0, w - s, h}, TitlePlacement{in, h - in, kUpward}};
    case 4: return {Bounds{s, 0, w - s, h}, TitlePlacement{kVerticalBaseline, in, kVertical}};
    case 5: return {Bounds{0, 0, w, h}, std::nullopt};
    default: return {};
    }
}

std::string_view TitleFaceName(const TitleFont& font) {
    return font.verticalWriting ? kVerticalFace : kVerticalFace.substr(1);
}

} // namespace petarino
