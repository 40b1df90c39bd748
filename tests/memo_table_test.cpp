#include "memos/memo_table.h"
#include "platform/fake/fake_window_system.h"
#include "testing/fake_status_list.h"
#include "testing/in_memory_memo_factory.h"

#include <gtest/gtest.h>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace petarino {
namespace {

namespace DialogResult = platform::DialogResult;
using platform::ShiftState;

class MemoTableTest : public ::testing::Test {
protected:
    Memo& Create(const std::string& title) {
        Memo* memo = table.CreateMemo();
        if (!memo) throw std::logic_error("creation refused");
        memo->SetHint(title);
        table.RefreshStatusList();
        return *memo;
    }

    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (int slot = 0; slot <= table.MaxForm(); ++slot)
            titles.push_back(table.Memos(slot).Hint());
        return titles;
    }

    // The table's invariants, and a list that shows it as it is.
    void ExpectConsistent() const {
        ASSERT_GE(table.MaxForm(), -1);
        ASSERT_LT(table.MaxForm(), MemoTable::kSlots);
        std::set<const Memo*> seen;
        std::vector<std::string> rows;
        for (int slot = 0; slot <= table.MaxForm(); ++slot) {
            const Memo& memo = table.Memos(slot);
            EXPECT_EQ(memo.Tag(), slot);
            EXPECT_TRUE(seen.insert(&memo).second) << "slot " << slot << " repeats a memo";
            EXPECT_TRUE(factory.IsLive(&memo)) << "slot " << slot << " holds a closed memo";
            rows.push_back((memo.Visible() ? "○ - " : "× - ") + memo.Hint());
        }
        EXPECT_EQ(factory.LiveMemos(), table.MaxForm() + 1) << "a destroyed memo was not closed";
        EXPECT_EQ(list.Rows(), rows);
        EXPECT_THROW(table.Memos(table.MaxForm() + 1), std::out_of_range);
        EXPECT_THROW(table.Memos(-1), std::out_of_range);
    }

    InMemoryMemoFactory factory;
    FakeStatusList list;
    platform::FakeWindowSystem windows;
    MemoTable table{factory, list, windows};
};

TEST_F(MemoTableTest, CreateMemoShowsANewMemoTitledOnTheRightInTheNextSlot) {
    Memo* first = table.CreateMemo();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(table.MaxForm(), 0);
    EXPECT_EQ(first->Tag(), 0);
    EXPECT_EQ(first->TitleBar(), 2);
    EXPECT_TRUE(first->Visible());
    EXPECT_EQ(list.Rows(), std::vector<std::string>{"○ - 無題"});

    Memo* second = table.CreateMemo();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Tag(), 1);
    EXPECT_EQ(&table.Memos(1), second);
    EXPECT_TRUE(windows.Shown().empty());
    ExpectConsistent();
}

TEST_F(MemoTableTest, DestroyingTheFirstOfThreeMovesTheLastIntoItsSlot) {
    Memo& first = Create("一");
    Memo& second = Create("二");
    Memo& third = Create("三");
    table.DestForm(0);

    EXPECT_FALSE(factory.IsLive(&first));
    EXPECT_EQ(table.MaxForm(), 1);
    EXPECT_EQ(&table.Memos(0), &third);
    EXPECT_EQ(third.Tag(), 0);
    EXPECT_EQ(&table.Memos(1), &second);
    EXPECT_EQ(second.Tag(), 1);
    EXPECT_EQ(list.Rows(), (std::vector<std::string>{"○ - 三", "○ - 二"}));
    ExpectConsistent();
}

TEST_F(MemoTableTest, DestroyingTheLastLeavesTheOthersInTheirSlots) {
    Memo& first = Create("一");
    Memo& second = Create("二");
    Create("三");
    table.DestForm(2);
    EXPECT_EQ(&table.Memos(0), &first);
    EXPECT_EQ(&table.Memos(1), &second);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"一", "二"}));
    ExpectConsistent();
}

TEST_F(MemoTableTest, DestroyingTheOnlyMemoEmptiesTheTable) {
    Create("一");
    table.DestForm(0);
    EXPECT_EQ(table.MaxForm(), -1);
    EXPECT_TRUE(list.Rows().empty());
    ExpectConsistent();
}

TEST_F(MemoTableTest, SlotsOutsideTheTableAreIgnored) {
    Create("一");
    for (const int slot : {-1, 1, 100, 101, 5000}) {
        table.DestForm(slot);
        table.ConfirmAndDestroy(slot);
    }
    EXPECT_EQ(table.MaxForm(), 0);
    EXPECT_TRUE(windows.Shown().empty());
    ExpectConsistent();
}

TEST_F(MemoTableTest, WithoutMemosTheListIsEmptyAndTheButtonsDoNothing) {
    table.RefreshStatusList();
    table.ToggleSelected();
    table.DestroySelected();
    EXPECT_EQ(table.MaxForm(), -1);
    EXPECT_TRUE(windows.Shown().empty());
    EXPECT_TRUE(list.Rows().empty());
}

TEST_F(MemoTableTest, WithoutASelectionTheButtonsDoNothing) {
    Memo& memo = Create("一");
    table.ToggleSelected();
    table.DestroySelected();
    EXPECT_TRUE(memo.Visible());
    EXPECT_EQ(table.MaxForm(), 0);
    EXPECT_TRUE(windows.Shown().empty());
}

TEST_F(MemoTableTest, HiddenMemosAreListedWithACrossAndKeepTheirSlots) {
    Create("一");
    Memo& second = Create("二");
    second.SetVisible(false);
    table.RefreshStatusList();
    EXPECT_EQ(list.Rows(), (std::vector<std::string>{"○ - 一", "× - 二"}));
    EXPECT_EQ(&table.Memos(1), &second);
}

TEST_F(MemoTableTest, EachRefreshListsTheTitlesOfThatMoment) {
    Memo& memo = Create("一");
    memo.SetHint("予定");
    EXPECT_EQ(list.Rows(), std::vector<std::string>{"○ - 一"});
    table.RefreshStatusList();
    EXPECT_EQ(list.Rows(), std::vector<std::string>{"○ - 予定"});
}

TEST_F(MemoTableTest, ARefreshKeepsASelectedRowThatStillExists) {
    Create("一");
    Create("二");
    list.SelectRow(1);
    Create("三");
    EXPECT_EQ(list.SelectedRow(), 1);
    table.DestForm(0);
    EXPECT_EQ(list.SelectedRow(), 1);
}

TEST_F(MemoTableTest, ARefreshDropsTheSelectionWithItsMemo) {
    Create("一");
    Create("二");
    Create("三");
    list.SelectRow(2);
    table.DestForm(0);
    EXPECT_EQ(list.SelectedRow(), 0) << "三 took slot 0 and its row";
    table.DestForm(0);
    EXPECT_EQ(list.SelectedRow(), -1);
}

// Rows of a filtered list are not slots: whatever changes the table, the selection stays on
// the memo the user chose, and the buttons act on that memo.
TEST_F(MemoTableTest, AFilteredSelectionFollowsItsMemoThroughEveryRefresh) {
    Memo& unlisted = Create("unlisted");
    Memo& b = Create("b x");
    Create("c x");
    Memo& d = Create("d x");
    table.SetStatusFilter(
        [](const Memo& memo) { return memo.Hint().find('x') != std::string::npos; });
    list.SelectRow(0);

    // Destroyed from its own menu: "d x" takes its slot, before "b x".
    windows.ScriptAnswer(DialogResult::Yes);
    table.ConfirmAndDestroy(unlisted.Tag());
    EXPECT_EQ(list.Rows(), (std::vector<std::string>{"○ - d x", "○ - b x", "○ - c x"}));
    EXPECT_EQ(list.SelectedRow(), 1);
    table.ToggleSelected();
    EXPECT_FALSE(b.Visible());
    EXPECT_TRUE(d.Visible());
    EXPECT_EQ(list.SelectedRow(), 1);

    // Edits move the rows: "d x" no longer matches, "a x" now does.
    Memo& a = Create("a");
    table.Memos(0).SetHint("d");
    a.SetHint("a x");
    table.RefreshStatusList();
    EXPECT_EQ(list.Rows(), (std::vector<std::string>{"× - b x", "○ - c x", "○ - a x"}));
    EXPECT_EQ(list.SelectedRow(), 0);

    // A memo edited out of the filter leaves nothing selected.
    b.SetHint("b");
    table.RefreshStatusList();
    EXPECT_EQ(list.SelectedRow(), -1);
    table.ToggleSelected();
    EXPECT_FALSE(b.Visible());
}

TEST_F(MemoTableTest, ToggleSelectedShowsAndHidesTheSelectedMemo) {
    Create("一");
    Memo& second = Create("二");
    list.SelectRow(1);

    table.ToggleSelected();
    EXPECT_FALSE(second.Visible());
    EXPECT_EQ(list.Rows(), (std::vector<std::string>{"○ - 一", "× - 二"}));
    EXPECT_EQ(list.SelectedRow(), 1);

    table.ToggleSelected();
    EXPECT_TRUE(second.Visible());
    EXPECT_EQ(list.Rows(), (std::vector<std::string>{"○ - 一", "○ - 二"}));
}

TEST_F(MemoTableTest, DestroySelectedAsksWithTheMemosTitle) {
    Create("一");
    Create("予定");
    list.SelectRow(1);
    windows.ScriptAnswer(DialogResult::No);

    table.DestroySelected();

    const platform::ShownMessageBox question{"この「予定」を破棄しますか？", "ペタリノの破棄", 36};
    EXPECT_EQ(windows.Shown(), std::vector<platform::ShownMessageBox>{question});
    EXPECT_EQ(Titles(), (std::vector<std::string>{"一", "予定"}));

    windows.ScriptAnswer(DialogResult::Yes);
    table.DestroySelected();
    EXPECT_EQ(Titles(), std::vector<std::string>{"一"});
    ExpectConsistent();
}

TEST_F(MemoTableTest, OnlyYesDestroys) {
    Create("一");
    for (const int answer : {DialogResult::No, DialogResult::Cancel, DialogResult::Ok, 0}) {
        windows.ScriptAnswer(answer);
        table.ConfirmAndDestroy(0);
    }
    EXPECT_EQ(table.MaxForm(), 0);
    EXPECT_EQ(windows.Shown().size(), 4u);
}

TEST_F(MemoTableTest, AConfirmedMemoThatMovedMeanwhileIsDestroyedInItsNewSlot) {
    Create("一");
    Create("二");
    Create("三");
    windows.ScriptAnswer(DialogResult::Yes, [&] { table.DestForm(0); }); // 三 moves to slot 0
    table.ConfirmAndDestroy(2);
    EXPECT_EQ(Titles(), std::vector<std::string>{"二"});
    ExpectConsistent();
}

TEST_F(MemoTableTest, AConfirmedMemoThatWasDestroyedMeanwhileTakesNoOtherWithIt) {
    Create("一");
    Create("二");
    windows.ScriptAnswer(DialogResult::Yes, [&] { table.DestForm(1); });
    table.ConfirmAndDestroy(1);
    EXPECT_EQ(Titles(), std::vector<std::string>{"一"});
    ExpectConsistent();
}

// A restore makes every memo anew, and one may take the place of the memo asked about: the
// question's Yes is for the memo of that id only.
TEST_F(MemoTableTest, AConfirmedMemoReplacedMeanwhileByAnotherTakesNoOtherWithIt) {
    Memo& asked = Create("一");
    asked.SetSync({"11111111-1111-4111-8111-111111111111", "", ""});
    windows.ScriptAnswer(DialogResult::Yes, [&] {
        asked.SetSync({"22222222-2222-4222-8222-222222222222", "", ""});
        asked.SetHint("二");
    });
    table.ConfirmAndDestroy(0);
    EXPECT_EQ(Titles(), std::vector<std::string>{"二"});
}

// A filtered list's rows stand for the memos they show, whichever slots those are, through
// every change of the table.
TEST_F(MemoTableTest, AFilteredListActsOnTheMemosItsRowsShow) {
    Create("一");
    Memo& second = Create("二 x");
    Create("三");
    Create("四 x");
    list.SelectRow(3);
    table.SetStatusFilter([](const Memo& memo) { return memo.Hint().ends_with(" x"); });
    EXPECT_EQ(list.Rows(), (std::vector<std::string>{"○ - 二 x", "○ - 四 x"}));
    EXPECT_EQ(list.SelectedRow(), 1) << "the selected memo stays selected";
    EXPECT_EQ(table.SlotOfRow(1), 3);
    EXPECT_EQ(table.SlotOfRow(2), -1);

    EXPECT_EQ(table.ShowRow(2), nullptr);

    // The first row's memo goes; the last memo takes its slot and its row.
    list.SelectRow(0);
    windows.ScriptAnswer(DialogResult::Yes);
    table.DestroySelected();
    EXPECT_FALSE(factory.IsLive(&second));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"一", "四 x", "三"}));
    EXPECT_EQ(list.Rows(), std::vector<std::string>{"○ - 四 x"});
    EXPECT_EQ(table.SlotOfRow(0), 1);

    Memo& made = Create("五 x");
    EXPECT_EQ(list.Rows(), (std::vector<std::string>{"○ - 四 x", "○ - 五 x"}));
    list.SelectRow(1);
    table.SetStatusFilter({});
    EXPECT_EQ(list.SelectedRow(), 3);
    EXPECT_EQ(&table.Memos(table.SlotOfRow(3)), &made);
    table.SetStatusFilter([](const Memo&) { return false; });
    EXPECT_EQ(list.SelectedRow(), -1);
    table.ToggleSelected();
    EXPECT_TRUE(made.Visible());
}

TEST_F(MemoTableTest, MouseReleaseOnTheListActsOnExactlyShiftOrExactlyCtrl) {
    struct Case {
        ShiftState shift;
        bool toggles;
        bool asks;
    };
    const Case cases[] = {
        {{ShiftState::Shift}, true, false},
        {{ShiftState::Ctrl}, false, true},
        {{}, false, false},
        {{ShiftState::Shift, ShiftState::Ctrl}, false, false},
        {{ShiftState::Shift, ShiftState::Left}, false, false},
        {{ShiftState::Ctrl, ShiftState::Left}, false, false},
        {{ShiftState::Ctrl, ShiftState::Alt}, false, false},
        {{ShiftState::Alt}, false, false},
        {{ShiftState::Shift, ShiftState::Double}, false, false},
    };
    Memo& memo = Create("一");
    for (const Case& c : cases) {
        list.SelectRow(0);
        const size_t shownBefore = windows.Shown().size();
        if (c.asks) windows.ScriptAnswer(DialogResult::No);
        table.StatusListMouseUp(c.shift);
        EXPECT_EQ(!memo.Visible(), c.toggles);
        EXPECT_EQ(windows.Shown().size() - shownBefore, c.asks ? 1u : 0u);
        memo.SetVisible(true);
    }
    EXPECT_EQ(table.MaxForm(), 0);
}

TEST_F(MemoTableTest, TheHundredAndSecondMemoIsRefused) {
    for (int i = 0; i < 101; ++i)
        ASSERT_NE(table.CreateMemo(), nullptr) << i;
    const std::vector<std::string> rows = list.Rows();
    list.SelectRow(7);

    EXPECT_EQ(table.CreateMemo(), nullptr);

    EXPECT_EQ(table.MaxForm(), 100);
    EXPECT_EQ(factory.MemosMade(), 101);
    EXPECT_EQ(list.Rows(), rows);
    EXPECT_EQ(list.SelectedRow(), 7);
    ASSERT_EQ(windows.Shown().size(), 1u);
    EXPECT_EQ(windows.Shown()[0].caption, "ペタリノ");
    EXPECT_EQ(windows.Shown()[0].style, 0x40u);
    EXPECT_NE(windows.Shown()[0].text.find("101"), std::string::npos);
    ExpectConsistent();

    table.DestForm(3);
    EXPECT_NE(table.CreateMemo(), nullptr);
    EXPECT_EQ(table.MaxForm(), 100);
    ExpectConsistent();
}

TEST_F(MemoTableTest, AMemoThatCannotBeMadeChangesNothing) {
    Create("一");
    factory.FailNextMemo();
    EXPECT_THROW(table.CreateMemo(), std::runtime_error);
    EXPECT_EQ(table.MaxForm(), 0);
    ExpectConsistent();
}

TEST_F(MemoTableTest, TheLoadAddsHiddenMemosWithTheirTagsAndNoList) {
    Memo* first = table.AddHidden();
    Memo* second = table.AddHidden();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(table.MaxForm(), 1);
    EXPECT_EQ(second->Tag(), 1);
    EXPECT_FALSE(second->Visible());
    EXPECT_EQ(second->TitleBar(), 0);
    EXPECT_TRUE(list.Rows().empty());
    table.RefreshStatusList();
    ExpectConsistent();
}

TEST_F(MemoTableTest, TheLoadStopsAtAFullTable) {
    for (int i = 0; i < 101; ++i)
        ASSERT_NE(table.AddHidden(), nullptr) << i;
    EXPECT_EQ(table.AddHidden(), nullptr);
    EXPECT_EQ(table.MaxForm(), 100);
    EXPECT_TRUE(windows.Shown().empty());
}

// Random sequences of everything a user can do to the table, checked after each step
// against a model: the list of titles in slot order with their visibility.
TEST_F(MemoTableTest, StaysConsistentThroughRandomSequences) {
    struct Entry {
        std::string title;
        bool visible;
    };
    std::vector<Entry> model;
    int selected = -1;
    int made = 0;
    std::mt19937 random(20260601);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto size = [&] { return static_cast<int>(model.size()); };
    const auto flip = [](bool& visible) { visible = !visible; };
    const auto destroyInModel = [&](int slot) {
        const int last = size() - 1;
        model[static_cast<size_t>(slot)] = model.back();
        model.pop_back();
        // The selection follows its memo: gone with it, or to the slot the last memo took.
        if (selected == slot)
            selected = -1;
        else if (selected == last)
            selected = slot;
    };

    int refusals = 0;
    for (int step = 0; step < 6000; ++step) {
        switch (pick(0, 9)) {
        case 0:
        case 1:
        case 2: { // create
            const size_t shown = windows.Shown().size();
            Memo* memo = table.CreateMemo();
            if (size() == MemoTable::kSlots) {
                ASSERT_EQ(memo, nullptr);
                ASSERT_EQ(windows.Shown().size(), shown + 1);
                ++refusals;
                break;
            }
            ASSERT_NE(memo, nullptr);
            const std::string title = "メモ" + std::to_string(made++);
            memo->SetHint(title);
            model.push_back({title, true});
            table.RefreshStatusList();
            break;
        }
        case 3: { // the load's way in, then the show handler's refresh
            Memo* memo = table.AddHidden();
            if (size() == MemoTable::kSlots) {
                ASSERT_EQ(memo, nullptr);
                break;
            }
            ASSERT_NE(memo, nullptr);
            const std::string title = "読込" + std::to_string(made++);
            memo->SetHint(title);
            model.push_back({title, false});
            table.RefreshStatusList();
            break;
        }
        case 4: { // a memo destroys itself, or a slot that does not exist
            const int slot = pick(-2, size() + 1);
            table.DestForm(slot);
            if (slot >= 0 && slot < size()) destroyInModel(slot);
            break;
        }
        case 5: { // the user clicks a row, or beside the rows
            const int row = pick(-1, size());
            list.SelectRow(row);
            selected = row < size() ? row : -1;
            break;
        }
        case 6: // 表示/非表示
            table.ToggleSelected();
            if (selected >= 0) flip(model[static_cast<size_t>(selected)].visible);
            break;
        case 7: { // メモの破棄, answered Yes or No
            const bool yes = pick(0, 1) == 1;
            if (selected >= 0) windows.ScriptAnswer(yes ? DialogResult::Yes : DialogResult::No);
            table.DestroySelected();
            if (selected >= 0 && yes) destroyInModel(selected);
            break;
        }
        case 8: { // a double-click on a memo's title strip hides it
            if (model.empty()) break;
            const int slot = pick(0, size() - 1);
            table.Memos(slot).SetVisible(false);
            table.RefreshStatusList();
            model[static_cast<size_t>(slot)].visible = false;
            break;
        }
        case 9: { // a release on the list with some shift state
            const ShiftState states[] = {{ShiftState::Shift},
                                         {ShiftState::Ctrl},
                                         {ShiftState::Shift, ShiftState::Ctrl},
                                         {},
                                         {ShiftState::Ctrl, ShiftState::Right}};
            const ShiftState shift = states[pick(0, 4)];
            if (shift == ShiftState{ShiftState::Ctrl} && selected >= 0) {
                windows.ScriptAnswer(DialogResult::Yes);
                table.StatusListMouseUp(shift);
                destroyInModel(selected);
            } else {
                table.StatusListMouseUp(shift);
                if (shift == ShiftState{ShiftState::Shift} && selected >= 0)
                    flip(model[static_cast<size_t>(selected)].visible);
            }
            break;
        }
        }

        ExpectConsistent();
        ASSERT_EQ(table.MaxForm(), size() - 1) << "step " << step;
        for (int slot = 0; slot < size(); ++slot) {
            const Entry& entry = model[static_cast<size_t>(slot)];
            ASSERT_EQ(table.Memos(slot).Hint(), entry.title) << "step " << step;
            ASSERT_EQ(table.Memos(slot).Visible(), entry.visible) << "step " << step;
        }
        ASSERT_EQ(list.SelectedRow(), selected) << "step " << step;
        if (HasFailure()) FAIL() << "step " << step;
    }
    EXPECT_GT(refusals, 0) << "the sequence never filled the table";
}

} // namespace
} // namespace petarino
