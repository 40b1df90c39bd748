// A memo that stays on top, a global hotkey and an alarm on the running program, prepared
// in the store, driven as a user and the system drive them, and read back from the store.
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "registry_values.h"
#include "tray.h"
#include "window_search.h"

#include <commctrl.h>
#include <cstdio>

namespace petarino::e2e {
namespace {

using Desk = PetarinoTest;

bool Topmost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// "YYYY-MM-DDThh:mm" of the local time, days later.
std::wstring WallMinuteText(SYSTEMTIME time, int daysLater = 0) {
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER ticks{.LowPart = file.dwLowDateTime, .HighPart = file.dwHighDateTime};
    ticks.QuadPart += static_cast<ULONGLONG>(daysLater) * 24 * 3600 * 10'000'000ULL;
    file = {ticks.LowPart, ticks.HighPart};
    FileTimeToSystemTime(&file, &time);
    wchar_t text[32];
    std::swprintf(text, 32, L"%04u-%02u-%02uT%02u:%02u", time.wYear, time.wMonth, time.wDay,
                  time.wHour, time.wMinute);
    return text;
}

// A memo on top, two hidden ones whose alarms are set to this minute (they ring at the first
// tick), and a hotkey, all from the store.
TEST_F(Desk, TopmostMemosHotkeysAndAlarmsFromTheStoreToTheStore) {
    constexpr DWORD kCtrlAltF12 = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | VK_F12;
    SYSTEMTIME now;
    GetLocalTime(&now);
    remote::WriteStore({}, {{.top = 100, .left = 100, .title = L"手前"},
                            {.top = 80, .left = 400, .title = L"毎日", .visible = false},
                            {.top = 300, .left = 300, .title = L"一度", .visible = false}});
    remote::WriteNumber(remote::MemoKey(0), L"StayOnTop", 1);
    remote::WriteText(remote::MemoKey(1), L"AlarmAt", WallMinuteText(now));
    remote::WriteNumber(remote::MemoKey(1), L"AlarmRepeat", 1);
    remote::WriteText(remote::MemoKey(2), L"AlarmAt", WallMinuteText(now));
    remote::WriteNumber(remote::kProgramKey, L"HotKeyNewMemo", kCtrlAltF12);
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    EXPECT_FALSE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, VK_F12))
        << "another program can take the key";

    ASSERT_TRUE(remote::WaitFor([&] { return petarino.VisibleMemos().size() == 3; }))
        << "the alarms did not show their memos";
    const HWND foreground = GetForegroundWindow();
    EXPECT_EQ(remote::ProcessOf(foreground), petarino.Id());
    EXPECT_EQ(remote::ClassOf(foreground), L"TMemoForm");
    HWND topmost = nullptr;
    for (const HWND memo : petarino.VisibleMemos())
        if (Topmost(memo)) topmost = memo;
    ASSERT_NE(topmost, nullptr) << "the memo on top is not topmost";

    // Its menu from the keyboard, then "常に手前に表示(&T)" by its mnemonic.
    const HWND text = remote::TextAreaOf(topmost);
    PostMessageW(text, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(text), -1);
    ASSERT_TRUE(remote::ChooseMenuItem(petarino.Id(), L't', remote::kPatienceMs));
    ASSERT_TRUE(remote::WaitFor([&] { return !Topmost(topmost); })) << "still topmost";

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    EXPECT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, VK_F12))
        << "the key is still held after the exit";
    UnregisterHotKey(nullptr, 1);
    EXPECT_EQ(remote::ReadNumber(remote::MemoKey(0), L"StayOnTop"), 0u);
    EXPECT_EQ(remote::ReadText(remote::MemoKey(1), L"AlarmAt"), WallMinuteText(now, 1));
    EXPECT_EQ(remote::ReadText(remote::MemoKey(2), L"AlarmAt"), L"");
    EXPECT_EQ(remote::ReadNumber(remote::MemoKey(2), L"Visible"), 1u);
    EXPECT_EQ(remote::ReadNumber(remote::kProgramKey, L"HotKeyNewMemo"), kCtrlAltF12);
}

} // namespace
} // namespace petarino::e2e
