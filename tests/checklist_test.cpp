#include "text/checklist.h"

#include <gtest/gtest.h>

namespace petarino {
namespace {

// Texts as the user sees them: "|" is the caret, "[" and "]" the ends of a selection.
struct Marked {
    MemoText text;
    std::size_t start = 0;
    std::size_t end = 0;
};

Marked Parse(MemoTextView marked) {
    Marked parsed;
    for (const char16_t unit : marked) {
        if (unit == u'|') {
            parsed.start = parsed.end = parsed.text.size();
        } else if (unit == u'[') {
            parsed.start = parsed.text.size();
        } else if (unit == u']') {
            parsed.end = parsed.text.size();
        } else {
            parsed.text += unit;
        }
    }
    return parsed;
}

MemoText Shown(const Marked& marked) {
    MemoText text = marked.text;
    if (marked.start == marked.end) return text.insert(marked.start, u"|");
    text.insert(marked.end, u"]");
    return text.insert(marked.start, u"[");
}

MemoText Applied(const Marked& before, const std::optional<TextEdit>& edit) {
    if (!edit) return u"(the text's own)";
    Marked after{before.text, edit->selectionStart, edit->selectionEnd};
    after.text.replace(edit->from, edit->to - edit->from, edit->inserted);
    return Shown(after);
}

std::string Printed(MemoTextView text) {
    std::string printed;
    for (const char16_t unit : text)
        printed += unit < 0x80 ? std::string(1, char(unit)) : "<" + std::to_string(unit) + ">";
    return printed;
}

struct Case {
    MemoTextView before;
    MemoTextView after;
};

// Each case's text through the rule, which reads the text and its selection.
template <std::size_t N, typename Rule> void ExpectEach(const Case (&cases)[N], Rule rule) {
    for (const Case& c : cases) {
        const Marked before = Parse(c.before);
        EXPECT_EQ(Printed(Applied(before, rule(before))), Printed(c.after)) << Printed(c.before);
    }
}

TEST(Checklist, AClickTicksOrOpensTheBoxThatStartsItsLine) {
    const Case cases[] = {
        {u"|☐ milk", u"|☑ milk"},
        {u"|☑ milk", u"|☐ milk"},
        {u"|□ milk", u"|☑ milk"},
        {u"a\r\n|☐ b", u"a\r\n|☑ b"},
        // A box inside a line is text, and so is every other character.
        {u"a |☐", u"(the text's own)"},
        {u"☐ |x", u"(the text's own)"},
        {u"|", u"(the text's own)"},
    };
    ExpectEach(cases, [](const Marked& m) { return ToggledBox(m.text, m.start); });
}

TEST(Checklist, TheMenuBoxesTheLinesTheSelectionTouchesOrUnboxesThemAll) {
    const Case cases[] = {
        {u"[a\r\nb\r\nc]", u"[☐ a\r\n☐ b\r\n☐ c]"},
        {u"[☐ a\r\n☑ b\r\n□c]", u"[a\r\nb\r\nc]"},
        // One line without a box: every line gets one, the boxed ones a second.
        {u"[☐ a\r\nb]", u"[☐ ☐ a\r\n☐ b]"},
        // A selection from inside a line to the start of another touches the first only.
        {u"x\r\na[b\r\n]c", u"x\r\n[☐ ab]\r\nc"},
        {u"x\r\n[a\r\n\r\nb]", u"x\r\n[☐ a\r\n☐ \r\n☐ b]"},
        // A caret boxes its line and stays beside its characters.
        {u"ab|c\r\nd", u"☐ ab|c\r\nd"},
        {u"☐ ab|c", u"ab|c"},
        {u"☐| x", u"|x"},
        {u"|", u"☐ |"},
        {u"a\nb|", u"a\n☐ b|"},
    };
    ExpectEach(cases,
               [](const Marked& m) { return std::optional(BoxedLines(m.text, m.start, m.end)); });
}

TEST(Checklist, EnterAtTheEndOfAnItemContinuesTheListAndOnAnEmptyItemEndsIt) {
    const Case cases[] = {
        {u"☐ milk|", u"☐ milk\r\n☐ |"},
        {u"☑ milk|\r\nx", u"☑ milk\r\n☐ |\r\nx"},
        {u"a\r\n☐ |", u"a\r\n|"},
        {u"a\r\n☐|", u"a\r\n|"},
        {u"☐\u3000|", u"|"},
        // Inside an item, on a plain line, or over a selection: the text's own Enter.
        {u"☐ mi|lk", u"(the text's own)"},
        {u"milk|", u"(the text's own)"},
        {u"[☐ milk]", u"(the text's own)"},
    };
    ExpectEach(cases, [](const Marked& m) { return EnterInChecklist(m.text, m.start, m.end); });
}

} // namespace
} // namespace petarino
