// The memo properties dialog of the running program, reached as a user reaches it: Ctrl+M in
// a memo's text opens it, and a macro typed there makes the memo a clock that the store keeps.
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "user_input.h"
#include "window_search.h"

#include <cwctype>

namespace petarino::e2e {
namespace {

using MemoProperties = PetarinoTest;

// "hh:nn:ss" as the clock writes it.
bool IsTimeOfDay(const std::wstring& text) {
    if (text.size() != 8 || text[2] != L':' || text[5] != L':') return false;
    for (size_t i : {0u, 1u, 3u, 4u, 6u, 7u})
        if (!std::iswdigit(text[i])) return false;
    return true;
}

HWND MultiLineEdit(HWND dialog) {
    for (HWND edit : remote::ChildWindows(dialog, L"Edit"))
        if (GetWindowLongPtrW(edit, GWL_STYLE) & ES_MULTILINE) return edit;
    return nullptr;
}

TEST_F(MemoProperties, CtrlMOpensTheDialogAndATypedMacroMakesTheMemoAClock) {
    remote::WriteStore({},
                       {{.top = 120, .left = 160, .title = L"時計", .text = L"まだ時計ではない"}});
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    ASSERT_TRUE(remote::WaitFor([&] { return petarino.VisibleMemos().size() == 1; }));
    HWND memo = petarino.VisibleMemos()[0];
    HWND text = remote::TextAreaOf(memo);
    ASSERT_NE(text, nullptr);

    // A memo restored at start leaves the focus where it was; the user brings it forward and
    // clicks into its text.
    SetForegroundWindow(memo);
    remote::ClickInto(text);
    remote::Press({VK_CONTROL, 'M'});
    const HWND dialog = remote::WaitForShownWindow(L"TMemoSet", petarino.Id(), remote::kPatienceMs);
    ASSERT_NE(dialog, nullptr) << "Ctrl+M opened no dialog";
    EXPECT_EQ(remote::TextOf(dialog), L"メモのプロパティ");

    HWND macro = MultiLineEdit(dialog);
    ASSERT_NE(macro, nullptr);
    EXPECT_EQ(remote::TextOf(macro), L"まだ時計ではない");
    remote::Send(macro, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"N#{hh:nn:ss#}"));
    HWND ok = remote::ChildWithText(dialog, L"Button", L"OK");
    ASSERT_NE(ok, nullptr);
    PostMessageW(ok, BM_CLICK, 0, 0);

    // The next tick, within a second, shows the time; the memo no longer takes typing.
    ASSERT_TRUE(remote::WaitFor([&] { return IsTimeOfDay(remote::TextOf(text)); }, 2000))
        << "shows \"" << Cp932(remote::TextOf(text)) << "\"";
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_TRUE(GetWindowLongPtrW(text, GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(TextChanges(text));

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    const auto stored = remote::ReadMemo(0);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->text, L"N#{hh:nn:ss#}");
    EXPECT_EQ(stored->title, L"時計");
}

} // namespace
} // namespace petarino::e2e
