#include "memos/font.h"

namespace petarino {

void Font::SetName(std::string_view name) {
    if (name.empty()) return;
    name_ = name.substr(0, kMaxNameBytes);
}

} // namespace petarino
