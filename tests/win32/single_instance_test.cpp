// The single-instance guard against a copy that runs: one whose properties window exists, or
// one that holds the instance mutex before its window is made. The user's answer decides,
// with Shift held as the box is answered or not.
#include "app/single_instance.h"
#include "forms/properties_window.h"
#include "platform/fake/fake_window_system.h"

#include <gtest/gtest.h>

namespace petarino::app {
namespace {

const platform::ShownMessageBox kRefusal{
    "ペタリノは、二重起動できません。\n強制的に起動するには、Shiftを押しながらOKを押してください。",
    "だめだこりゃ。", platform::MessageBoxStyle::IconError};

// A top-level window of the properties window's class, as a running copy has it. The class is
// registered as the properties window registers it, whichever test makes it first.
class RunningCopysWindow {
public:
    RunningCopysWindow() {
        forms::TDouguForm::RegisterWindowClass(nullptr);
        window_ = CreateWindowExW(0, forms::TDouguForm::kClassName, nullptr, WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~RunningCopysWindow() { DestroyWindow(window_); }

private:
    HWND window_;
};

TEST(SingleInstance, AloneItRunsWithoutAWord) {
    platform::FakeWindowSystem windows;
    const GuardResult guard = GuardSingleInstance(windows);
    EXPECT_TRUE(guard.run);
    EXPECT_TRUE(guard.mutex);
    EXPECT_TRUE(windows.Shown().empty());
}

TEST(SingleInstance, ARunningCopyIsFoundByItsWindowOrByItsMutex) {
    for (const bool byWindow : {true, false}) {
        SCOPED_TRACE(byWindow ? "window" : "mutex");
        std::optional<RunningCopysWindow> window;
        std::optional<GuardResult> first;
        platform::FakeWindowSystem firstWindows;
        // A copy that started a moment earlier holds the mutex before it has its window.
        if (byWindow)
            window.emplace();
        else
            first.emplace(GuardSingleInstance(firstWindows));

        for (const bool shift : {false, true}) {
            platform::FakeWindowSystem windows;
            windows.HoldShift(shift);
            const GuardResult guard = GuardSingleInstance(windows);
            EXPECT_EQ(guard.run, shift) << "only Shift at the answer forces a second copy";
            ASSERT_EQ(windows.Shown().size(), 1u);
            EXPECT_EQ(windows.Shown()[0], kRefusal);
        }
    }
}

} // namespace
} // namespace petarino::app
