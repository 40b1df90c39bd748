#include "memos/title_layout.h"

#include <gtest/gtest.h>
#include <string>

namespace petarino {
namespace {

constexpr int32_t W = 318;
constexpr int32_t H = 93;

TEST(TitleLayout, PlacesTheTextAreaAndTheTitleForEachLayout) {
    struct Case {
        int32_t titleBar;
        Bounds textArea;
        int32_t x, y, escapement;
        bool vertical;
    };
    const Case cases[] = {
        {0, {0, 15, W, H - 15}, 2, 2, 0, false},      {1, {0, 0, W - 15, H}, W - 2, 2, 2700, false},
        {2, {0, 0, W - 15, H}, W - 2, 2, 2700, true}, {3, {15, 0, W - 15, H}, 2, H - 2, 900, false},
        {4, {15, 0, W - 15, H}, 13, 2, 2700, true},
    };
    for (const Case& c : cases) {
        const TitleLayout layout = LayOutTitle(c.titleBar, W, H);
        EXPECT_EQ(layout.textArea, c.textArea) << "layout " << c.titleBar;
        const TitlePlacement title{c.x, c.y, {c.escapement, c.vertical}};
        EXPECT_EQ(layout.title, title) << "layout " << c.titleBar;
    }
    EXPECT_EQ(LayOutTitle(5, W, H), (TitleLayout{Bounds{0, 0, W, H}, std::nullopt}));
}

TEST(TitleLayout, ADamagedValueLeavesTheTextAreaAndDrawsNoTitle) {
    for (const int32_t titleBar : {-3, -1, 6, 9, INT32_MIN, INT32_MAX})
        EXPECT_EQ(LayOutTitle(titleBar, W, H), TitleLayout{}) << titleBar;
}

TEST(TitleLayout, TheSmallestClientLeavesAnEmptyTextAreaBesideAWholeStrip) {
    EXPECT_EQ(LayOutTitle(0, 15, 15).textArea, (Bounds{0, 15, 15, 0}));
    EXPECT_EQ(LayOutTitle(2, 15, 15).textArea, (Bounds{0, 0, 0, 15}));
    EXPECT_EQ(LayOutTitle(4, 15, 15).textArea, (Bounds{15, 0, 0, 15}));
}

// The title's character cells, kTitleFontHeight thick beside its origin in the direction the
// escapement turns them, lie across the strip and never over the text area.
TEST(TitleLayout, TheTitleLiesAcrossTheStripBesideTheTextArea) {
    for (int32_t titleBar = 0; titleBar <= 4; ++titleBar) {
        const TitleLayout layout = LayOutTitle(titleBar, W, H);
        ASSERT_TRUE(layout.textArea && layout.title);
        const Bounds& text = *layout.textArea;
        const TitlePlacement& title = *layout.title;
        int32_t low = 0, high = 0, stripLow = 0, stripHigh = 0;
        switch (title.font.escapement) {
        case 0: // across the top: the cells run down from y
            low = title.y, high = title.y + kTitleFontHeight;
            stripLow = 0, stripHigh = text.top;
            break;
        case 2700: // the top of the line faces right: the cells lie left of x
            low = title.x - kTitleFontHeight, high = title.x;
            stripLow = text.left == 0 ? text.width : 0, stripHigh = stripLow + kTitleStripSize;
            break;
        case 900: // the top faces left: the cells lie right of x
            low = title.x, high = title.x + kTitleFontHeight;
            stripLow = 0, stripHigh = text.left;
            break;
        default: FAIL() << "escapement " << title.font.escapement;
        }
        EXPECT_EQ(stripHigh - stripLow, kTitleStripSize) << "layout " << titleBar;
        EXPECT_GE(low, stripLow) << "layout " << titleBar;
        EXPECT_LE(high, stripHigh) << "layout " << titleBar;
    }
}

TEST(TitleLayout, VerticalWritingTakesTheAtFace) {
    EXPECT_EQ(std::string(TitleFaceName({2700, true})), "@ＭＳ Ｐゴシック");
    EXPECT_EQ(std::string(TitleFaceName({900, false})), "ＭＳ Ｐゴシック");
}

} // namespace
} // namespace petarino
