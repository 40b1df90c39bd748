// The addresses a Ctrl+click in a memo opens: http://, https:// and mailto: only, so that a
// click can never start a program or open a file.
#pragma once

#include "text/memo_text.h"

#include <cstddef>
#include <optional>

namespace petarino {

struct TextStretch {
    std::size_t offset = 0;
    std::size_t length = 0;

    friend bool operator==(const TextStretch&, const TextStretch&) = default;
};

// The address that holds the unit at `offset`: from its scheme up to the next space, the end
// of the line or Japanese punctuation ("。", "、", "」", ...), without the closing punctuation
// of a sentence at its end (".", ")", ...). A ")" stays when the address opened one, as some
// addresses' paths do.
std::optional<TextStretch> WebAddressAt(MemoTextView text, std::size_t offset);

} // namespace petarino
