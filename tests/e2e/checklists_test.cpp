// A checklist memo and its addresses on the real program: the menu boxes lines and unboxes
// them, a click on a box ticks it, Enter continues the list, and the store holds it all. A
// Ctrl+click on a web or mail address asks the shell for exactly it; a file or a program in
// the text opens nothing.
#include "address_recorder.h"
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "tray.h"
#include "user_input.h"
#include "window_search.h"

#include <string>
#include <vector>

namespace petarino::e2e {
namespace {

using Checklists = PetarinoTest;
using Opened = std::vector<std::wstring>;

// Inside the character cell of the text's first unit of `part`, on the screen.
POINT CellOf(HWND edit, const std::wstring& part) {
    const size_t unit = remote::TextOf(edit).find(part);
    const LRESULT at = remote::Send(edit, EM_POSFROMCHAR, unit);
    POINT cell{static_cast<int16_t>(LOWORD(at)) + 3, static_cast<int16_t>(HIWORD(at)) + 4};
    ClientToScreen(edit, &cell);
    return cell;
}

void Type(HWND edit, std::wstring_view characters) {
    for (const wchar_t character : characters)
        PostMessageW(edit, WM_CHAR, character, 1);
}

bool Shows(HWND edit, const std::wstring& text) {
    return remote::WaitFor([&] { return remote::TextOf(edit) == text; }, 5000);
}

// The text area of the memo that shows the text, once the start has shown it.
HWND TextAreaShowing(const RunningPetarino& petarino, const std::wstring& text) {
    HWND memo = nullptr;
    remote::WaitFor([&] { return (memo = remote::MemoShowing(petarino.Id(), text)) != nullptr; });
    return memo ? remote::TextAreaOf(memo) : nullptr;
}

bool ChooseCheckbox(const RunningPetarino& petarino, HWND edit) {
    PostMessageW(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), -1);
    return remote::ChooseFromSubmenu(petarino.Id(), L'e', L'k', remote::kPatienceMs);
}

// The literals beyond code page 932 stay out of the test macros, which quote their arguments
// in the narrow execution character set.
TEST_F(Checklists, ListsAreBoxedTickedAndContinuedAndOnlyAddressesOpen) {
    const std::wstring plain = L"牛乳\r\nパン\r\n卵";
    const std::wstring boxed = L"☐ 牛乳\r\n☐ パン\r\n☐ 卵";
    const std::wstring ticked = L"☐ 牛乳\r\n☑ パン\r\n☐ 卵";
    const std::wstring continued = ticked + L"\r\n☐ バター";
    const std::wstring links = L"https://example.com/a?b=1&c=2。\r\nfile:///C:/windows/notepad.exe"
                               L"\r\nC:\\windows\\notepad.exe\r\n（mailto:shop@example.jp）";
    std::vector<remote::StoredMemo> memos = {
        {.top = 100, .left = 100, .title = L"買い物", .text = plain},
        {.top = 300, .left = 100, .width = 400, .title = L"リンク", .text = links},
    };
    remote::WriteStore({}, memos);
    const AddressRecorder recorder(ProgramFolder() / L"opened.txt");
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    const HWND list = TextAreaShowing(petarino, plain);
    ASSERT_NE(list, nullptr);

    remote::Send(list, EM_SETSEL, 0, -1);
    ASSERT_TRUE(ChooseCheckbox(petarino, list));
    EXPECT_TRUE(Shows(list, boxed)) << "not boxed";
    ASSERT_TRUE(ChooseCheckbox(petarino, list));
    EXPECT_TRUE(Shows(list, plain)) << "not unboxed";
    ASSERT_TRUE(ChooseCheckbox(petarino, list));
    ASSERT_TRUE(Shows(list, boxed));

    remote::ClickAt(CellOf(list, L"☐ パン"));
    EXPECT_TRUE(Shows(list, ticked)) << "not ticked";
    const auto length = static_cast<WPARAM>(ticked.size());
    remote::Send(list, EM_SETSEL, length, length);
    Type(list, L"\rバター");
    EXPECT_TRUE(Shows(list, continued)) << "the list does not go on";

    const HWND addresses = TextAreaShowing(petarino, links);
    ASSERT_NE(addresses, nullptr);
    remote::ClickAt(CellOf(addresses, L"example"), {VK_CONTROL});
    EXPECT_TRUE(remote::WaitFor([&] { return !recorder.Opened().empty(); }));
    remote::ClickAt(CellOf(addresses, L"notepad.exe\r\nC:"), {VK_CONTROL});
    remote::ClickAt(CellOf(addresses, L"windows\\notepad"), {VK_CONTROL});
    remote::ClickAt(CellOf(addresses, L"shop"), {VK_CONTROL});
    EXPECT_TRUE(remote::WaitFor([&] { return recorder.Opened().size() >= 2; }));
    EXPECT_EQ(recorder.Opened(),
              (Opened{L"https://example.com/a?b=1&c=2", L"mailto:shop@example.jp"}));
    EXPECT_TRUE(remote::TopLevelWindows(L"Notepad").empty()) << "a program was started";

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    memos[0].text = continued;
    EXPECT_EQ(remote::ReadMemo(0), memos[0]);
}

} // namespace
} // namespace petarino::e2e
