#include "demo_memos.h"

namespace petarino::remote {
namespace {

constexpr DWORD kBlack = 0x000000;
constexpr DWORD kWhite = 0xFFFFFF;

// Three columns and two rows on a 1024 × 640 screen, the taskbar left free.
StoredMemo At(int column, int row) {
    return {.top = 24 + row * 296,
            .left = 24 + column * 336,
            .width = 304,
            .height = 264,
            .fontSize = 11};
}

} // namespace

std::vector<StoredMemo> DemoMemos() {
    StoredMemo welcome = At(0, 0);
    welcome.title = L"ペタリノへようこそ";
    welcome.titleBar = 0;
    welcome.titleText = kBlack;
    welcome.titleBackground = 0x40C0F0;
    welcome.color = 0xA0FFFF;
    welcome.text = L"デスクトップに貼る付箋メモです。\r\n"
                   L"メモは終了するときに保存され、次に起動すると同じ場所に戻ります。\r\n\r\n"
                   L"通知領域のアイコン\r\n"
                   L"  左クリック: プロパティ (メモの一覧と設定)\r\n"
                   L"  右クリック: 新規メモ、バージョン情報、終了";

    StoredMemo shopping = At(1, 0);
    shopping.title = L"買い物リスト";
    shopping.titleBar = 1;
    shopping.titleText = kWhite;
    shopping.titleBackground = 0xA070E0;
    shopping.color = 0xE0D8FF;
    shopping.text = L"・牛乳\r\n・食パン\r\n・卵 1パック\r\n・コーヒー豆 200g\r\n・電池 (単3)";

    StoredMemo clock = At(2, 0);
    clock.title = L"今日";
    clock.titleBar = 2;
    clock.titleText = kWhite;
    clock.titleBackground = 0xC08040;
    clock.color = 0xFFE8C8;
    clock.fontSize = 16;
    clock.fontStyle = 1;
    clock.text = L"N#{ggge'年'm'月'd'日'(aaa)#}\r\nN#{hh:nn:ss#}\r\n\r\n"
                 L"起動 L#{#} 回目\r\n合計 T#{#}";

    StoredMemo moving = At(0, 1);
    moving.title = L"メモの動かし方";
    moving.titleBar = 3;
    moving.titleText = kWhite;
    moving.titleBackground = 0x409040;
    moving.color = 0xC8F0C8;
    moving.text = L"タイトルの帯をドラッグ: 移動\r\n"
                  L"Ctrl を押しながら本文をドラッグ: 移動\r\n"
                  L"タイトルの帯をダブルクリック: 隠す\r\n"
                  L"本文をダブルクリック: 新しいメモ\r\n"
                  L"本文を右クリック: メモのメニュー";

    StoredMemo macros = At(1, 1);
    macros.title = L"マクロで日付を表示";
    macros.titleBar = 4;
    macros.titleText = kWhite;
    macros.titleBackground = 0xC06080;
    macros.color = 0xFFD8E8;
    macros.text = L"メモのメニューの「ﾌﾟﾛﾊﾟﾃｨ」で「マクロツール」を開くと、"
                  L"日付、時刻、和暦、あと何日、起動してからの時間などを"
                  L"毎秒書き換えて表示するメモが作れます。";

    StoredMemo plain = At(2, 1);
    plain.title = L"タイトルなし";
    plain.titleBar = 5;
    plain.color = 0xF0F0F0;
    plain.fontColor = 0x404040;
    plain.text = L"タイトルの帯がないメモです。\r\nCtrl を押しながらドラッグすると動かせます。";

    return {welcome, shopping, clock, moving, macros, plain};
}

} // namespace petarino::remote
