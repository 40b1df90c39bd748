#include "search/memo_search.h"

namespace petarino {

std::vector<MemoText> SearchWords(MemoTextView typed) {
    std::vector<MemoText> words(1);
    for (const char16_t unit : typed) {
        if (unit == u' ' || unit == u'　') {
            if (!words.back().empty()) words.emplace_back();
        } else
            words.back() += unit;
    }
    if (words.back().empty()) words.pop_back();
    return words;
}

bool MemoSearch::Finds(const Memo& memo) const {
    const MemoText title = memo.Hint();
    const MemoText text = memo.Text();
    for (const MemoText& word : words_) {
        const bool found = kernel_.FindIgnoringForms(title, word) ||
                           kernel_.FindIgnoringForms(text, word) ||
                           (memo.ReadOnly() && kernel_.FindIgnoringForms(memo.MacroText(), word));
        if (!found) return false;
    }
    return true;
}

std::optional<platform::TextSpan> MemoSearch::FirstInText(const Memo& memo) const {
    const MemoText text = memo.Text();
    std::optional<platform::TextSpan> first;
    for (const MemoText& word : words_)
        if (const auto found = kernel_.FindIgnoringForms(text, word);
            found && (!first || found->offset < first->offset))
            first = found;
    return first;
}

} // namespace petarino
