// The alarm dialog in the test process, driven by its own messages from inside its modal
// loop: a memo's alarm set, changed and left alone.
#include "forms/alarm_dialog.h"
#include "platform/fake/fake_kernel.h"
#include "platform/fake/fake_window_system.h"
#include "platform/win32/cp932_win32.h"
#include "testing/fake_status_list.h"
#include "testing/in_memory_memo_factory.h"
#include "win32/test_app_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace petarino::forms {
namespace {

std::wstring TextOf(HWND window) {
    wchar_t text[256]{};
    GetWindowTextW(window, text, 256);
    return text;
}

class AlarmSetTest : public testing::Test {
protected:
    HWND Dialog() const { return alarmSet.Handle(); }
    HWND Control(const wchar_t* windowClass, const wchar_t* caption = nullptr) const {
        return FindWindowExW(Dialog(), nullptr, windowClass, caption);
    }
    HWND Picker() const { return Control(DATETIMEPICK_CLASSW); }
    HWND Repeat() const { return Control(WC_COMBOBOXW); }
    void Click(const wchar_t* caption) const {
        SendMessageW(Control(L"BUTTON", caption), BM_CLICK, 0, 0);
    }
    bool Checked(const wchar_t* caption) const {
        return SendMessageW(Control(L"BUTTON", caption), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    SYSTEMTIME PickedTime() const {
        SYSTEMTIME time{};
        SendMessageW(Picker(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
        return time;
    }

    // The steps inside the dialog's modal run, then the button.
    int Run(std::function<void()> steps, const wchar_t* closeWith) {
        app.Post([=, this] {
            steps();
            Click(closeWith);
        });
        return app.RunWatched(
            Dialog(), [this] { Click(L"ｷｬﾝｾﾙ"); }, [this] { return alarmSet.Execute(memo); });
    }

    AppWindow app;
    platform::FakeKernel kernel{platform::FakeLocale::Japanese};
    platform::FakeWindowSystem windows;
    InMemoryMemoFactory factory;
    FakeStatusList list;
    MemoTable table{factory, list, windows};
    TAlarmSet alarmSet{app.Handle(), windows, kernel, table};
    Memo& memo = *table.CreateMemo();
};

TEST_F(AlarmSetTest, OkSetsTheAlarmAsTheControlsHoldItAndCancelLeavesIt) {
    kernel.SetNow({2026, 12, 4, 24, 18, 29, 40, 0});
    const int set = Run(
        [&] {
            EXPECT_EQ(TextOf(Dialog()), L"アラーム");
            // No alarm yet: off, offering the next minute.
            EXPECT_FALSE(Checked(L"アラームを使う"));
            EXPECT_FALSE(IsWindowEnabled(Picker()));
            const SYSTEMTIME offered = PickedTime();
            EXPECT_EQ(std::vector<int>({offered.wYear, offered.wMonth, offered.wDay, offered.wHour,
                                        offered.wMinute}),
                      std::vector<int>({2026, 12, 24, 18, 30}));
            EXPECT_EQ(SendMessageW(Repeat(), CB_GETCOUNT, 0, 0), 5);
            EXPECT_EQ(TextOf(Repeat()), L"なし");

            Click(L"アラームを使う");
            EXPECT_TRUE(IsWindowEnabled(Picker()));
            const SYSTEMTIME chosen{
                .wYear = 2027, .wMonth = 1, .wDay = 31, .wHour = 7, .wMinute = 45};
            SendMessageW(Picker(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&chosen));
            SendMessageW(Repeat(), CB_SETCURSEL, 3, 0);
            Click(L"音を鳴らす");
        },
        L"OK");
    EXPECT_EQ(set, platform::DialogResult::Ok);
    EXPECT_FALSE(IsWindowVisible(Dialog()));
    const MemoAlarm monthly{WallMinute{{2027, 1, 31}, 7, 45}, AlarmRepeat::Monthly, true};
    EXPECT_EQ(memo.Alarm(), monthly);

    // Open again: the alarm in the controls; turned off, then cancelled.
    const int cancelled = Run(
        [&] {
            EXPECT_TRUE(Checked(L"アラームを使う"));
            EXPECT_TRUE(Checked(L"音を鳴らす"));
            EXPECT_EQ(PickedTime().wDay, 31);
            EXPECT_EQ(TextOf(Repeat()), L"毎月");
            Click(L"アラームを使う");
        },
        L"ｷｬﾝｾﾙ");
    EXPECT_EQ(cancelled, platform::DialogResult::Cancel);
    EXPECT_EQ(memo.Alarm(), monthly);

    // Turned off with OK: no time, the rest kept for the next one.
    Run([&] { Click(L"アラームを使う"); }, L"OK");
    EXPECT_EQ(memo.Alarm(), (MemoAlarm{std::nullopt, AlarmRepeat::Monthly, true}));
}

// A one-time alarm whose time has passed is refused with a message; the dialog stays open for
// the time to be mended.
TEST_F(AlarmSetTest, APassedOneTimeAlarmIsRefusedAndTheDialogStays) {
    kernel.SetNow({2026, 12, 2, 8, 10, 0, 0, 0});
    const auto pick = [&](WORD hour) {
        const SYSTEMTIME time{.wYear = 2026, .wMonth = 12, .wDay = 8, .wHour = hour};
        SendMessageW(Picker(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    };
    const int result = Run(
        [&] {
            Click(L"アラームを使う");
            pick(9);
            Click(L"OK");
            ASSERT_EQ(windows.Shown().size(), 1u);
            EXPECT_EQ(windows.Shown()[0].text, "過ぎた日時です。");
            EXPECT_TRUE(IsWindowVisible(Dialog()));
            EXPECT_FALSE(memo.Alarm().at);
            pick(11);
        },
        L"OK");
    EXPECT_EQ(result, platform::DialogResult::Ok);
    EXPECT_EQ(memo.Alarm().at, (WallMinute{{2026, 12, 8}, 11, 0}));
}

} // namespace
} // namespace petarino::forms
