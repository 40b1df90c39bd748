#include "macro/palette_blocks.h"

namespace petarino {

std::string InsertedText(const PaletteBlock& block, std::string_view literal,
                         std::string_view date) {
    switch (block.text) {
    case BlockText::Hint: return std::string(block.hint);
    case BlockText::QuotedLiteral: return std::string("\"").append(literal).append("\"");
    case BlockText::DaysUntil: return std::string("a#{").append(date).append("#}");
    case BlockText::DaysSince: return std::string("s#{").append(date).append("#}");
    }
    return {};
}

} // namespace petarino
