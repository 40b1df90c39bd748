// The settings page: the running time in Label3 from the first tick, and the autosave period
// that the up-down holds between 1 and 60 and that counts from the next tick when typed.
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "properties_window.h"
#include "window_search.h"

#include <commctrl.h>

namespace petarino::e2e {
namespace {

using Settings = PetarinoTest;

// A click on the up-down's upper (up) or lower (down) arrow; the edit shows the position.
void ClickArrow(HWND upDown, bool up) {
    const RECT bounds = remote::BoundsOf(upDown);
    const int x = (bounds.right - bounds.left) / 2;
    const int y = (bounds.bottom - bounds.top) * (up ? 1 : 3) / 4;
    PostMessageW(upDown, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(upDown, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

bool Shows(HWND edit, const wchar_t* text) {
    return remote::WaitFor([&] { return remote::TextOf(edit) == text; }, 3000);
}

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// The user's Run value "Petarino", as Windows reads it at sign-in; empty when there is none.
std::wstring RunValue() {
    wchar_t text[1024]{};
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, L"Petarino", RRF_RT_REG_SZ, nullptr, text,
                     &size) != ERROR_SUCCESS)
        return {};
    return text;
}

void SetValue(const wchar_t* key, DWORD type, const void* data, DWORD size) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Petarino", type, data, size);
}

// Task Manager's first byte of the value: 2 on, 3 off.
BYTE Approval() {
    BYTE data[12]{};
    DWORD size = sizeof data;
    RegGetValueW(HKEY_CURRENT_USER, kApprovedKey, L"Petarino", RRF_RT_REG_BINARY, nullptr, data,
                 &size);
    return data[0];
}

void RemoveStartValues() {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, L"Petarino");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kApprovedKey, L"Petarino");
}

bool Checked(HWND box) {
    return remote::WaitFor([&] { return remote::Send(box, BM_GETCHECK) == BST_CHECKED; }, 3000);
}
bool Unchecked(HWND box) {
    return remote::WaitFor([&] { return remote::Send(box, BM_GETCHECK) == BST_UNCHECKED; }, 3000);
}

TEST_F(Settings, Label3ShowsTheRunningTimeFromTheFirstTick) {
    remote::WriteStore({.total = 3661}, {});
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    ASSERT_TRUE(petarino.ShowProperties());
    EXPECT_TRUE(remote::WaitFor([&] {
        return remote::ShownRunningSeconds(petarino.Properties()) > 3661;
    })) << "Label3 shows no running time after the first tick";
    EXPECT_EQ(petarino.Control(L"Static", L"Label3"), nullptr);

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    EXPECT_GT(remote::ReadSettings()->total, 3661);
}

TEST_F(Settings, AutosavePeriodHeldBetweenOneAndSixtyAndTypedCountsFromTheNextTick) {
    remote::WriteStore({.exec = 3, .saving = true, .saveTiming = 60},
                       {{.top = 50, .left = 50, .title = L"保存", .text = L"自動保存"}});
    const ULONGLONG started = GetTickCount64();
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    ASSERT_TRUE(petarino.ShowProperties());

    const auto upDowns = remote::ChildWindows(petarino.Properties(), UPDOWN_CLASSW);
    ASSERT_EQ(upDowns.size(), 1u);
    HWND upDown = upDowns.front();
    HWND edit = reinterpret_cast<HWND>(remote::Send(upDown, UDM_GETBUDDY));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(remote::Send(upDown, UDM_GETRANGE), MAKELONG(60, 1));
    EXPECT_TRUE(Shows(edit, L"60"));
    ClickArrow(upDown, false);
    EXPECT_TRUE(Shows(edit, L"59"));
    ClickArrow(upDown, true);
    ClickArrow(upDown, true);
    EXPECT_TRUE(Shows(edit, L"60"));
    Sleep(300);
    EXPECT_EQ(remote::TextOf(edit), L"60") << "the period went past 60";

    remote::Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"2"));
    EXPECT_EQ(LOWORD(remote::Send(upDown, UDM_GETPOS)), 2);
    ClickArrow(upDown, false);
    ClickArrow(upDown, false);
    EXPECT_TRUE(Shows(edit, L"1"));
    Sleep(300);
    EXPECT_EQ(remote::TextOf(edit), L"1") << "the period went below 1";

    // Counted from the start: the save comes on the 61st tick, not after the stored hour.
    ASSERT_TRUE(remote::WaitFor([] { return StoredExec() == 4; }, 120000)) << "no autosave";
    EXPECT_GE(GetTickCount64() - started, 60000u) << "saved before a minute had passed";
    EXPECT_EQ(remote::ReadSettings()->saveTiming, 1);

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
}

// A value naming a program that is gone follows this one at the start; the box on "設定"
// writes and removes the value with the program's quoted path, and shows a value Task Manager
// turned off as unchecked, which a check turns on again.
TEST_F(Settings, StartWithWindowsFollowsAMovedProgramAndTheBoxWritesWhatWindowsWillDo) {
    RemoveStartValues();
    const std::wstring gone = L"\"C:\\gone\\petarino.exe\"";
    SetValue(kRunKey, REG_SZ, gone.c_str(), static_cast<DWORD>((gone.size() + 1) * 2));
    const std::wstring program = L"\"" + ProgramFolderText() + L"petarino.exe\"";
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    EXPECT_TRUE(remote::WaitFor([&] { return RunValue() == program; }, 3000))
        << "the stale value was not mended";

    ASSERT_TRUE(remote::OpenPage(petarino.Properties(), 1));
    const HWND box = petarino.Control(L"Button", L"Windows の起動時にペタリノを起動する");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(Checked(box));
    PostMessageW(box, BM_CLICK, 0, 0);
    EXPECT_TRUE(Unchecked(box));
    EXPECT_EQ(RunValue(), L"") << "unchecked removes the value";
    PostMessageW(box, BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(box));
    EXPECT_EQ(RunValue(), program);

    const BYTE off[12] = {3};
    SetValue(kApprovedKey, REG_BINARY, off, sizeof off);
    ASSERT_TRUE(remote::OpenPage(petarino.Properties(), 1)) << "showing the window reads it anew";
    EXPECT_TRUE(Unchecked(box)) << "Task Manager turned it off";
    PostMessageW(box, BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(box));
    EXPECT_EQ(Approval(), 2) << "the user asked for it: on in Task Manager too";

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    RemoveStartValues();
}

} // namespace
} // namespace petarino::e2e
