// The title strip: the window's client area filled with the strip colour and the title
// written into it with the font of the layout. The font is taken when the layout asks for
// another face or direction, never while painting.
#pragma once

#include "memos/title_layout.h"
#include "platform/win32/shared_font.h"

#include <windows.h>
#include <optional>
#include <string_view>

namespace petarino::forms {

class MemoTitle {
public:
    void Place(const std::optional<TitlePlacement>& placement);
    // Fills `client` with the strip colour and writes the title clipped at its edges, with no
    // background of its own.
    void Paint(HDC dc, const RECT& client, Color strip, Color text, std::string_view hint) const;

private:
    std::optional<TitlePlacement> placement_;
    std::optional<TitleFont> made_;
    win32::SharedFont font_;
};

} // namespace petarino::forms
