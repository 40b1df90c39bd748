#include "forms/main_pop.h"

#include "forms/properties_window_layout.h"
#include "petarino/version.h"
#include "platform/win32/unique_handle.h"

namespace petarino::forms {
namespace {

constexpr char kVersionText[] = "ペタリノ ver " PETARINO_VERSION "\n"
                                "付箋をデスクトップに貼っておくためのプログラムです。\n"
                                "ご意見・不具合の報告は、ペタリノ開発チームまでお寄せください。";

} // namespace

void PopUpMainPop(HWND window, POINT at) {
    const win32::UniqueHandle<HMENU, DestroyMenu> menu(CreatePopupMenu());
    AppendMenuW(menu.get(), MF_STRING, kKN1, L"新規メモ(&N)");
    AppendMenuW(menu.get(), MF_STRING, kKF1, L"メモを前面へ移動(&F)");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kProperties, L"ﾌﾟﾛﾊﾟﾃｨ(&R)...");
    AppendMenuW(menu.get(), MF_STRING, kAbout1, L"ﾊﾞｰｼﾞｮﾝ情報(&A)...");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kExit1, L"終了(&X)");
    TrackPopupMenuEx(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, window,
                     nullptr);
}

void ShowMainPop(HWND window) {
    POINT at{};
    GetCursorPos(&at);
    // Without the foreground the menu would stay open when the user clicks elsewhere, and
    // the posted message lets it close at once after a choice.
    SetForegroundWindow(window);
    PopUpMainPop(window, at);
    PostMessageW(window, WM_NULL, 0, 0);
}

void ShowVersion(platform::WindowSystem& windows) {
    windows.ShowMessageBox(kVersionText, "ﾊﾞｰｼﾞｮﾝ情報", platform::MessageBoxStyle::Ok);
}

} // namespace petarino::forms
