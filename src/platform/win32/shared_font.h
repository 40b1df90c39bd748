// Fonts shared by everyone who asks for an equal one. Under Wine every font made matches the
// system's faces anew, and a hundred memos mostly use the same two or three fonts: each is
// made once and deleted when its last holder lets go.
#pragma once

#include "platform/win32/font_win32.h"

#include <memory>

namespace petarino::win32 {

class SharedFont {
public:
    SharedFont() = default;
    // Empty when the system cannot make the font.
    static SharedFont Of(const LOGFONTW& logFont);

    HFONT get() const { return font_ ? font_->get() : nullptr; }
    explicit operator bool() const { return get() != nullptr; }

private:
    explicit SharedFont(std::shared_ptr<const UniqueFont> font) : font_(std::move(font)) {}

    std::shared_ptr<const UniqueFont> font_;
};

} // namespace petarino::win32
