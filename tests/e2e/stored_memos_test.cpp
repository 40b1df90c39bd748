// A store with three memos: restored where they were, listed in slot order, saved unchanged at
// exit and restored alike by the next start.
#include "deadline.h"
#include "memo_printer.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "window_search.h"

#include <algorithm>

namespace petarino::e2e {
namespace {

using remote::StoredMemo;

class StoredMemos : public PetarinoTest {
protected:
    void SetUp() override {
        PetarinoTest::SetUp();
        remote::WriteStore({.total = 3600, .exec = 7}, memos_);
    }

    // The visible memo windows are those stored as visible, at their stored bounds, with their
    // texts; the hidden one exists too.
    void ExpectRestored(const RunningPetarino& petarino) const {
        ASSERT_TRUE(remote::WaitFor([&] { return petarino.VisibleMemos().size() == 2; }))
            << petarino.VisibleMemos().size() << " visible memos";
        EXPECT_EQ(petarino.Memos().size(), 3u);
        for (size_t slot : {0u, 2u}) {
            const StoredMemo& memo = memos_[slot];
            HWND window = WindowAt(petarino, memo);
            ASSERT_NE(window, nullptr) << "no visible memo at the bounds of slot " << slot;
            EXPECT_EQ(remote::TextOf(window), L"MemoForm");
        }

        HWND clock = remote::TextAreaOf(WindowAt(petarino, memos_[0]));
        ASSERT_NE(clock, nullptr);
        SYSTEMTIME now;
        GetLocalTime(&now);
        EXPECT_EQ(remote::TextOf(clock), std::to_wstring(now.wYear));
        EXPECT_TRUE(GetWindowLongPtrW(clock, GWL_STYLE) & ES_READONLY);

        HWND coloured = remote::TextAreaOf(WindowAt(petarino, memos_[2]));
        ASSERT_NE(coloured, nullptr);
        EXPECT_EQ(remote::TextOf(coloured), memos_[2].text);
        EXPECT_FALSE(GetWindowLongPtrW(coloured, GWL_STYLE) & ES_READONLY);
        // The text area is painted in the memo's colour, below its one short line.
        const RECT area = remote::BoundsOf(coloured);
        HDC screen = GetDC(nullptr);
        COLORREF pixel = 0;
        EXPECT_TRUE(remote::WaitFor([&] {
            pixel = GetPixel(screen, area.right - 4, area.bottom - 4);
            return pixel == memos_[2].color;
        })) << std::hex
            << "text area painted 0x" << pixel;
        ReleaseDC(nullptr, screen);

        const std::vector<HWND> windows = petarino.Memos();
        const auto hidden = std::find_if(windows.begin(), windows.end(),
                                         [](HWND memo) { return !IsWindowVisible(memo); });
        ASSERT_NE(hidden, windows.end());
        EXPECT_EQ(remote::TextOf(remote::TextAreaOf(*hidden)), memos_[1].text);
    }

    void ExpectSaved(int exec) const {
        const auto settings = remote::ReadSettings();
        ASSERT_TRUE(settings);
        EXPECT_EQ(settings->exec, exec);
        EXPECT_GE(settings->total, 3600);
        EXPECT_EQ(remote::ReadMaxForm(), 2);
        for (int slot = 0; slot < 3; ++slot)
            EXPECT_EQ(remote::ReadMemo(slot), memos_[static_cast<size_t>(slot)]) << "slot " << slot;
    }

    static HWND WindowAt(const RunningPetarino& petarino, const StoredMemo& memo) {
        for (HWND window : petarino.VisibleMemos()) {
            const RECT bounds = remote::BoundsOf(window);
            if (bounds.left == memo.left && bounds.top == memo.top &&
                bounds.right - bounds.left == memo.width &&
                bounds.bottom - bounds.top == memo.height)
                return window;
        }
        return nullptr;
    }

    const std::vector<StoredMemo> memos_ = {
        {.top = 100,
         .left = 120,
         .width = 300,
         .height = 150,
         .title = L"年",
         .text = L"N#{yyyy#}"},
        {.top = 200,
         .left = 500,
         .title = L"隠し",
         .titleBar = 2,
         .text = L"見えないメモ\r\n二行目",
         .visible = false},
        {.top = 400,
         .left = 600,
         .width = 280,
         .height = 130,
         .title = L"色付き",
         .titleBar = 1,
         .titleText = 0xFFFFFF,
         .titleBackground = 0x804000,
         .text = L"色",
         .wordWrap = false,
         .fontName = L"ＭＳ ゴシック",
         .color = 0xC0FFFF,
         .fontStyle = 3,
         .fontColor = 0x0000C0,
         .fontSize = 14},
    };
};

TEST_F(StoredMemos, ComeBackWhereTheyWereListedInSlotOrderAndAreSavedUnchanged) {
    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    ExpectRestored(petarino);

    ASSERT_TRUE(petarino.ShowProperties());
    HWND list = remote::ChildWindows(petarino.Properties(), L"ListBox").front();
    EXPECT_EQ(remote::ListRows(list),
              (std::vector<std::wstring>{L"○ - 年", L"× - 隠し", L"○ - 色付き"}));

    // OK only hides the properties window.
    PostMessageW(petarino.Control(L"Button", L"&OK"), BM_CLICK, 0, 0);
    EXPECT_TRUE(remote::WaitFor([&] { return !IsWindowVisible(petarino.Properties()); }));
    EXPECT_TRUE(petarino.KeepsRunning());

    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    ExpectSaved(8);

    RunningPetarino& again = Launch();
    ASSERT_TRUE(again.WaitForStart());
    ExpectRestored(again);
    ASSERT_TRUE(again.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(again.WaitForExit());
    ExpectSaved(9);
}

} // namespace
} // namespace petarino::e2e
