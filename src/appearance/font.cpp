#include "appearance/font.h"

#include "appearance/mul_div.h"

namespace petarino {

void Font::SetName(std::string_view name) {
    if (name.empty()) return;
    name_ = name.substr(0, kMaxNameBytes);
}

int32_t Font::Size(int pixelsPerInch) const {
    return -MulDiv(height, 72, pixelsPerInch);
}

void Font::SetSize(int32_t points, int pixelsPerInch) {
    height = -MulDiv(points, pixelsPerInch, 72);
}

} // namespace petarino
