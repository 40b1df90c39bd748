#include "search/memo_search.h"
#include "platform/fake/fake_kernel.h"
#include "testing/in_memory_memo.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace petarino {
namespace {

using Words = std::vector<std::string>;

TEST(MemoSearch, TheBoxSplitsIntoWordsAtHalfAndFullWidthSpaces) {
    const struct {
        const char* typed;
        Words words;
    } rows[] = {
        {"", {}},
        {" 　 ", {}},
        {"牛乳", {"牛乳"}},
        {"牛乳 卵", {"牛乳", "卵"}},
        {"牛乳　卵", {"牛乳", "卵"}},
        {"　 牛乳 　 卵　", {"牛乳", "卵"}},
        // The full-width space's bytes end "ａ" and start "@": no space between them.
        {"ａ@", {"ａ@"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SearchWords(row.typed), row.words) << row.typed;
}

// Each word may be in the title, the text shown or a macro memo's source; every word must be
// somewhere. The fake kernel ignores only ASCII case; widths and kana are the system's.
TEST(MemoSearch, AMemoIsFoundWhenEveryWordIsInItsTitleTextOrMacroSource) {
    const std::string kMacro = "yyyy/mm/dd";
    const struct {
        const char* typed;
        const char* title;
        const char* text;
        bool macro; // the text shown is the expansion of kMacro
        bool found;
        std::optional<platform::TextSpan> first;
    } rows[] = {
        {"", "買い物", "牛乳と卵", false, true, std::nullopt},
        {"卵", "買い物", "牛乳と卵", false, true, platform::TextSpan{6, 2}},
        {"卵 牛乳", "買い物", "牛乳と卵", false, true, platform::TextSpan{0, 4}},
        {"卵　と", "買い物", "牛乳と卵", false, true, platform::TextSpan{4, 2}},
        {"買い物 卵", "買い物", "牛乳と卵", false, true, platform::TextSpan{6, 2}},
        {"買い物", "買い物", "牛乳と卵", false, true, std::nullopt},
        {"卵 パン", "買い物", "牛乳と卵", false, false, platform::TextSpan{6, 2}},
        {"milk", "MILK", "", false, true, std::nullopt},
        {"a", "", "アイ", false, false, std::nullopt},
        {"yyyy", "日付", "2026/12/08", true, true, std::nullopt},
        {"12/08 日付", "日付", "2026/12/08", true, true, platform::TextSpan{5, 5}},
        {"yyyy", "日付", "yyyy/mm/dd ではない", false, true, platform::TextSpan{0, 4}},
        {"dd", "日付", "2026/12/08", false, false, std::nullopt},
    };
    platform::FakeKernel kernel;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        InMemoryMemo memo;
        memo.SetHint(row.title);
        memo.SetText(row.text);
        // A memo that was a macro once keeps its source, which then counts no more.
        memo.SetMacroText(kMacro);
        memo.SetReadOnly(row.macro);
        MemoSearch search(kernel);
        search.SetTyped(row.typed);
        EXPECT_EQ(search.Empty(), std::string(row.typed).empty());
        EXPECT_EQ(search.Finds(memo), row.found);
        EXPECT_EQ(search.FirstInText(memo), row.first);
    }
}

} // namespace
} // namespace petarino
