// See-through memos on the real program: chosen from the memo's own menu, kept in the store
// and loaded again, and a plain window once more at 100 %; a memo whose key never had an
// opacity loads as before.
#include "deadline.h"
#include "memo_store.h"
#include "petarino_test.h"
#include "petarino_windows.h"
#include "registry_values.h"
#include "tray.h"
#include "window_search.h"

#include <optional>

namespace petarino::e2e {
namespace {

using SeeThrough = PetarinoTest;

// The submenu "透明度(&O)" and the places of its items.
constexpr wchar_t kOpacityMenu = L'o';
constexpr int kOpaqueItem = 0;     // "100 %"
constexpr int kSeventyItem = 3;    // "70 %"
constexpr int kSeventyAlpha = 178; // 70 * 255 / 100

// The memo of the store's first slot and the other one, told apart by their places.
std::pair<HWND, HWND> FirstAndSecond(const RunningPetarino& petarino) {
    HWND first = nullptr, second = nullptr;
    for (const HWND memo : petarino.VisibleMemos())
        (remote::BoundsOf(memo).left == 100 ? first : second) = memo;
    return {first, second};
}

bool ChooseOpacity(const RunningPetarino& petarino, HWND memo, int place) {
    const HWND text = remote::TextAreaOf(memo);
    PostMessageW(text, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(text), -1);
    return remote::ChooseInSubmenu(petarino.Id(), kOpacityMenu, place, remote::kPatienceMs);
}

TEST_F(SeeThrough, ChosenFromTheMemosMenuStoredAndPlainAgainAtOpaque) {
    // Away from the memos, so the pointer makes neither of them whole.
    SetCursorPos(1200, 900);
    remote::WriteStore({}, {{.top = 100, .left = 100, .title = L"透ける", .text = L"後ろが見える"},
                            {.top = 300, .left = 500, .title = L"そのまま"}});
    {
        RunningPetarino& petarino = Launch();
        ASSERT_TRUE(petarino.WaitForStart());
        ASSERT_TRUE(remote::WaitFor([&] { return petarino.VisibleMemos().size() == 2; }));
        const auto [memo, other] = FirstAndSecond(petarino);
        ASSERT_TRUE(memo && other);
        EXPECT_EQ(remote::AlphaOf(memo), std::nullopt)
            << "a store without the value loads plain windows";
        EXPECT_EQ(remote::AlphaOf(other), std::nullopt);

        ASSERT_TRUE(ChooseOpacity(petarino, memo, kSeventyItem));
        EXPECT_TRUE(remote::WaitFor([&] { return remote::AlphaOf(memo) == kSeventyAlpha; }))
            << "alpha " << remote::AlphaOf(memo).value_or(255);
        EXPECT_EQ(remote::AlphaOf(other), std::nullopt);
        ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
        ASSERT_TRUE(petarino.WaitForExit());
    }
    EXPECT_EQ(remote::ReadNumber(remote::MemoKey(0), L"Opacity"), 70u);
    EXPECT_EQ(remote::ReadNumber(remote::MemoKey(1), L"Opacity"), std::nullopt);

    RunningPetarino& petarino = Launch();
    ASSERT_TRUE(petarino.WaitForStart());
    ASSERT_TRUE(remote::WaitFor([&] { return petarino.VisibleMemos().size() == 2; }));
    const auto [memo, other] = FirstAndSecond(petarino);
    ASSERT_TRUE(memo && other);
    EXPECT_EQ(remote::AlphaOf(memo), kSeventyAlpha) << "loaded see-through";
    ASSERT_TRUE(ChooseOpacity(petarino, memo, kOpaqueItem));
    EXPECT_TRUE(remote::WaitFor([&] { return remote::AlphaOf(memo) == std::nullopt; }))
        << "still layered at 100 %";
    ASSERT_TRUE(petarino.ChooseFromTrayMenu(L'x'));
    ASSERT_TRUE(petarino.WaitForExit());
    EXPECT_EQ(remote::ReadNumber(remote::MemoKey(0), L"Opacity"), std::nullopt);
    EXPECT_EQ(remote::ReadText(remote::MemoKey(0), L"Text"), L"後ろが見える");
}

} // namespace
} // namespace petarino::e2e
