// The search box of the page "メモの状態" on the running program: the words typed narrow the
// status list, Enter shows the memo found with the word selected in its text, and the third
// global hotkey brings the keyboard to the box from anywhere.
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "properties_window.h"
#include "registry_values.h"
#include "typing.h"
#include "user_input.h"
#include "window_search.h"

#include <commctrl.h>
#include <string>
#include <vector>

namespace petarino::e2e {
namespace {

using Search = PetarinoTest;

using Rows = std::vector<std::wstring>;

TEST_F(Search, TheBoxNarrowsTheListAndEnterShowsTheMemoWithTheWordSelected) {
    constexpr DWORD kCtrlAltS = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'S';
    const std::wstring dinner = L"夕食:\r\nオムライス";
    remote::WriteStore(
        {}, {{.top = 100, .left = 100, .title = L"買い物", .text = L"牛乳\r\nたまご"},
             {.top = 100, .left = 400, .title = L"予定", .text = L"歯医者"},
             {.top = 300, .left = 100, .title = L"献立", .text = dinner, .visible = false}});
    remote::WriteNumber(remote::kProgramKey, L"HotKeySearch", kCtrlAltS);
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    ASSERT_TRUE(remote::OpenPage(petarino.Properties(), 0));
    const HWND box = remote::SearchBox(petarino.Properties());
    ASSERT_NE(box, nullptr);
    const HWND list = remote::ChildWindows(GetParent(box), WC_LISTBOXW).front();

    // Katakana typed, hiragana found; then two words, one in the title, one in the text.
    ASSERT_TRUE(remote::TypeOver(box, L"タマ"));
    EXPECT_TRUE(remote::WaitFor([&] { return remote::ListRows(list) == Rows{L"○ - 買い物"}; }))
        << remote::ListRows(list).size();
    ASSERT_TRUE(remote::TypeOver(box, L"らいす　献立"));
    ASSERT_TRUE(remote::WaitFor([&] { return remote::ListRows(list) == Rows{L"× - 献立"}; }))
        << remote::ListRows(list).size();

    PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    const HWND memo = remote::MemoShowing(petarino.Id(), dinner);
    ASSERT_NE(memo, nullptr);
    ASSERT_TRUE(remote::WaitFor([&] { return IsWindowVisible(memo) != FALSE; }))
        << "the memo found is not shown";
    EXPECT_TRUE(remote::WaitFor([&] { return remote::ListRows(list) == Rows{L"○ - 献立"}; }));
    // "夕食:" and the line break are five of the control's characters, eleven bytes.
    const HWND text = remote::TextAreaOf(memo);
    EXPECT_TRUE(remote::WaitFor([&] { return remote::HasFocus(text); })) << "no keyboard";
    EXPECT_EQ(remote::Send(text, EM_GETSEL), MAKELRESULT(7, 7 + 3));
    // From any program, the hotkey opens the page with the keyboard in the box.
    PostMessageW(petarino.Control(L"Button", L"&OK"), BM_CLICK, 0, 0);
    ASSERT_TRUE(remote::WaitFor([&] { return !IsWindowVisible(petarino.Properties()); }));
    remote::Press({VK_CONTROL, VK_MENU, 'S'});
    EXPECT_TRUE(remote::WaitFor([&] { return IsWindowVisible(petarino.Properties()) != FALSE; }))
        << "the hotkey did not open the window";
    EXPECT_TRUE(remote::WaitFor([&] { return remote::HasFocus(box); })) << "not in the box";
    EXPECT_TRUE(IsWindowVisible(box));

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    EXPECT_EQ(remote::ReadNumber(remote::kProgramKey, L"HotKeySearch"), kCtrlAltS);
}

} // namespace
} // namespace petarino::e2e
