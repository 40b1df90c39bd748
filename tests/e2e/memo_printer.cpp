#include "memo_printer.h"

#include <gtest/gtest.h>

namespace petarino::remote {

void PrintTo(const StoredMemo& memo, std::ostream* out) {
    *out << "{Top " << memo.top << ", Left " << memo.left << ", Width " << memo.width << ", Height "
         << memo.height << ", Title " << testing::PrintToString(memo.title) << ", TitleBar "
         << memo.titleBar << std::hex << ", TitleText 0x" << memo.titleText
         << ", TitleBackGround 0x" << memo.titleBackground << std::dec << ", Text "
         << testing::PrintToString(memo.text) << ", WordWrap " << memo.wordWrap << ", Visible "
         << memo.visible << ", FontName " << testing::PrintToString(memo.fontName) << std::hex
         << ", Color 0x" << memo.color << std::dec << ", FontStyle " << memo.fontStyle << std::hex
         << ", FontColor 0x" << memo.fontColor << std::dec << ", FontSize " << memo.fontSize << "}";
}

} // namespace petarino::remote
