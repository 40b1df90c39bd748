#include "forms/memo_title.h"

#include "platform/win32/color_win32.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/font_win32.h"

#include <stdexcept>
#include <string>

namespace petarino::forms {
namespace {

// kTitleFontHeight as cell height, turned and faced for the layout; the weight is left to the
// face.
LOGFONTW TitleLogFont(const TitleFont& kind) {
    Font font;
    font.height = kTitleFontHeight;
    font.style = 0;
    font.charset = DEFAULT_CHARSET;
    font.SetName(TitleFaceName(kind));
    LOGFONTW logFont = win32::LogFontOf(font);
    logFont.lfEscapement = kind.escapement;
    logFont.lfWeight = FW_DONTCARE;
    return logFont;
}

win32::SharedFont MakeTitleFont(const TitleFont& kind) {
    win32::SharedFont font = win32::SharedFont::Of(TitleLogFont(kind));
    if (!font) throw std::runtime_error("タイトルのフォントを作成できません");
    return font;
}

// Puts an object into a DC for a scope and the previous one back after it.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    ~Selected() { SelectObject(dc_, previous_); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace

void MemoTitle::Place(const std::optional<TitlePlacement>& placement) {
    if (placement && made_ != placement->font) {
        font_ = MakeTitleFont(placement->font);
        made_ = placement->font;
    }
    placement_ = placement;
}

void MemoTitle::Paint(HDC dc, const RECT& client, Color strip, Color text,
                      std::string_view hint) const {
    SetBkColor(dc, win32::ColorRefOf(strip));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    if (!placement_ || hint.empty()) return;
    const std::wstring title = win32::ToWide(hint);
    const Selected font(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, win32::ColorRefOf(text));
    TextOutW(dc, placement_->x, placement_->y, title.c_str(), static_cast<int>(title.size()));
}

} // namespace petarino::forms
