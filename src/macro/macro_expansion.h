// The macro language's scan: every "#{" argument "#}" with the byte before it as its
// letter is replaced, left to right, each pass seeing what earlier passes produced.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace petarino {

// Bounds that end every expansion. A memo's edit control holds at most 32,767
// characters, so a typed source has at most 6,553 macros (each takes at least the five
// bytes of "L#{#}") and, at the formatter's 256 bytes a macro, expands to under 1.7 MB.
// Only a source whose replacements write new macros again and again can go further.
inline constexpr std::size_t kMaxMacroPasses = 16'384;
inline constexpr std::size_t kMaxExpandedBytes = std::size_t{4} << 20;

// A text that holds "#}" anywhere, by a plain byte search, is a macro source: its memo is in
// macro mode, read-only and regenerated from it.
constexpr bool IsMacroSource(std::string_view text) {
    return text.find("#}") != std::string_view::npos;
}
// The same for a memo's text: "#" never ends a double-byte character, so the bytes' answer
// and the characters' are one.
constexpr bool IsMacroSource(std::u16string_view text) {
    return text.find(u"#}") != std::u16string_view::npos;
}

class MacroReplacer {
public:
    // Appends the macro's replacement to `out`.
    virtual void Replace(char letter, std::string_view argument, std::string& out) = 0;

protected:
    ~MacroReplacer() = default;
};

// nullopt for a malformed source: a "#}" before any "#{", a "#{" without a letter in front
// of it, or a pass or size past the bounds. What the replacer throws passes through.
std::optional<std::string> ExpandSource(std::string_view source, MacroReplacer& replacer);

} // namespace petarino
