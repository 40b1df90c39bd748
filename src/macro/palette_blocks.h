// The macro palette's blocks: where each label stands, its caption and what a click on it
// inserts into the memo dialog's text. The palette adds no meaning of its own; the texts are
// the macro and format languages' own forms.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace petarino {

// How a block's text is made: most insert their hint, which is also their tooltip; three
// build it from an entry field at the moment of the click and have no tooltip.
enum class BlockText {
    Hint,
    QuotedLiteral, // a double quote, the literal field's text, a double quote
    DaysUntil,     // "a#{" + the date field's text + "#}"
    DaysSince,     // "s#{" + the date field's text + "#}"
};

struct PaletteBlock {
    int left;
    int top;
    std::string_view caption;
    std::string_view hint; // empty for the blocks that build their text
    BlockText text = BlockText::Hint;
};

// The fields' texts are taken as they stand: neither the literal nor the date is checked or
// escaped, so a bad date shows only when the macro is expanded.
std::string InsertedText(const PaletteBlock& block, std::string_view literal,
                         std::string_view date);

// Top to bottom and left to right, as the palette shows them.
inline constexpr std::array<PaletteBlock, 33> kPaletteBlocks{{
    {16, 16, "最初にこれを押す[マクロ開始記号]", "N#{"},
    {304, 16, "下の日まであと何日？", "", BlockText::DaysUntil},
    {304, 32, "下の日から何日経った？", "", BlockText::DaysSince},
    {16, 40, "元号の頭文字(S)", "g"},
    {112, 40, "元号の先頭文字(平)", "gg"},
    {224, 40, "元号(平成)", "ggg"},
    {16, 56, "和暦の年(8)", "e"},
    {88, 56, "和暦の年(08)", "ee"},
    {168, 56, "年(96)", "yy"},
    {208, 56, "年(1996)", "yyyy"},
    {16, 72, "月(9)", "m"},
    {48, 72, "月(09)", "mm"},
    {88, 72, "日(3)", "d"},
    {120, 72, "日(03)", "dd"},
    {104, 88, "曜日(火)", "aaa"},
    {152, 88, "曜日(火曜日)", "aaaa"},
    {224, 88, "曜日(Tue)", "ddd"},
    {296, 88, "Windows起動後の時間", "I#{#}"},
    {296, 104, "トータル時間", "T#{#}"},
    {368, 104, "起動回数", "L#{#}"},
    {16, 112, "AM,PM", "AM/PM"},
    {56, 112, "am,pm", "am/pm"},
    {96, 112, "A,P", "A/P"},
    {120, 112, "a,p", "a/p"},
    {144, 112, "午前,午後", "ampm"},
    {56, 128, "時(9)", "h"},
    {88, 128, "時(09)", "hh"},
    {128, 128, "分(5)", "n"},
    {160, 128, "分(05)", "nn"},
    {200, 128, "秒(1)", "s"},
    {232, 128, "秒(01)", "ss"},
    {16, 148, "マクロ中に右の文字を追加", "", BlockText::QuotedLiteral},
    {16, 175, "最後にこれを押す[マクロ終了記号]", "#}"},
}};

} // namespace petarino
