// The largest store the program keeps: a full table of 101 memos with 2 KB of text each.
#pragma once

#include "testing/desk_world.h"

#include <string>

namespace petarino {

inline void FillWithLargestStore(DeskWorld& world) {
    std::string text;
    while (text.size() < 2048)
        text += "今日の買い物：牛乳、卵、パン。\r\n";
    text.resize(2048);
    for (int slot = 0; slot < MemoTable::kSlots; ++slot)
        world.Create("メモ" + std::to_string(slot), text);
}

} // namespace petarino
