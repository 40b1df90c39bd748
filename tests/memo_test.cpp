#include "memos/memo.h"
#include "testing/in_memory_memo.h"

#include <gtest/gtest.h>
#include <string>

namespace petarino {
namespace {

TEST(NewMemo, StartsWithTheDefaultsOfANewWindow) {
    const InMemoryMemo memo;
    EXPECT_EQ(memo.Hint(), u"無題");
    EXPECT_EQ(memo.Tag(), 0);
    EXPECT_EQ(memo.TitleBar(), 0);
    EXPECT_EQ(memo.MacroText(), u"");
    EXPECT_EQ(memo.WindowColor(), 0x80000002u);
    EXPECT_EQ(memo.TitleTextColor(), 0x80000009u);
    EXPECT_FALSE(memo.Visible());
    EXPECT_EQ(memo.Text(), u"");
    EXPECT_FALSE(memo.ReadOnly());
    EXPECT_TRUE(memo.WordWrap());
    EXPECT_EQ(memo.MemoColor(), 0x8000000Fu);
    const Font font = memo.MemoFont();
    EXPECT_EQ(font.Name(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(font.height, -12);
    EXPECT_EQ(font.style, 0);
    EXPECT_EQ(font.color, 0x00000000u);
    EXPECT_EQ(font.charset, 1);
}

TEST(MemoText, AnEqualTextIsNotWrittenAgain) {
    InMemoryMemo memo;
    Memo& record = memo;
    record.SetText(u"2026年");
    record.SetText(u"2026年");
    EXPECT_EQ(memo.TextWrites(), 1);
    record.SetText(u"2027年");
    EXPECT_EQ(memo.Text(), u"2027年");
    EXPECT_EQ(memo.TextWrites(), 2);
}

TEST(FontName, IsCutToWhatALogicalFontHoldsBeforeADoubleByteCharacter) {
    const std::string a29(29, 'A'), a30(30, 'A');
    std::string fifteenWide;
    for (int i = 0; i < 15; ++i)
        fifteenWide += "あ";
    const struct {
        std::string name, kept;
    } cases[] = {
        {"Courier", "Courier"},
        {std::string(40, 'A'), std::string(31, 'A')},
        {a30 + "あ", a30},                                  // its lead byte would be the 31st
        {a29 + "あい", a29 + "あ"},                         // one ending on the 31st byte stays
        {fifteenWide + "AB", fifteenWide + "A"},            // 31 bytes of mixed widths
        {std::string(40, '\xB1'), std::string(31, '\xB1')}, // half-width kana: one byte each
    };
    for (const auto& c : cases) {
        Font font;
        font.SetName(c.name);
        EXPECT_EQ(font.Name(), c.kept) << c.name;
    }
}

TEST(FontName, EmptyLeavesTheFaceUnchanged) {
    Font font;
    font.SetName("");
    EXPECT_EQ(font.Name(), "ＭＳ Ｐゴシック");
}

TEST(FontSize, BecomesAHeightAtTheScreensDensityAndBack) {
    Font font;
    EXPECT_EQ(font.Size(96), 9) << "the default height of 12 pixels";
    font.SetSize(10, 96);
    EXPECT_EQ(font.height, -13);
    EXPECT_EQ(font.Size(96), 10);
    font.SetSize(10, 120);
    EXPECT_EQ(font.height, -17); // 16.67
    EXPECT_EQ(font.Size(120), 10);
    font.SetSize(11, 144);
    EXPECT_EQ(font.height, -22);
    font.height = 16; // a cell height, as some fonts are given
    EXPECT_EQ(font.Size(96), -12);
}

} // namespace
} // namespace petarino
