// Checklists in a plain memo: a line whose first character is a box is an item, open or done.
// Each rule gives the edit to make as one replacement, so the text area makes it as typing
// would (one undo step, autosave, sync) and nothing else of the text moves.
#pragma once

#include "text/memo_text.h"

#include <cstddef>
#include <optional>

namespace petarino {

inline constexpr char16_t kOpenBox = u'\u2610';     // ☐
inline constexpr char16_t kDoneBox = u'\u2611';     // ☑
inline constexpr char16_t kPlainSquare = u'\u25A1'; // □, the box the IME offers: open too

// Units from..to of the text give way to `inserted`; the selection afterwards.
struct TextEdit {
    std::size_t from = 0;
    std::size_t to = 0;
    MemoText inserted;
    std::size_t selectionStart = 0;
    std::size_t selectionEnd = 0;

    friend bool operator==(const TextEdit&, const TextEdit&) = default;
};

// The line holding `offset` begins at the unit returned; lines end at CR LF or a lone LF.
std::size_t LineStart(MemoTextView text, std::size_t offset);
std::size_t LineEnd(MemoTextView text, std::size_t offset);

// A click on the unit at `offset`: a box that starts its line is ticked, or opened again. The
// selection is the caller's to keep.
std::optional<TextEdit> ToggledBox(MemoTextView text, std::size_t offset);

// "チェックボックス(&K)": every line the selection touches gets "☐ ", or, when all of them
// have a box already, loses it (with the space after it). A selection ending at the start of
// a line does not touch that line.
TextEdit BoxedLines(MemoTextView text, std::size_t selectionStart, std::size_t selectionEnd);

// Enter with the caret at the end of an item: the next line starts as an open item, or, when
// the item holds nothing but its box, the box goes and no line is added. Nullopt where Enter
// is the text's own.
std::optional<TextEdit> EnterInChecklist(MemoTextView text, std::size_t selectionStart,
                                         std::size_t selectionEnd);

} // namespace petarino
