// The search box of the page "メモの状態": the words typed in it, and the memos they find by the
// system's own comparison, in which case, width and kana type make no difference.
#pragma once

#include "memos/memo.h"
#include "platform/kernel.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace petarino {

// The words of the box, split at half- and full-width spaces.
std::vector<std::string> SearchWords(std::string_view typed);

class MemoSearch {
public:
    explicit MemoSearch(platform::Kernel& kernel) : kernel_(kernel) {}

    void SetTyped(std::string_view typed) { words_ = SearchWords(typed); }
    bool Empty() const { return words_.empty(); }
    // Every word is in the title, the text shown or, for a macro memo, its source; every memo
    // while nothing is typed.
    bool Finds(const Memo& memo) const;
    // The earliest place of any word in the text shown; nullopt when none is there.
    std::optional<platform::TextSpan> FirstInText(const Memo& memo) const;

private:
    platform::Kernel& kernel_;
    std::vector<std::string> words_;
};

} // namespace petarino
