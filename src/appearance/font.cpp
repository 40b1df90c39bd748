#include "appearance/font.h"

#include "appearance/mul_div.h"
#include "text/cp932.h"

namespace petarino {

void Font::SetName(std::string_view name) {
    if (name.empty()) return;
    // Half a double-byte character would name another face, or none.
    std::size_t kept = 0;
    while (kept < name.size()) {
        const std::size_t next = kept + CharacterBytes(name.substr(kept));
        if (next > kMaxNameBytes) break;
        kept = next;
    }
    name_ = name.substr(0, kept);
}

int32_t Font::Size(int pixelsPerInch) const {
    return -MulDiv(height, 72, pixelsPerInch);
}

void Font::SetSize(int32_t points, int pixelsPerInch) {
    height = -MulDiv(points, pixelsPerInch, 72);
}

} // namespace petarino
