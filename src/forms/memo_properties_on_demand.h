// The memo properties dialog with its macro palette, made at their first opening: most runs
// never open them, and made at start they would lengthen it and stay resident for nothing.
#pragma once

#include "macro/tick_timer.h"
#include "memos/memo.h"
#include "memos/memo_table.h"
#include "platform/choosers.h"
#include "platform/files.h"
#include "platform/window_system.h"

#include <windows.h>
#include <memory>

namespace petarino::forms {

class MemoPropertiesOnDemand {
public:
    // What TMemoSet is made with, kept until then.
    MemoPropertiesOnDemand(HWND owner, platform::WindowSystem& windows,
                           platform::Choosers& choosers, platform::Files& files, TickTimer& timer1,
                           MemoTable& table);
    MemoPropertiesOnDemand(const MemoPropertiesOnDemand&) = delete;
    MemoPropertiesOnDemand& operator=(const MemoPropertiesOnDemand&) = delete;
    ~MemoPropertiesOnDemand();

    // TMemoSet::Execute, the windows made first if they are not yet.
    int Execute(Memo& memo);

private:
    struct Windows;

    HWND owner_;
    platform::WindowSystem& windows_;
    platform::Choosers& choosers_;
    platform::Files& files_;
    TickTimer& timer1_;
    MemoTable& table_;
    std::unique_ptr<Windows> made_;
};

} // namespace petarino::forms
