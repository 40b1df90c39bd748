#include "text/web_address.h"

#include <gtest/gtest.h>

namespace petarino {
namespace {

// "[" and "]" mark the address a click anywhere between them finds; "|" a click that finds
// none.
TEST(WebAddress, AnAddressRunsFromItsSchemeToASpaceOrTheLineEndWithoutClosingPunctuation) {
    const MemoTextView cases[] = {
        u"[https://example.com/a?b=1#c]",
        u"see [HTTP://example.com] now",
        u"[mailto:someone@example.jp]",
        u"詳しくは[https://example.jp/資料]。次へ",
        u"「[https://example.jp/a]」を参照、",
        u"([https://example.com/x]).",
        u"[https://example.com/wiki/Foo_(bar)]",
        u"[https://a.example]、[http://b.example]",
        u"x\r\n[http://example.com/a]\u3000b",
        // Anything else is text: another scheme, a file, a program, a scheme alone.
        u"file:///C:/Windows/|notepad.exe",
        u"C:\\Windows\\|notepad.exe",
        u"javascript:al|ert(1)",
        u"https:|//",
        u"mailto:|",
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        const MemoTextView marked = cases[i];
        MemoText text;
        std::optional<TextStretch> expected;
        std::size_t probe = 0;
        for (const char16_t unit : marked) {
            if (unit == u'[')
                expected = TextStretch{text.size(), 0};
            else if (unit == u']')
                expected->length = text.size() - expected->offset;
            else if (unit == u'|')
                probe = text.size();
            else
                text += unit;
        }
        if (expected) {
            // Its first and last units, and none just outside.
            EXPECT_EQ(WebAddressAt(text, expected->offset), expected);
            EXPECT_EQ(WebAddressAt(text, expected->offset + expected->length - 1), expected);
            const std::size_t after = expected->offset + expected->length;
            if (after < text.size()) {
                EXPECT_NE(WebAddressAt(text, after), expected);
            }
        } else {
            EXPECT_EQ(WebAddressAt(text, probe), std::nullopt);
        }
    }
}

} // namespace
} // namespace petarino
