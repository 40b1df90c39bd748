// A memo that stays on top, the global hotkeys and an alarm on the running program, prepared
// in the store, driven as a user and the system drive them, and read back from the store;
// alarms and autosave going on while a macro's error has stopped the clocks; the alarm dialog
// against the clock.
#include "date_picker.h"
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "registry_values.h"
#include "tray.h"
#include "user_input.h"
#include "window_search.h"

#include <algorithm>
#include <commctrl.h>
#include <cstdio>
#include <filesystem>

namespace petarino::e2e {
namespace {

using Desk = PetarinoTest;

bool Topmost(HWND window) {
    return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

SYSTEMTIME SecondsLater(SYSTEMTIME time, LONGLONG seconds) {
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER ticks{.LowPart = file.dwLowDateTime, .HighPart = file.dwHighDateTime};
    ticks.QuadPart += static_cast<ULONGLONG>(seconds * 10'000'000LL);
    file = {ticks.LowPart, ticks.HighPart};
    FileTimeToSystemTime(&file, &time);
    return time;
}

// "YYYY-MM-DDThh:mm" of the local time, days later.
std::wstring WallMinuteText(SYSTEMTIME time, int daysLater = 0) {
    time = SecondsLater(time, LONGLONG{daysLater} * 24 * 3600);
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
    // Ringing takes no keyboard from where the user is.
    EXPECT_NE(remote::ClassOf(GetForegroundWindow()), L"TMemoForm");
    // The memo on top by its place: under Wine a raised memo may stay marked topmost while it is
    // the only visible window at the top.
    HWND topmost = nullptr;
    for (const HWND memo : petarino.VisibleMemos())
        if (remote::BoundsOf(memo).left == 100) topmost = memo;
    ASSERT_NE(topmost, nullptr);
    ASSERT_TRUE(Topmost(topmost)) << "the memo on top is not topmost";

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

// The local time with at least 15 s left of its minute, waiting for the next one if need be:
// time for a start before an alarm set to the next minute comes due.
SYSTEMTIME EarlyInAMinute() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    if (now.wSecond >= 45) {
        Sleep((61 - now.wSecond) * 1000u);
        GetLocalTime(&now);
    }
    return now;
}

// The memo's alarm dialog from its menu, by the item's mnemonic.
HWND OpenAlarmDialog(const RunningPetarino& petarino, HWND memo) {
    const HWND text = remote::TextAreaOf(memo);
    PostMessageW(text, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(text), -1);
    if (!remote::ChooseMenuItem(petarino.Id(), L'a', remote::kPatienceMs)) return nullptr;
    return remote::WaitForShownWindow(L"TAlarmSet", petarino.Id(), remote::kPatienceMs);
}

bool SameMinute(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute;
}

// OK as a user presses it; true when the dialog closed without a word.
bool ConfirmQuietly(const RunningPetarino& petarino, HWND dialog) {
    PostMessageW(remote::ChildWithText(dialog, L"Button", L"OK"), BM_CLICK, 0, 0);
    return remote::WaitFor([&] { return !IsWindowVisible(dialog); }) &&
           !remote::ShowsMessageBox(petarino.Id());
}

// An alarm that rang while its dialog stood open is not taken again by OK; a daily alarm set
// in the past goes to its next time instead of ringing late; a one-time alarm in the past is
// refused and the dialog stays. The test waits for the next minute.
TEST_F(Desk, TheAlarmDialogTakesNoAlarmThatWouldRingLateOrTwice) {
    SYSTEMTIME now = EarlyInAMinute();
    const SYSTEMTIME nextMinute = SecondsLater(now, 60);
    remote::WriteStore({}, {{.top = 100, .left = 100, .title = L"朝"}});
    remote::WriteText(remote::MemoKey(0), L"AlarmAt", WallMinuteText(nextMinute));
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    ASSERT_TRUE(remote::WaitFor([&] { return petarino.VisibleMemos().size() == 1; }));
    const HWND memo = petarino.VisibleMemos().front();

    HWND dialog = OpenAlarmDialog(petarino, memo);
    ASSERT_NE(dialog, nullptr);
    const auto picker = [&] { return remote::ChildWindows(dialog, DATETIMEPICK_CLASSW).front(); };
    ASSERT_TRUE(SameMinute(remote::PickerTime(picker()).value_or(SYSTEMTIME{}), nextMinute));
    // Rung while the dialog stands open, the one-time alarm is spent: OK leaves it so.
    remote::WaitFor(
        [&] {
            SYSTEMTIME clock;
            GetLocalTime(&clock);
            return clock.wMinute != now.wMinute && clock.wSecond >= 3;
        },
        90'000);
    EXPECT_TRUE(ConfirmQuietly(petarino, dialog)) << "OK refused or rang the spent alarm again";

    dialog = OpenAlarmDialog(petarino, memo);
    ASSERT_NE(dialog, nullptr);
    const HWND use = remote::ChildWithText(dialog, L"Button", L"アラームを使う");
    ASSERT_EQ(remote::Send(use, BM_GETCHECK), BST_UNCHECKED) << "the spent alarm came back";
    remote::Send(use, BM_CLICK);
    GetLocalTime(&now);
    const SYSTEMTIME twoHoursAgo = SecondsLater(now, -2 * 3600);
    ASSERT_TRUE(remote::SetPickerTime(picker(), twoHoursAgo));
    const HWND repeat = remote::ChildWindows(dialog, WC_COMBOBOXW).front();
    remote::Send(repeat, CB_SETCURSEL, 0);
    PostMessageW(remote::ChildWithText(dialog, L"Button", L"OK"), BM_CLICK, 0, 0);
    const auto box = petarino.WaitForMessageBox();
    ASSERT_TRUE(box) << "a one-time alarm in the past was taken";
    EXPECT_EQ(box->text, L"過ぎた日時です。");
    ASSERT_TRUE(remote::Answer(*box, IDOK));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the refusal closed the dialog";

    remote::Send(repeat, CB_SETCURSEL, 1);
    ASSERT_TRUE(ConfirmQuietly(petarino, dialog));
    dialog = OpenAlarmDialog(petarino, memo);
    ASSERT_NE(dialog, nullptr);
    const SYSTEMTIME tomorrow = SecondsLater(twoHoursAgo, 24 * 3600);
    EXPECT_TRUE(
        SameMinute(remote::PickerTime(remote::ChildWindows(dialog, DATETIMEPICK_CLASSW).front())
                       .value_or(SYSTEMTIME{}),
                   tomorrow))
        << "the daily alarm stayed in the past";
    PostMessageW(remote::ChildWithText(dialog, L"Button", L"ｷｬﾝｾﾙ"), BM_CLICK, 0, 0);
    ASSERT_TRUE(remote::WaitFor([&] { return !IsWindowVisible(dialog); }));

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    EXPECT_EQ(remote::ReadText(remote::MemoKey(0), L"AlarmAt"), WallMinuteText(twoHoursAgo, 1));
    EXPECT_EQ(remote::ReadNumber(remote::MemoKey(0), L"AlarmRepeat"), 1u);
}

// A macro whose date no longer parses stops the clocks, and its error is not shown again; an
// alarm that comes due afterwards still rings, and the autosave and the day's backup still
// come. The test waits for the next minute and the first autosave, a minute or so.
TEST_F(Desk, AStoppedMacroClockLeavesAlarmsAndAutosaveRunning) {
    // Time enough between the start and the alarm for the clock to stop first.
    const SYSTEMTIME now = EarlyInAMinute();
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

// The properties window from the notification icon on its page "拡張", chosen as the arrow
// keys in the page control choose it.
bool ShowExtendedPage(const RunningPetarino& petarino) {
    if (!petarino.ShowProperties()) return false;
    const std::vector<HWND> tabs = remote::ChildWindows(petarino.Properties(), WC_TABCONTROLW);
    if (tabs.empty()) return false;
    for (int step = 0; step < 3 && remote::Send(tabs.front(), TCM_GETCURSEL) < 2; ++step)
        remote::Send(tabs.front(), WM_KEYDOWN, VK_RIGHT);
    return remote::Send(tabs.front(), TCM_GETCURSEL) == 2;
}

// The hotkey boxes of the page "拡張", top first: "新規メモ", "メモを前面へ", "メモを検索".
std::vector<HWND> HotkeyBoxes(const RunningPetarino& petarino) {
    std::vector<HWND> boxes = remote::ChildWindows(petarino.Properties(), HOTKEY_CLASSW);
    std::ranges::sort(boxes, {}, [](HWND box) { return remote::BoundsOf(box).top; });
    return boxes;
}

bool ShowsInUse(HWND box) {
    const HWND mark = remote::ChildWithText(box, L"Static", L"（使用中）");
    return mark && IsWindowVisible(mark);
}

// A key this test holds for the whole system, let go at the latest when the test ends.
class HeldKey {
public:
    HeldKey(UINT modifiers, UINT key) : modifiers_(modifiers), key_(key) {}
    ~HeldKey() { Release(); }
    HeldKey(const HeldKey&) = delete;
    HeldKey& operator=(const HeldKey&) = delete;

    // False when another program holds it.
    bool Hold() { return held_ = RegisterHotKey(nullptr, kId, modifiers_, key_) != FALSE; }
    void Release() {
        if (held_) UnregisterHotKey(nullptr, kId);
        held_ = false;
    }

private:
    static constexpr int kId = 0x0BAD;
    UINT modifiers_;
    UINT key_;
    bool held_ = false;
};

// Whether the key is free for any program: taken for a moment and let go.
bool Free(UINT modifiers, UINT key) {
    return HeldKey(modifiers, key).Hold();
}

// The balloon the program shows with the text, nullptr while none shows.
HWND ShownBalloon(const RunningPetarino& petarino, std::wstring_view text) {
    for (const HWND balloon : remote::TopLevelWindows(TOOLTIPS_CLASSW, petarino.Id()))
        if (IsWindowVisible(balloon) && remote::TextOf(balloon) == text) return balloon;
    return nullptr;
}

// A key another of our rows holds is refused in the box that asks for it, in a balloon and
// not as a key some other program holds. A registered key's presses never reach a box, so the
// box is given the key as it reports a typed one.
TEST_F(Desk, AHotkeyAnotherRowHoldsIsRefusedInItsBox) {
    constexpr DWORD kCtrlAltN = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'N';
    constexpr DWORD kCtrlAltS = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'S';
    remote::WriteStore({}, {});
    remote::WriteNumber(remote::kProgramKey, L"HotKeyNewMemo", kCtrlAltN);
    remote::WriteNumber(remote::kProgramKey, L"HotKeySearch", kCtrlAltS);
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    ASSERT_TRUE(ShowExtendedPage(petarino));
    const std::vector<HWND> boxes = HotkeyBoxes(petarino);
    ASSERT_EQ(boxes.size(), 3u);
    SetForegroundWindow(petarino.Properties());
    remote::ClickInto(boxes[2]);
    ASSERT_TRUE(remote::WaitFor([&] { return remote::HasFocus(boxes[2]); }));

    remote::Send(boxes[2], HKM_SETHOTKEY, kCtrlAltN);
    remote::Send(GetParent(boxes[2]), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(boxes[2]), EN_CHANGE),
                 reinterpret_cast<LPARAM>(boxes[2]));
    EXPECT_TRUE(remote::WaitFor([&] {
        return ShownBalloon(petarino, L"このキーは「新規メモ」で使われています") != nullptr;
    })) << "no refusal";
    EXPECT_EQ(remote::Send(boxes[2], HKM_GETHOTKEY), 0) << "the box kept the key";
    EXPECT_FALSE(ShowsInUse(boxes[2])) << "blamed on another program";
    EXPECT_FALSE(remote::ShowsMessageBox(petarino.Id()));
    EXPECT_FALSE(Free(MOD_CONTROL | MOD_ALT, 'N')) << "the first row lost its key";
    EXPECT_TRUE(Free(MOD_CONTROL | MOD_ALT, 'S')) << "the search key was not let go";

    // Leaving the box takes the balloon away.
    remote::ClickInto(boxes[0]);
    EXPECT_TRUE(remote::WaitFor([&] {
        return ShownBalloon(petarino, L"このキーは「新規メモ」で使われています") == nullptr;
    }));

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    EXPECT_EQ(remote::ReadNumber(remote::kProgramKey, L"HotKeyNewMemo"), kCtrlAltN);
    EXPECT_EQ(remote::ReadNumber(remote::kProgramKey, L"HotKeySearch"), 0);
}

// A key alone would be taken from every program as the user types: the store's N loads as
// none, and an N typed into the box becomes Ctrl+Alt+N.
TEST_F(Desk, AKeyAloneNeverBecomesAGlobalHotkey) {
    constexpr DWORD kN = 'N';
    constexpr DWORD kCtrlAltN = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'N';
    remote::WriteStore({}, {});
    remote::WriteNumber(remote::kProgramKey, L"HotKeyNewMemo", kN);
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    EXPECT_TRUE(Free(0, 'N')) << "Petarino holds N alone";
    EXPECT_FALSE(remote::ShowsMessageBox(petarino.Id())) << "the store is not damaged";

    ASSERT_TRUE(ShowExtendedPage(petarino));
    const std::vector<HWND> boxes = HotkeyBoxes(petarino);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(remote::Send(boxes[0], HKM_GETHOTKEY), 0) << "the box shows a key";
    SetForegroundWindow(petarino.Properties());
    remote::ClickInto(boxes[0]);
    ASSERT_TRUE(remote::WaitFor([&] { return remote::HasFocus(boxes[0]); }))
        << "the box has no focus";
    remote::Press({'N'});
    EXPECT_TRUE(remote::WaitFor([&] { return remote::Send(boxes[0], HKM_GETHOTKEY) == kCtrlAltN; }))
        << "the box holds " << remote::Send(boxes[0], HKM_GETHOTKEY);
    EXPECT_TRUE(Free(0, 'N')) << "Petarino holds N alone";
    EXPECT_FALSE(Free(MOD_CONTROL | MOD_ALT, 'N')) << "Petarino does not hold Ctrl+Alt+N";

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    EXPECT_EQ(remote::ReadNumber(remote::kProgramKey, L"HotKeyNewMemo"), kCtrlAltN);
}

// A key another program holds at the start is named once and stays the user's choice, marked
// as in use; once the other program lets it go, the page shown again takes it.
TEST_F(Desk, AHotkeyAnotherProgramHoldsStaysChosenAndIsTakenOnceFree) {
    constexpr DWORD kCtrlAltF = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'F';
    static_assert(kCtrlAltF == 1606);
    HeldKey elsewhere(MOD_CONTROL | MOD_ALT, 'F');
    ASSERT_TRUE(elsewhere.Hold());
    remote::WriteStore({}, {});
    remote::WriteNumber(remote::kProgramKey, L"HotKeyFront", kCtrlAltF);
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    const auto message = petarino.WaitForMessageBox();
    ASSERT_TRUE(message) << "the taken key is not named";
    EXPECT_NE(message->text.find(L"Ctrl+Alt+F"), std::wstring::npos) << Cp932(message->text);
    ASSERT_TRUE(remote::Answer(*message, IDOK));

    ASSERT_TRUE(ShowExtendedPage(petarino));
    const std::vector<HWND> boxes = HotkeyBoxes(petarino);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(remote::Send(boxes[1], HKM_GETHOTKEY), kCtrlAltF) << "the choice is gone";
    EXPECT_TRUE(ShowsInUse(boxes[1]));
    EXPECT_FALSE(ShowsInUse(boxes[0]));
    EXPECT_FALSE(remote::ShowsMessageBox(petarino.Id())) << "named again at the retry";

    // Let go; the window shown again on that page takes the key.
    elsewhere.Release();
    PostMessageW(petarino.Control(L"Button", L"&OK"), BM_CLICK, 0, 0);
    ASSERT_TRUE(remote::WaitFor([&] { return !IsWindowVisible(petarino.Properties()); }));
    ASSERT_TRUE(petarino.ShowProperties());
    EXPECT_TRUE(remote::WaitFor([&] { return !ShowsInUse(boxes[1]); })) << "still in use";
    EXPECT_FALSE(Free(MOD_CONTROL | MOD_ALT, 'F')) << "Petarino does not hold Ctrl+Alt+F";
    EXPECT_FALSE(remote::ShowsMessageBox(petarino.Id()));

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    EXPECT_EQ(remote::ReadNumber(remote::kProgramKey, L"HotKeyFront"), kCtrlAltF);
}

} // namespace
} // namespace petarino::e2e
