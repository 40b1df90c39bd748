#include "platform/win32/shared_font.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <map>
#include <string>

namespace petarino::win32 {
namespace {

// The bytes of a logical font with nothing after the face name's end, so that fonts that
// are equal for the system are equal here.
std::string KeyOf(const LOGFONTW& logFont) {
    LOGFONTW clean = logFont;
    const std::size_t length = wcsnlen(logFont.lfFaceName, std::size(logFont.lfFaceName));
    std::fill(std::begin(clean.lfFaceName) + length, std::end(clean.lfFaceName), L'\0');
    std::string key(sizeof clean, '\0');
    std::memcpy(key.data(), &clean, sizeof clean);
    return key;
}

// Only the window thread makes fonts. An entry whose font is gone holds no handle; such
// entries are swept whenever a new font is made.
std::map<std::string, std::weak_ptr<const UniqueFont>>& Fonts() {
    static std::map<std::string, std::weak_ptr<const UniqueFont>> fonts;
    return fonts;
}

} // namespace

SharedFont SharedFont::Of(const LOGFONTW& logFont) {
    auto& fonts = Fonts();
    std::string key = KeyOf(logFont);
    if (const auto found = fonts.find(key); found != fonts.end())
        if (auto font = found->second.lock()) return SharedFont(std::move(font));
    auto made = std::make_shared<const UniqueFont>(CreateFontIndirectW(&logFont));
    if (!*made) return {};
    std::erase_if(fonts, [](const auto& entry) { return entry.second.expired(); });
    fonts.insert_or_assign(std::move(key), made);
    return SharedFont(std::move(made));
}

} // namespace petarino::win32
