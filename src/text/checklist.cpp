#include "text/checklist.h"

#include <algorithm>
#include <vector>

namespace petarino {
namespace {

constexpr char16_t kIdeographicSpace = u'\u3000';
constexpr MemoTextView kNewItem = u"\r\n\u2610 ";
constexpr MemoTextView kBoxAndSpace = u"\u2610 ";

bool IsBox(char16_t unit) {
    return unit == kOpenBox || unit == kDoneBox || unit == kPlainSquare;
}

bool IsSpace(char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == kIdeographicSpace;
}

bool IsItem(MemoTextView line) {
    return !line.empty() && IsBox(line.front());
}

// The box and the one space that follows it.
std::size_t BoxLength(MemoTextView line) {
    return line.size() >= 2 && IsSpace(line[1]) ? 2 : 1;
}

struct LineSpan {
    std::size_t start = 0;
    std::size_t end = 0; // before its break
};

// The lines from the one holding `first` to the one holding `last`.
std::vector<LineSpan> LinesBetween(MemoTextView text, std::size_t first, std::size_t last) {
    std::vector<LineSpan> lines;
    for (std::size_t start = LineStart(text, first);;) {
        const std::size_t end = LineEnd(text, start);
        lines.push_back({start, end});
        if (end >= last || end == text.size()) return lines;
        start = text.find(u'\n', end) + 1;
    }
}

} // namespace

std::size_t LineStart(MemoTextView text, std::size_t offset) {
    offset = std::min(offset, text.size());
    const std::size_t lineFeed = offset == 0 ? MemoTextView::npos : text.rfind(u'\n', offset - 1);
    return lineFeed == MemoTextView::npos ? 0 : lineFeed + 1;
}

std::size_t LineEnd(MemoTextView text, std::size_t offset) {
    const std::size_t lineFeed = text.find(u'\n', std::min(offset, text.size()));
    if (lineFeed == MemoTextView::npos) return text.size();
    return lineFeed > 0 && text[lineFeed - 1] == u'\r' ? lineFeed - 1 : lineFeed;
}

std::optional<TextEdit> ToggledBox(MemoTextView text, std::size_t offset) {
    if (offset >= text.size() || !IsBox(text[offset]) || LineStart(text, offset) != offset)
        return std::nullopt;
    const char16_t toggled = text[offset] == kDoneBox ? kOpenBox : kDoneBox;
    return TextEdit{offset, offset + 1, MemoText(1, toggled), offset, offset};
}

TextEdit BoxedLines(MemoTextView text, std::size_t selectionStart, std::size_t selectionEnd) {
    const std::size_t first = std::min({selectionStart, selectionEnd, text.size()});
    std::size_t last = std::min(std::max(selectionStart, selectionEnd), text.size());
    if (last > first && LineStart(text, last) == last) last = LineEnd(text, last - 1);
    const std::vector<LineSpan> spans = LinesBetween(text, first, last);
    const auto lineOf = [&](const LineSpan& span) {
        return text.substr(span.start, span.end - span.start);
    };
    const bool allBoxed = std::all_of(spans.begin(), spans.end(),
                                      [&](const LineSpan& span) { return IsItem(lineOf(span)); });

    const std::size_t from = spans.front().start;
    MemoText lines;
    // The caret, in the first line, stays beside the characters it was beside.
    std::size_t caret = 0;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        if (i > 0) lines.append(text.substr(spans[i - 1].end, spans[i].start - spans[i - 1].end));
        const MemoTextView line = lineOf(spans[i]);
        const std::size_t column = first - spans[i].start;
        const std::size_t newStart = from + lines.size();
        if (allBoxed) {
            const std::size_t box = BoxLength(line);
            if (i == 0) caret = newStart + (column > box ? column - box : 0);
            lines.append(line.substr(box));
        } else {
            if (i == 0) caret = newStart + kBoxAndSpace.size() + column;
            lines.append(kBoxAndSpace).append(line);
        }
    }
    const std::size_t to = spans.back().end;
    if (selectionStart == selectionEnd) return {from, to, std::move(lines), caret, caret};
    // A selection covers the lines it touched, as they are now.
    const std::size_t linesEnd = from + lines.size();
    return {from, to, std::move(lines), from, linesEnd};
}

std::optional<TextEdit> EnterInChecklist(MemoTextView text, std::size_t selectionStart,
                                         std::size_t selectionEnd) {
    if (selectionStart != selectionEnd || selectionEnd > text.size()) return std::nullopt;
    const std::size_t caret = selectionEnd;
    const std::size_t start = LineStart(text, caret);
    if (LineEnd(text, caret) != caret || !IsItem(text.substr(start, caret - start)))
        return std::nullopt;
    const MemoTextView afterBox = text.substr(start + 1, caret - start - 1);
    if (std::all_of(afterBox.begin(), afterBox.end(), IsSpace))
        return TextEdit{start, caret, {}, start, start};
    const std::size_t newCaret = caret + kNewItem.size();
    return TextEdit{caret, caret, MemoText(kNewItem), newCaret, newCaret};
}

} // namespace petarino
