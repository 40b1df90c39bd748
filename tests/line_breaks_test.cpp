#include "text/line_breaks.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace petarino {
namespace {

using namespace std::string_view_literals;

struct Case {
    std::string_view bytes;
    std::string_view text;
};

TEST(TextOfFile, EveryLineBreakBecomesCrLf) {
    const Case cases[] = {
        {"", ""},
        {"one line", "one line"},
        {"a\rb\rc", "a\r\nb\r\nc"},
        {"a\nb\nc\n", "a\r\nb\r\nc\r\n"},
        {"a\r\nb", "a\r\nb"},
        // LF CR is two breaks, CR CR LF two, and an empty line stays one.
        {"a\n\rb\r\r\nc\n\nd", "a\r\n\r\nb\r\n\r\nc\r\n\r\nd"},
        {"\r", "\r\n"},
        {"\n", "\r\n"},
        {"行1\n行2\r", "行1\r\n行2\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextOfFile(c.bytes), c.text) << c.bytes;
}

// The bytes after a lead byte belong to its character, even where the file is not CP932.
TEST(TextOfFile, TheSecondByteOfACharacterIsNoLineBreak) {
    const Case cases[] = {
        {"ソ\nあ", "ソ\r\nあ"},       // "ソ" ends in 0x5C, a backslash
        {"\x82\nx", "\x82\nx"},       // a lead byte takes the LF along
        {"\x82\r\nx", "\x82\r\r\nx"}, // and the CR, leaving the LF alone
        {"ab\x82", "ab\x82"},         // a lead byte as the last byte stays
        {"\x82", "\x82"},
        {"\x82\x82\n", "\x82\x82\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextOfFile(c.bytes), c.text) << c.bytes;
}

// The text box takes its text as a zero-terminated string.
TEST(TextOfFile, EndsAtTheFirstNul) {
    EXPECT_EQ(TextOfFile("ab\ncd\0ef\ngh"sv), "ab\r\ncd");
    EXPECT_EQ(TextOfFile("\0ab"sv), "");
    EXPECT_EQ(TextOfFile("ab\x82\0z"sv), "ab\x82");
    EXPECT_EQ(TextOfFile("ab\r\0\n"sv), "ab\r\n");
}

} // namespace
} // namespace petarino
