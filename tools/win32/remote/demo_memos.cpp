#include "demo_memos.h"

namespace petarino::remote {
namespace {

constexpr DWORD kBlack = 0x000000;
constexpr DWORD kWhite = 0xFFFFFF;

// Three columns and two rows on a 1024 × 640 screen, the taskbar left free.
StoredMemo Placed(int column, int row, StoredMemo memo) {
    memo.top = 24 + row * 296;
    memo.left = 24 + column * 336;
    memo.width = 304;
    memo.height = 264;
    return memo;
}

} // namespace

std::vector<StoredMemo> DemoMemos() {
    return {
        Placed(0, 0,
               {.title = L"ペタリノへようこそ",
                .titleBar = 0,
                .titleText = kBlack,
                .titleBackground = 0x40C0F0,
                .text = L"デスクトップに貼る付箋メモです。\r\n"
                        L"メモは終了するときに保存され、次に起動すると同じ場所に戻ります。\r\n\r\n"
                        L"通知領域のアイコン\r\n"
                        L"  左クリック: プロパティ (メモの一覧と設定)\r\n"
                        L"  右クリック: 新規メモ、バージョン情報、終了",
                .color = 0xA0FFFF,
                .fontSize = 11}),
        Placed(1, 0,
               {.title = L"買い物リスト",
                .titleBar = 1,
                .titleText = kWhite,
                .titleBackground = 0xA070E0,
                .text = L"☑ 牛乳\r\n☐ 食パン\r\n☑ 卵 1パック\r\n☐ コーヒー豆 200g\r\n☐ 電池 (単3)",
                .color = 0xE0D8FF,
                .fontSize = 11}),
        Placed(2, 0,
               {.title = L"今日",
                .titleBar = 2,
                .titleText = kWhite,
                .titleBackground = 0xC08040,
                .text = L"N#{ggge'年'm'月'd'日'(aaa)#}\r\nN#{hh:nn:ss#}\r\n\r\n"
                        L"起動 L#{#} 回目\r\n合計 T#{#}",
                .color = 0xFFE8C8,
                .fontStyle = 1,
                .fontSize = 16}),
        Placed(0, 1,
               {.title = L"メモの動かし方",
                .titleBar = 3,
                .titleText = kWhite,
                .titleBackground = 0x409040,
                .text = L"タイトルの帯をドラッグ: 移動\r\n"
                        L"Ctrl を押しながら本文をドラッグ: 移動\r\n"
                        L"タイトルの帯をダブルクリック: 隠す\r\n"
                        L"本文をダブルクリック: 新しいメモ\r\n"
                        L"本文を右クリック: メモのメニュー",
                .color = 0xC8F0C8,
                .fontSize = 11}),
        Placed(1, 1,
               {.title = L"マクロで日付を表示",
                .titleBar = 4,
                .titleText = kWhite,
                .titleBackground = 0xC06080,
                .text = L"メモのメニューの「ﾌﾟﾛﾊﾟﾃｨ」で「マクロツール」を開くと、"
                        L"日付、時刻、和暦、あと何日、起動してからの時間などを"
                        L"毎秒書き換えて表示するメモが作れます。",
                .color = 0xFFD8E8,
                .fontSize = 11}),
        Placed(2, 1,
               {.title = L"タイトルなし",
                .titleBar = 5,
                .text = L"タイトルの帯がないメモです。\r\n"
                        L"Ctrl を押しながらドラッグすると動かせます。",
                .color = 0xF0F0F0,
                .fontColor = 0x404040,
                .fontSize = 11}),
    };
}

} // namespace petarino::remote
