// A memo that stays on top, a global hotkey and an alarm on the running program, prepared
// in the store, driven as a user and the system drive them, and read back from the store;
// alarms and autosave going on while a macro's error has stopped the clocks.
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "registry_values.h"
#include "tray.h"
#include "window_search.h"

#include <commctrl.h>
#include <cstdio>
#include <filesystem>

namespace petarino::e2e {
namespace {

using Desk = PetarinoTest;

bool Topmost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

SYSTEMTIME SecondsLater(SYSTEMTIME time, ULONGLONG seconds) {
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER ticks{.LowPart = file.dwLowDateTime, .HighPart = file.dwHighDateTime};
    ticks.QuadPart += seconds * 10'000'000ULL;
    file = {ticks.LowPart, ticks.HighPart};
    FileTimeToSystemTime(&file, &time);
    return time;
}

// "YYYY-MM-DDThh:mm" of the local time, days later.
std::wstring WallMinuteText(SYSTEMTIME time, int daysLater = 0) {
    time = SecondsLater(time, static_cast<ULONGLONG>(daysLater) * 24 * 3600);
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

// A macro whose date no longer parses stops the clocks, and its error is not shown again; an
// alarm that comes due afterwards still rings, and the autosave and the day's backup still
// come. The test waits for the next minute and the first autosave, a minute or so.
TEST_F(Desk, AStoppedMacroClockLeavesAlarmsAndAutosaveRunning) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    // Time enough between the start and the alarm for the clock to stop first.
    if (now.wSecond >= 45) {
        Sleep((61 - now.wSecond) * 1000u);
        GetLocalTime(&now);
    }
    const SYSTEMTIME nextMinute = SecondsLater(now, 60);
    std::filesystem::remove_all(BackupsFolder());
    remote::WriteStore({.saving = true, .saveTiming = 1},
                       {{.top = 100, .left = 100, .title = L"壊れた日付", .text = L"A#{abc#}"},
                        {.top = 300, .left = 300, .title = L"次の分", .visible = false}});
    remote::WriteText(remote::MemoKey(1), L"AlarmAt", WallMinuteText(nextMinute));
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());

    // Once as the store loads the memo, once at the first tick; then the clocks stand.
    for (int shown = 0; shown < 2; ++shown) {
        const auto box = petarino.WaitForMessageBox();
        ASSERT_TRUE(box) << shown;
        EXPECT_NE(box->text.find(L"壊れた日付のマクロ(abc)が間違っています。"), std::wstring::npos)
            << Cp932(box->text);
        ASSERT_TRUE(remote::Answer(*box, IDOK));
    }
    ASSERT_EQ(petarino.VisibleMemos().size(), 1u) << "the alarm rang before the clock stopped";
    EXPECT_FALSE(remote::WaitFor([&] { return remote::ShowsMessageBox(petarino.Id()); }, 3000))
        << "the error is shown again";

    EXPECT_TRUE(remote::WaitFor([&] { return petarino.VisibleMemos().size() == 2; }, 75'000))
        << "the alarm did not ring";
    // The first autosave comes at the 61st tick, whenever the alarm rang.
    EXPECT_TRUE(remote::WaitFor(
        [&] { return remote::ReadNumber(remote::kProgramKey, L"Total").value_or(0) >= 60; },
        90'000))
        << "no autosave after the first minute";
    EXPECT_TRUE(remote::WaitFor([&] {
        return std::filesystem::exists(BackupsFolder()) &&
               !std::filesystem::is_empty(BackupsFolder());
    })) << "the day's first autosave wrote no backup";

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    std::filesystem::remove_all(BackupsFolder());
}

} // namespace
} // namespace petarino::e2e
