#include "memos/memo.h"
#include "platform/fake/in_memory_memo.h"

#include <gtest/gtest.h>
#include <string>

namespace petarino {
namespace {

TEST(NewMemo, StartsWithTheDefaultsOfANewWindow) {
    const InMemoryMemo memo;
    EXPECT_EQ(memo.Hint(), "無題");
    EXPECT_EQ(memo.Tag(), 0);
    EXPECT_EQ(memo.TitleBar(), 0);
    EXPECT_EQ(memo.MacroText(), "");
    EXPECT_EQ(memo.WindowColor(), 0x80000002u);
    EXPECT_EQ(memo.TitleTextColor(), 0x80000009u);
    EXPECT_FALSE(memo.Visible());
    EXPECT_EQ(memo.Text(), "");
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
    record.SetText("2026年");
    record.SetText("2026年");
    EXPECT_EQ(memo.TextWrites(), 1);
    record.SetText("2027年");
    EXPECT_EQ(memo.Text(), "2027年");
    EXPECT_EQ(memo.TextWrites(), 2);
}

TEST(FontName, IsCutToWhatALogicalFontHolds) {
    Font font;
    const std::string longName(40, 'A');
    font.SetName(longName);
    EXPECT_EQ(font.Name(), std::string(31, 'A'));
    font.SetName("Courier");
    EXPECT_EQ(font.Name(), "Courier");
}

TEST(FontName, EmptyLeavesTheFaceUnchanged) {
    Font font;
    font.SetName("");
    EXPECT_EQ(font.Name(), "ＭＳ Ｐゴシック");
}

} // namespace
} // namespace petarino
