// The search box of the page "メモの状態" on the running program: the words typed narrow the
// status list, Enter shows the memo found with the word selected in its text, and the third
// global hotkey brings the keyboard to the box from anywhere.
#include "deadline.h"
#include "memo_store.h"
#include "message_boxes.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "properties_window.h"
#include "registry_values.h"
#include "tray.h"
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

// The page "メモの状態" of the started program: its search box and its status list.
void OpenStatusPage(RunningPetarino& petarino, HWND& box, HWND& list) {
    ASSERT_TRUE(petarino.WaitForStart());
    ASSERT_TRUE(remote::OpenPage(petarino.Properties(), 0));
    box = remote::SearchBox(petarino.Properties());
    ASSERT_NE(box, nullptr);
    list = remote::ChildWindows(GetParent(box), WC_LISTBOXW).front();
}

TEST_F(Search, TheBoxNarrowsTheListAndEnterShowsTheMemoWithTheWordSelected) {
    constexpr DWORD kCtrlAltS = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8 | 'S';
    const std::wstring dinner = L"夕食:\r\nオムライス";
    remote::WriteStore(
        {}, {{.top = 100, .left = 100, .title = L"買い物", .text = L"牛乳\r\nたまご"},
             {.top = 100, .left = 400, .title = L"予定", .text = L"歯医者"},
             {.top = 300, .left = 100, .title = L"献立", .text = dinner, .visible = false}});
    remote::WriteNumber(remote::kProgramKey, L"HotKeySearch", kCtrlAltS);
    RunningPetarino& petarino = Launch();
    HWND box = nullptr;
    HWND list = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenStatusPage(petarino, box, list));

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

// The selected row stands for its memo: destroying another memo from its own menu moves the
// rows, and "表示/非表示" still hides the memo the user chose.
TEST_F(Search, AFilteredSelectionStaysOnItsMemoWhenAnotherIsDestroyed) {
    remote::WriteStore({}, {{.top = 100, .left = 100, .title = L"unlisted", .text = L"いち"},
                            {.top = 100, .left = 400, .title = L"b x", .text = L"に"},
                            {.top = 300, .left = 100, .title = L"c x", .text = L"さん"},
                            {.top = 300, .left = 400, .title = L"d x", .text = L"よん"}});
    RunningPetarino& petarino = Launch();
    HWND box = nullptr;
    HWND list = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenStatusPage(petarino, box, list));
    ASSERT_TRUE(remote::TypeOver(box, L"x"));
    ASSERT_TRUE(remote::WaitFor([&] {
        return remote::ListRows(list) == Rows{L"○ - b x", L"○ - c x", L"○ - d x"};
    })) << remote::ListRows(list).size();
    remote::Send(list, LB_SETCURSEL, 0);

    const HWND unlisted = remote::MemoShowing(petarino.Id(), L"いち");
    ASSERT_NE(unlisted, nullptr);
    const HWND text = remote::TextAreaOf(unlisted);
    PostMessageW(text, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(text), -1);
    ASSERT_TRUE(remote::ChooseLastOfSubmenu(petarino.Id(), L'e', remote::kPatienceMs));
    const auto question = petarino.WaitForMessageBox();
    ASSERT_TRUE(question);
    EXPECT_EQ(question->text, L"この「unlisted」を破棄しますか？");
    ASSERT_TRUE(remote::Answer(*question, IDYES));
    ASSERT_TRUE(remote::WaitFor([&] {
        return remote::ListRows(list) == Rows{L"○ - d x", L"○ - b x", L"○ - c x"};
    })) << "the last memo did not take the destroyed one's slot";
    EXPECT_EQ(remote::Send(list, LB_GETCURSEL), 1) << "the selection left its memo";

    PostMessageW(petarino.Control(L"Button", L"表示/非表示"), BM_CLICK, 0, 0);
    const HWND b = remote::MemoShowing(petarino.Id(), L"に");
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(remote::WaitFor([&] { return !IsWindowVisible(b); })) << "b x is still shown";
    EXPECT_TRUE(IsWindowVisible(remote::MemoShowing(petarino.Id(), L"よん"))) << "d x was hidden";
    EXPECT_EQ(remote::ListRows(list), (Rows{L"○ - d x", L"× - b x", L"○ - c x"}));

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
}

} // namespace
} // namespace petarino::e2e
