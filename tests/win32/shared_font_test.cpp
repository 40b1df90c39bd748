#include "platform/win32/shared_font.h"

#include <windows.h>
#include <gtest/gtest.h>

namespace petarino::win32 {
namespace {

LOGFONTW LogFont(const wchar_t* face, LONG height) {
    LOGFONTW logFont{.lfHeight = height, .lfCharSet = DEFAULT_CHARSET};
    wcsncpy(logFont.lfFaceName, face, LF_FACESIZE - 1);
    return logFont;
}

bool IsFont(HFONT font) {
    return GetObjectType(font) == OBJ_FONT;
}

TEST(SharedFont, EqualFontsShareOneHandleUntilTheLastHolderLetsGo) {
    LOGFONTW withLeftovers = LogFont(L"Arial", -12);
    // What follows the face name's end is no part of the font.
    withLeftovers.lfFaceName[LF_FACESIZE - 2] = L'x';
    HFONT shared = nullptr;
    {
        const SharedFont first = SharedFont::Of(LogFont(L"Arial", -12));
        ASSERT_TRUE(first);
        shared = first.get();
        {
            const SharedFont second = SharedFont::Of(withLeftovers);
            EXPECT_EQ(second.get(), shared);
        }
        EXPECT_TRUE(IsFont(shared)) << "a holder let go while another holds it";
        const SharedFont taller = SharedFont::Of(LogFont(L"Arial", -13));
        const SharedFont otherFace = SharedFont::Of(LogFont(L"Tahoma", -12));
        EXPECT_NE(taller.get(), shared);
        EXPECT_NE(otherFace.get(), shared);
    }
    EXPECT_FALSE(IsFont(shared)) << "the font outlived its last holder";
    const SharedFont again = SharedFont::Of(LogFont(L"Arial", -12));
    EXPECT_TRUE(IsFont(again.get())) << "a font asked for again is made anew";
}

} // namespace
} // namespace petarino::win32
