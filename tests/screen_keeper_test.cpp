#include "memos/screen_keeper.h"
#include "platform/fake/fake_window_system.h"
#include "testing/fake_status_list.h"
#include "testing/in_memory_memo_factory.h"

#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace petarino {

void PrintTo(const Bounds& bounds, std::ostream* out) {
    *out << "{" << bounds.left << ", " << bounds.top << ", " << bounds.width << ", "
         << bounds.height << "}";
}

namespace {

// The primary monitor with its taskbar, and a second one to its right.
constexpr WorkArea kPrimary{0, 0, 1280, 984};
constexpr WorkArea kRight{1280, 0, 2560, 1024};
// A memo on the right monitor, and where it is put on the primary one when that one goes.
constexpr Bounds kOnRight{2000, 300, 265, 113};
constexpr Bounds kPut{1015, 300, 265, 113};

Bounds BoundsOf(const Memo& memo) {
    return {memo.Left(), memo.Top(), memo.Width(), memo.Height()};
}

class ScreenKeeperTest : public ::testing::Test {
protected:
    ScreenKeeperTest() { windows.SetMonitorWorkAreas({kPrimary, kRight}); }

    Memo& Create(const Bounds& at) {
        Memo* memo = table.CreateMemo();
        if (!memo) throw std::logic_error("creation refused");
        memo->SetBounds(at.left, at.top, at.width, at.height);
        return *memo;
    }

    void Plug(std::vector<WorkArea> workAreas) {
        windows.SetMonitorWorkAreas(std::move(workAreas));
        keeper.DisplayChanged();
    }

    InMemoryMemoFactory factory;
    FakeStatusList list;
    platform::FakeWindowSystem windows;
    int ids = 0;
    MemoTable table{factory, list, windows, [this] { return "id" + std::to_string(++ids); }};
    ScreenKeeper keeper{table, windows};
};

TEST_F(ScreenKeeperTest, AMemoLeavesAMonitorUnpluggedAndReturnsWithIt) {
    Memo& memo = Create(kOnRight);

    Plug({kPrimary});
    EXPECT_EQ(BoundsOf(memo), kPut) << "not inside the primary monitor";

    Plug({kPrimary, kRight});
    EXPECT_EQ(BoundsOf(memo), kOnRight) << "not back where it was";
    // Moved on the right monitor since, it returns to its new place the next time.
    memo.SetBounds(2200, 300, 265, 113);
    Plug({kPrimary});
    Plug({kPrimary, kRight});
    EXPECT_EQ(BoundsOf(memo), (Bounds{2200, 300, 265, 113}));
}

// Each memo starts on both monitors; the right one goes, something happens, and it comes back.
TEST_F(ScreenKeeperTest, WhatMovesAndWhatIsRemembered) {
    using Meanwhile = std::function<Memo&(Memo&)>;
    const Meanwhile nothing = [](Memo& memo) -> Memo& { return memo; };
    const struct {
        const char* what;
        Bounds at;
        bool visible;
        Meanwhile meanwhile;
        Bounds unplugged; // of the memo as it was
        Bounds replugged; // of the memo meanwhile returned
    } rules[] = {
        {"partly outside: moved inside, and its place is on no monitor again",
         {-100, 950, 265, 113},
         true,
         nothing,
         {0, 871, 265, 113},
         {0, 871, 265, 113}},
        {"hidden: untouched", kOnRight, false, nothing, kOnRight, kOnRight},
        {"moved by the user since: stays",
         kOnRight,
         true,
         [](Memo& memo) -> Memo& {
             memo.SetLeft(400);
             return memo;
         },
         kPut,
         {400, 300, 265, 113}},
        {"hidden and shown again where it was put: returns", kOnRight, true,
         [this](Memo& memo) -> Memo& {
             memo.SetVisible(false);
             keeper.DisplayChanged();
             memo.SetVisible(true);
             return memo;
         },
         kPut, kOnRight},
        {"destroyed, a memo of its id made where it was put: stays", kOnRight, true,
         [this](Memo& memo) -> Memo& {
             // Made first, so it cannot take the destroyed memo's address.
             Memo& again = Create(kPut);
             again.SetSync(memo.Sync());
             table.DestForm(memo.Tag());
             return again;
         },
         kPut, kPut},
        {"the same record taken by another memo: stays", kOnRight, true,
         [](Memo& memo) -> Memo& {
             memo.SetSync({"another", "", ""});
             return memo;
         },
         kPut, kPut},
    };
    for (const auto& rule : rules) {
        SCOPED_TRACE(rule.what);
        while (table.MaxForm() >= 0)
            table.DestForm(0);
        Plug({kPrimary, kRight});
        Memo& memo = Create(rule.at);
        memo.SetVisible(rule.visible);

        Plug({kPrimary});
        EXPECT_EQ(BoundsOf(memo), rule.unplugged);
        Memo& watched = rule.meanwhile(memo);
        Plug({kPrimary, kRight});
        EXPECT_EQ(BoundsOf(watched), rule.replugged);
    }
}

// Also what a second report of the same screen does: nothing.
TEST_F(ScreenKeeperTest, TheMonitorOverlappedMostOrElseTheNearestTakesTheMemo) {
    constexpr WorkArea kLeft{-1280, 0, 0, 1024};
    const struct {
        const char* what;
        std::vector<WorkArea> monitors;
        Bounds at;
        Bounds moved;
    } cases[] = {
        {"mostly on the right monitor",
         {kPrimary, kRight},
         {1200, 500, 265, 113},
         {1280, 500, 265, 113}},
        {"mostly on the primary monitor",
         {kRight, kPrimary},
         {1100, 500, 265, 113},
         {1015, 500, 265, 113}},
        {"in the gap, nearer the left monitor",
         {kLeft, kRight},
         {100, 100, 265, 113},
         {-265, 100, 265, 113}},
        {"in the gap, nearer the right monitor",
         {kLeft, kRight},
         {1000, 100, 265, 113},
         {1280, 100, 265, 113}},
        {"below them all, under the primary monitor",
         {kLeft, kPrimary, kRight},
         {500, 3000, 265, 113},
         {500, 871, 265, 113}},
        {"wider than the screen: on its left edge",
         {kPrimary},
         {-50, 100, 1400, 113},
         {0, 100, 1400, 113}},
        {"wider than the screen, its right edge on the screen's, as the clamp puts it: left there",
         {kPrimary},
         {-120, 100, 1400, 113},
         {-120, 100, 1400, 113}},
        {"no monitor known: untouched", {}, kOnRight, kOnRight},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        Memo& memo = Create(test.at);
        Plug(test.monitors);
        EXPECT_EQ(BoundsOf(memo), test.moved);
        keeper.DisplayChanged();
        EXPECT_EQ(BoundsOf(memo), test.moved) << "moved again by a second report";
        table.DestForm(memo.Tag());
    }
}

} // namespace
} // namespace petarino
