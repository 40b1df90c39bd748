#include "search/memo_search.h"

#include "text/cp932.h"

namespace petarino {
namespace {

constexpr std::string_view kFullWidthSpace = "　";

} // namespace

std::vector<std::string> SearchWords(std::string_view typed) {
    std::vector<std::string> words(1);
    for (std::size_t at = 0; at < typed.size();) {
        const std::string_view character = typed.substr(at, CharacterBytes(typed.substr(at)));
        if (character == " " || character == kFullWidthSpace) {
            if (!words.back().empty()) words.emplace_back();
        } else
            words.back() += character;
        at += character.size();
    }
    if (words.back().empty()) words.pop_back();
    return words;
}

bool MemoSearch::Finds(const Memo& memo) const {
    const std::string title = memo.Hint();
    const std::string text = memo.Text();
    for (const std::string& word : words_) {
        const bool found = kernel_.FindIgnoringForms(title, word) ||
                           kernel_.FindIgnoringForms(text, word) ||
                           (memo.ReadOnly() && kernel_.FindIgnoringForms(memo.MacroText(), word));
        if (!found) return false;
    }
    return true;
}

std::optional<platform::TextSpan> MemoSearch::FirstInText(const Memo& memo) const {
    const std::string text = memo.Text();
    std::optional<platform::TextSpan> first;
    for (const std::string& word : words_)
        if (const auto found = kernel_.FindIgnoringForms(text, word);
            found && (!first || found->offset < first->offset))
            first = found;
    return first;
}

} // namespace petarino
