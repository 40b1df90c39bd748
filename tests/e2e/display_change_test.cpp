// A memo left off the screen when the monitors change: the system's broadcast brings it back
// inside the work area, and the store keeps where it came to.
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "window_search.h"

#include <utility>
#include <vector>

namespace petarino::e2e {
namespace {

using DisplayChange = PetarinoTest;

BOOL CALLBACK CollectOfProcess(HWND window, LPARAM found) {
    auto& windows = *reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(found);
    if (remote::ProcessOf(window) == windows.first) windows.second.push_back(window);
    return TRUE;
}

// As the system tells a new screen mode: to every top-level window, hidden ones too.
void BroadcastDisplayChange(DWORD processId) {
    std::pair<DWORD, std::vector<HWND>> windows{processId, {}};
    EnumWindows(CollectOfProcess, reinterpret_cast<LPARAM>(&windows));
    const LPARAM size = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    for (const HWND window : windows.second)
        remote::Send(window, WM_DISPLAYCHANGE, 32, size);
}

bool Inside(const RECT& window, const RECT& work) {
    return window.left >= work.left && window.top >= work.top && window.right <= work.right &&
           window.bottom <= work.bottom;
}

TEST_F(DisplayChange, AMemoOffTheScreenComesBackInsideTheWorkArea) {
    remote::WriteStore({}, {{.top = 100, .left = 100, .title = L"外へ"},
                            {.top = -500, .left = -900, .title = L"隠れた", .visible = false}});
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    ASSERT_TRUE(remote::WaitFor([&] { return petarino.VisibleMemos().size() == 1; }));
    const HWND memo = petarino.VisibleMemos().front();
    // Where a monitor that is gone left it.
    SetWindowPos(memo, nullptr, -400, -300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(remote::BoundsOf(memo).left, -400);

    BroadcastDisplayChange(petarino.Id());
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT inside = remote::BoundsOf(memo);
    EXPECT_TRUE(Inside(inside, work)) << inside.left << "," << inside.top;
    EXPECT_EQ(inside.right - inside.left, 265) << "the size changed";

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    const auto saved = remote::ReadMemo(0);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->left, inside.left);
    EXPECT_EQ(saved->top, inside.top);
    const auto hidden = remote::ReadMemo(1);
    ASSERT_TRUE(hidden);
    EXPECT_EQ(hidden->left, -900) << "a hidden memo moved";
    EXPECT_EQ(hidden->top, -500) << "a hidden memo moved";
}

} // namespace
} // namespace petarino::e2e
