// What the global hotkeys "新規メモ" and "メモを前面へ" do with the memo windows, from whatever
// program has the keyboard.
#pragma once

#include "memos/memo_table.h"

namespace petarino {
class Desk;
}

namespace petarino::forms {

// As the notification icon's item makes one, then typed in at once: the program that had
// the keyboard gives it up to the key's receiver.
void NewMemoFromAnywhere(Desk& desk);
// Every shown memo in front, each inside its monitor's work area.
void AllMemosToFront(const MemoTable& table);

} // namespace petarino::forms
