#include "platform/fake/fake_kernel.h"
#include "search/memo_search.h"
#include "testing/in_memory_memo.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace petarino {
namespace {

using Words = std::vector<MemoText>;

TEST(MemoSearch, TheBoxSplitsIntoWordsAtHalfAndFullWidthSpaces) {
    const struct {
        const char16_t* typed;
        Words words;
    } rows[] = {
        {u"", {}},
        {u" 　 ", {}},
        {u"牛乳", {u"牛乳"}},
        {u"牛乳 卵", {u"牛乳", u"卵"}},
        {u"牛乳　卵", {u"牛乳", u"卵"}},
        {u"　 牛乳 　 卵　", {u"牛乳", u"卵"}},
        // In code page 932 the full-width space's bytes end "ａ" and start "@".
        {u"ａ@", {u"ａ@"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SearchWords(row.typed), row.words);
}

// Each word may be in the title, the text shown or a macro memo's source; every word must be
// somewhere. The fake kernel ignores only ASCII case; widths and kana are the system's.
TEST(MemoSearch, AMemoIsFoundWhenEveryWordIsInItsTitleTextOrMacroSource) {
    const MemoText kMacro = u"yyyy/mm/dd";
    const struct {
        const char16_t* typed;
        const char16_t* title;
        const char16_t* text;
        bool macro; // the text shown is the expansion of kMacro
        bool found;
        std::optional<platform::TextSpan> first;
    } rows[] = {
        {u"", u"買い物", u"牛乳と卵", false, true, std::nullopt},
        {u"卵", u"買い物", u"牛乳と卵", false, true, platform::TextSpan{3, 1}},
        {u"卵 牛乳", u"買い物", u"牛乳と卵", false, true, platform::TextSpan{0, 2}},
        {u"卵　と", u"買い物", u"牛乳と卵", false, true, platform::TextSpan{2, 1}},
        {u"買い物 卵", u"買い物", u"牛乳と卵", false, true, platform::TextSpan{3, 1}},
        {u"買い物", u"買い物", u"牛乳と卵", false, true, std::nullopt},
        {u"卵 パン", u"買い物", u"牛乳と卵", false, false, platform::TextSpan{3, 1}},
        {u"milk", u"MILK", u"", false, true, std::nullopt},
        {u"a", u"", u"アイ", false, false, std::nullopt},
        {u"yyyy", u"日付", u"2026/12/08", true, true, std::nullopt},
        {u"12/08 日付", u"日付", u"2026/12/08", true, true, platform::TextSpan{5, 5}},
        {u"yyyy", u"日付", u"yyyy/mm/dd ではない", false, true, platform::TextSpan{0, 4}},
        {u"dd", u"日付", u"2026/12/08", false, false, std::nullopt},
    };
    platform::FakeKernel kernel;
    for (const auto& row : rows) {
        InMemoryMemo memo;
        memo.SetHint(row.title);
        memo.SetText(row.text);
        // A memo that was a macro once keeps its source, which then counts no more.
        memo.SetMacroText(kMacro);
        memo.SetReadOnly(row.macro);
        MemoSearch search(kernel);
        search.SetTyped(row.typed);
        EXPECT_EQ(search.Empty(), MemoText(row.typed).empty());
        EXPECT_EQ(search.Finds(memo), row.found) << &row - rows;
        EXPECT_EQ(search.FirstInText(memo), row.first) << &row - rows;
    }
}

} // namespace
} // namespace petarino
