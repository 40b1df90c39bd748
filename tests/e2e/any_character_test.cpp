// A memo holds any character, not only those of code page 932: shown whole, typed, found by the
// search, stored whole at exit and shown whole after a restart, and exported as UTF-8.
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "properties_window.h"
#include "typing.h"
#include "window_search.h"

#include <commctrl.h>
#include <string>
#include <vector>

namespace petarino::e2e {
namespace {

namespace fs = std::filesystem;
using remote::StoredMemo;
using Rows = std::vector<std::wstring>;

using AnyCharacter = PetarinoTest;

// The literals beyond code page 932 stay out of the test macros, which quote their arguments
// in the narrow execution character set.
TEST_F(AnyCharacter, AMemoBeyondCodePage932IsShownTypedFoundStoredAndExportedWhole) {
    const std::wstring world = L"café ✓ 😀 简体 한국어 Ünïcödé";
    const std::wstring title = L"Ünïcödé ✓";
    const std::wstring typing = L"abc é€x";
    const std::wstring words = L"CAFÉ 한국어";
    const Rows found{L"○ - " + title};
    std::vector<StoredMemo> memos = {
        {.top = 100, .left = 100, .title = title, .text = world},
        {.top = 100, .left = 450, .title = L"打つ", .text = L"abc"},
        {.top = 300, .left = 100, .title = L"予定", .text = L"歯医者"},
    };
    remote::WriteStore({.exportText = true}, memos);
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    const HWND shown = remote::MemoShowing(petarino.Id(), world);
    ASSERT_NE(shown, nullptr) << "the text is not shown whole";

    // Typed beyond the code page, into a memo that held none of it.
    const HWND typed = remote::TextAreaOf(remote::MemoShowing(petarino.Id(), L"abc"));
    ASSERT_TRUE(remote::TypeOver(typed, typing));

    // The search compares as a reader does, whatever the characters; the list shows the title.
    ASSERT_TRUE(remote::OpenPage(petarino.Properties(), 0));
    const HWND box = remote::SearchBox(petarino.Properties());
    ASSERT_NE(box, nullptr);
    const HWND list = remote::ChildWindows(GetParent(box), WC_LISTBOXW).front();
    ASSERT_TRUE(remote::TypeOver(box, words));
    EXPECT_TRUE(remote::WaitFor([&] { return remote::ListRows(list) == found; }))
        << remote::ListRows(list).size();
    PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    const HWND text = remote::TextAreaOf(shown);
    EXPECT_TRUE(remote::WaitFor([&] { return remote::HasFocus(text); })) << "no keyboard";
    EXPECT_EQ(remote::Send(text, EM_GETSEL), MAKELRESULT(0, 4)) << "in the control's units";

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    memos[1].text = typing;
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_EQ(remote::ReadMemo(slot), memos[static_cast<size_t>(slot)]) << "slot " << slot;
    // Code page 932 where it holds the memo, as ever; UTF-8 with a byte-order mark elsewhere.
    const std::string mark = "\xEF\xBB\xBF";
    EXPECT_EQ(ReadBytes(ProgramFolder() / (title + L".txt")), mark + Utf8(world));
    EXPECT_EQ(ReadBytes(ProgramFolder() / L"打つ.txt"), mark + Utf8(typing));
    EXPECT_EQ(ReadBytes(ProgramFolder() / L"予定.txt"), Cp932(L"歯医者"));

    RunningPetarino& again = Launch();
    ASSERT_TRUE(again.WaitForStart());
    EXPECT_NE(remote::MemoShowing(again.Id(), world), nullptr);
    EXPECT_NE(remote::MemoShowing(again.Id(), typing), nullptr);
    ASSERT_TRUE(again.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(again.WaitForExit());
}

} // namespace
} // namespace petarino::e2e
