#include "text/web_address.h"

#include "text/checklist.h"

#include <algorithm>
#include <array>

namespace petarino {
namespace {

constexpr std::array<MemoTextView, 3> kSchemes{u"http://", u"https://", u"mailto:"};

// Japanese punctuation has no place in an address as it is written (it would be
// percent-encoded), so it ends one even where no space follows, as it mostly does not.
constexpr MemoTextView kWideClosing = u"\u3002\u3001\uFF0C\uFF0E\uFF09\u300D\u300F\u3011"
                                      u"\u3009\u300B\uFF3D\uFF5D\uFF01\uFF1F";

bool EndsAddress(char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n' || unit == u'\u3000' ||
           kWideClosing.find(unit) != MemoTextView::npos;
}

// Punctuation that closes the sentence or the brackets around an address, not the address,
// though an address may hold it inside.
bool IsClosingPunctuation(char16_t unit) {
    return MemoTextView(u".,;:!?'\")]}>").find(unit) != MemoTextView::npos;
}

char16_t Lower(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? char16_t(unit - u'A' + u'a') : unit;
}

bool StartsWithScheme(MemoTextView text, MemoTextView scheme) {
    return text.size() > scheme.size() &&
           std::equal(scheme.begin(), scheme.end(), text.begin(),
                      [](char16_t a, char16_t b) { return a == Lower(b); });
}

// The end of an address that starts at `start`, or `start` when nothing follows its scheme.
std::size_t AddressEnd(MemoTextView text, std::size_t start, std::size_t schemeLength) {
    std::size_t end = start;
    while (end < text.size() && !EndsAddress(text[end]))
        ++end;
    while (end > start + schemeLength && IsClosingPunctuation(text[end - 1])) {
        const MemoTextView address = text.substr(start, end - start);
        const bool opened =
            text[end - 1] == u')' && std::count(address.begin(), address.end(), u'(') >=
                                         std::count(address.begin(), address.end(), u')');
        if (opened) break;
        --end;
    }
    return end > start + schemeLength ? end : start;
}

} // namespace

std::optional<TextStretch> WebAddressAt(MemoTextView text, std::size_t offset) {
    if (offset >= text.size()) return std::nullopt;
    const std::size_t lineStart = LineStart(text, offset);
    const MemoTextView line = text.substr(lineStart, LineEnd(text, offset) - lineStart);
    for (std::size_t at = 0; at < line.size();) {
        const MemoTextView rest = line.substr(at);
        const auto scheme = std::find_if(kSchemes.begin(), kSchemes.end(),
                                         [&](MemoTextView s) { return StartsWithScheme(rest, s); });
        if (scheme == kSchemes.end()) {
            ++at;
            continue;
        }
        const std::size_t end = AddressEnd(line, at, scheme->size());
        if (end == at) {
            at += scheme->size();
            continue;
        }
        if (lineStart + at <= offset && offset < lineStart + end)
            return TextStretch{lineStart + at, end - at};
        at = end;
    }
    return std::nullopt;
}

} // namespace petarino
