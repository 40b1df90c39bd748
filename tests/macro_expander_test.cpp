#include "macro_memos/macro_expander.h"
#include "testing/fake_macro_host.h"
#include "testing/in_memory_memo.h"
#include "testing/macro_world.h"

#include <gtest/gtest.h>

namespace petarino {
namespace {

class ExpandMacrosTest : public ::testing::Test {
protected:
    // A memo in macro mode with this source, as the store or the dialog leaves it.
    InMemoryMemo& MacroMemo(std::string_view source) {
        memo.SetMacroText(source);
        memo.SetReadOnly(true);
        return memo;
    }
    std::string Shown(std::string_view source) {
        world.expander.ExpandMacros(MacroMemo(source), host);
        return memo.Text();
    }

    MacroWorld world{platform::FakeLocale::Japanese, {1997, 3, 0, 9, 14, 5, 7, 0}};
    FakeMacroHost host;
    InMemoryMemo memo;
};

TEST_F(ExpandMacrosTest, ReplacesEveryLetterOfTheLanguage) {
    world.kernel.SetUptimeMilliseconds(3'725'999);
    host.caption = "1時間 1分 2秒";
    host.exec = 42;
    EXPECT_EQ(Shown("N#{yyyy#}"), "1997");
    EXPECT_EQ(Shown("n#{yyyy#}"), "1997");
    EXPECT_EQ(Shown("Today N#{yyyy#} year"), "Today 1997 year");
    EXPECT_EQ(Shown("I#{#}"), "1時間 2分 5秒");
    EXPECT_EQ(Shown("i#{ignored#}"), "1時間 2分 5秒");
    EXPECT_EQ(Shown("T#{#}"), "1時間 1分 2秒");
    EXPECT_EQ(Shown("L#{#} / l#{#}"), "42 / 42");
    EXPECT_EQ(Shown("x#{#}"), "xは、マクロにありません。");
    EXPECT_EQ(Shown("7#{#}"), "7は、マクロにありません。");
}

TEST_F(ExpandMacrosTest, FormatsAnEmptyDateTimeArgumentAsC) {
    EXPECT_EQ(Shown("N#{#}"), "1997/03/09 14:05:07");
    world.kernel.SetNow({1997, 3, 0, 9, 0, 0, 0, 0});
    EXPECT_EQ(Shown("N#{#}"), "1997/03/09");
}

TEST_F(ExpandMacrosTest, CountsDaysUntilAndSinceADate) {
    EXPECT_EQ(Shown("A#{1997/03/09#} S#{1997/03/09#}"), "0 0");
    EXPECT_EQ(Shown("a#{1997/3/19#} s#{1997/3/19#}"), "10 -10");
    EXPECT_EQ(Shown("s#{1996/3/9#}"), "365");
    EXPECT_EQ(Shown("a#{12/25#}"), "291");
}

TEST_F(ExpandMacrosTest, ShowsUptimesBeyondThe32BitCounter) {
    world.kernel.SetUptimeMilliseconds(uint64_t{50} * 24 * 3600 * 1000 + 5000); // 50 days
    EXPECT_EQ(Shown("I#{#}"), "1200時間 0分 5秒");
}

TEST_F(ExpandMacrosTest, TakesADoubleByteCharacterBeforeAMarkerApart) {
    EXPECT_EQ(Shown("あ#{#}"), "あは、マクロにありません。");
}

TEST_F(ExpandMacrosTest, ShowsErrorForMalformedSourcesOnEveryPass) {
    EXPECT_EQ(Shown("text with #} only"), "Error.");
    EXPECT_EQ(Shown("N#{yyyy#} #}"), "Error.");
    EXPECT_EQ(Shown("#} N#{yyyy#}"), "Error.");
    EXPECT_EQ(Shown("#{yyyy#}"), "Error.");
    // The second pass meets "#{#}" at the very start, written by the first.
    EXPECT_EQ(Shown("N#{'#{'#}#}"), "Error.");
    EXPECT_TRUE(host.timerRunning);
    EXPECT_TRUE(world.windows.Shown().empty());
}

TEST_F(ExpandMacrosTest, LeavesAMemoOutsideMacroModeAlone) {
    memo.SetMacroText("N#{yyyy#}");
    memo.SetText("typed");
    world.expander.ExpandMacros(memo, host);
    EXPECT_EQ(memo.Text(), "typed");
}

TEST_F(ExpandMacrosTest, DoesNotRewriteAnUnchangedText) {
    Shown("N#{yyyy#}");
    Shown("N#{yyyy#}");
    EXPECT_EQ(memo.TextWrites(), 1);
}

TEST_F(ExpandMacrosTest, StopsTheTimerAndReportsADateThatDoesNotParse) {
    memo.SetHint("予定");
    EXPECT_EQ(Shown("N#{yyyy#}"), "1997");
    EXPECT_EQ(Shown("N#{yyyy#} A#{abc#} L#{#}"), "1997") << "the memo keeps its text";
    EXPECT_FALSE(host.timerRunning);
    ASSERT_EQ(world.windows.Shown().size(), 1u);
    EXPECT_EQ(world.windows.Shown()[0],
              (platform::ShownMessageBox{"予定のマクロ(abc)が間違っています。\r"
                                         "ペタリノは停止しています。マクロを再設定してください。",
                                         "エラー", 0x10}));
}

TEST_F(ExpandMacrosTest, ReadsDatesInTheEnglishOrder) {
    MacroWorld english{platform::FakeLocale::English, {1997, 3, 0, 9, 14, 5, 7, 0}};
    MacroMemo("A#{3/19/1997#} N#{dddd ampm#}");
    english.expander.ExpandMacros(memo, host);
    EXPECT_EQ(memo.Text(), "10 Sunday PM");
}

} // namespace
} // namespace petarino
