#include "macro/palette_blocks.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace petarino {
namespace {

const PaletteBlock& Block(std::string_view caption) {
    const auto found = std::ranges::find(kPaletteBlocks, caption, &PaletteBlock::caption);
    if (found == kPaletteBlocks.end()) throw std::invalid_argument(std::string(caption));
    return *found;
}

std::string Clicked(std::initializer_list<std::string_view> captions) {
    std::string text;
    for (const std::string_view caption : captions)
        text += InsertedText(Block(caption), "", "");
    return text;
}

TEST(MacroPalette, BlocksWriteADateMacro) {
    EXPECT_EQ(Clicked({"最初にこれを押す[マクロ開始記号]", "年(1996)", "月(09)", "日(03)",
                       "最後にこれを押す[マクロ終了記号]"}),
              "N#{yyyymmdd#}");
    EXPECT_EQ(Clicked({"最初にこれを押す[マクロ開始記号]", "時(09)", "分(05)", "秒(01)",
                       "午前,午後", "最後にこれを押す[マクロ終了記号]"}),
              "N#{hhnnssampm#}");
    EXPECT_EQ(Clicked({"Windows起動後の時間", "トータル時間", "起動回数"}), "I#{#}T#{#}L#{#}");
}

// The fields are taken as they stand, at the moment of the click.
TEST(MacroPalette, FieldBlocksBuildTheirTextFromTheFields) {
    const PaletteBlock& until = Block("下の日まであと何日？");
    const PaletteBlock& since = Block("下の日から何日経った？");
    const PaletteBlock& literal = Block("マクロ中に右の文字を追加");
    EXPECT_EQ(InsertedText(until, "ignored", "1996/01/01"), "a#{1996/01/01#}");
    EXPECT_EQ(InsertedText(until, "", ""), "a#{#}");
    EXPECT_EQ(InsertedText(since, "", "no date"), "s#{no date#}");
    EXPECT_EQ(InsertedText(literal, "", "1996/01/01"), "\"\"");
    EXPECT_EQ(InsertedText(literal, "年\"月", ""), "\"年\"月\"");
    // Only these three have no tooltip: their text is not known before the click.
    for (const PaletteBlock& block : kPaletteBlocks)
        EXPECT_EQ(block.hint.empty(), &block == &until || &block == &since || &block == &literal)
            << block.caption;
}

} // namespace
} // namespace petarino
