#include "platform/win32/cp932_win32.h"
#include "text/cp932.h"

#include <windows.h>
#include <gtest/gtest.h>

namespace petarino::win32 {

TEST(Cp932Boundary, RoundTripsJapaneseWhateverTheSystemCodePage) {
    const std::string text = "ペタリノ 表示/非表示 ｶﾀｶﾅ";
    EXPECT_EQ(ToWide(text), L"ペタリノ 表示/非表示 ｶﾀｶﾅ");
    EXPECT_EQ(FromWide(ToWide(text)), text);
    EXPECT_EQ(ToWide(""), L"");
}

TEST(Cp932Boundary, LeadBytesAgreeWithTheSystemCodePageTable) {
    CPINFO info{};
    ASSERT_TRUE(GetCPInfo(932, &info));
    for (int byte = 0; byte < 256; ++byte) {
        bool declared = false;
        for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2)
            declared = declared || (byte >= info.LeadByte[i] && byte <= info.LeadByte[i + 1]);
        EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(byte)), declared) << "byte " << byte;
    }
}

} // namespace petarino::win32
