// A save stopped dead at any registry call, as a process that dies mid-save, or refused by
// the registry at any call: the next start still finds every memo of the last completed
// save, and the program runs on.
#include "platform/fake/fake_registry.h"
#include "registry_value_printer.h"
#include "store/error_report.h"
#include "store/store_layout.h"
#include "testing/desk_world.h"
#include "tick/heartbeat.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <string>

namespace petarino {
namespace {

using platform::FakeRegistry;
using platform::SimulatedCrash;

// What tells one memo from another across runs: titles are unique, the rest may change.
struct MemoRecord {
    std::string title;
    std::string source; // the macro source or the text
    int32_t top = 0;
    bool visible = false;
    friend bool operator==(const MemoRecord&, const MemoRecord&) = default;
};

MemoRecord RecordOf(const Memo& memo) {
    return {memo.Hint(), memo.ReadOnly() ? memo.MacroText() : memo.Text(), memo.Top(),
            memo.Visible()};
}

std::vector<MemoRecord> Records(const MemoTable& table) {
    std::vector<MemoRecord> records;
    for (int slot = 0; slot <= table.MaxForm(); ++slot)
        records.push_back(RecordOf(table.Memos(slot)));
    return records;
}

class StoreCrashTest : public ::testing::Test {
protected:
    DeskWorld& NewRun() {
        registry.Restart();
        run = std::make_unique<DeskWorld>(registry);
        // Random ids never meet again; the fake's are counted anew in each space.
        run->macro.kernel.SetGuidSpace(++runs);
        run->store.LoadAtStart();
        return *run;
    }

    // The completed save: five memos, a macro one and a hidden one among them.
    void FirstRunSaves() {
        DeskWorld& first = NewRun();
        first.CreateMacro("A", "N#{yyyy#}年");
        first.Create("B", "二番目");
        first.Create("C", "三番目").SetVisible(false);
        first.Create("D", "四番目\r\n二行目");
        first.Create("E", "五番目").SetTop(50);
        first.store.SaveDatas();
        completed = Records(first.table);
    }

    // The run whose save is to stop: B and D destroyed (E takes B's slot), one memo made in
    // D's, A moved, E's text changed; MaxForm goes from 4 to 3.
    void SecondRunChangesItsMemos() {
        DeskWorld& second = NewRun();
        ASSERT_EQ(Records(second.table), completed);
        second.table.DestForm(1);
        second.table.DestForm(3);
        second.Create("F", "六番目");
        second.table.Memos(0).SetTop(200);
        second.table.Memos(1).SetText("五番目、書き換え");
        second.autosave.SetPeriod(1);
        second.autosave.SetEnabled(true);
        changed = Records(second.table);
    }

    // Every memo of the completed save that was not destroyed since is there, as it was
    // saved then or as it is now.
    void ExpectNoMemoLost(const MemoTable& table) const {
        const std::vector<MemoRecord> loaded = Records(table);
        for (const MemoRecord& saved : completed) {
            if (saved.title == "B" || saved.title == "D") continue;
            std::optional<MemoRecord> now;
            for (const MemoRecord& record : changed)
                if (record.title == saved.title) now = record;
            const bool found = std::any_of(loaded.begin(), loaded.end(), [&](const auto& memo) {
                return memo == saved || memo == now;
            });
            EXPECT_TRUE(found) << "memo " << saved.title << " is lost";
        }
    }

    // A stopped save may leave a memo in its old slot and its new one: the copies never
    // share an id.
    void ExpectConsistent(const DeskWorld& world) const {
        std::set<std::string> ids;
        for (int slot = 0; slot <= world.table.MaxForm(); ++slot) {
            const Memo& memo = world.table.Memos(slot);
            EXPECT_TRUE(world.factory.IsLive(&memo));
            EXPECT_EQ(memo.Tag(), slot);
            EXPECT_TRUE(memo.Sync().id.empty() || ids.insert(memo.Sync().id).second)
                << "id of slot " << slot << " repeated";
        }
        EXPECT_EQ(world.factory.LiveMemos(), world.table.MaxForm() + 1);
        EXPECT_TRUE(world.clock.Timer1().Enabled());
        EXPECT_EQ(registry.LocksHeld(), 0);
    }

    // What a save of the running program into an empty store leaves.
    std::map<std::string, std::map<std::string, platform::RegistryValue>> SavedIntoEmpty() {
        FakeRegistry empty;
        store::RegistryStore(empty, run->graphics, run->State(), run->macro.expander,
                             run->macro.windows, run->NewId())
            .SaveDatas();
        return empty.Contents(store::kProgramKey);
    }

    // Ticks until autosave, as the properties window does: an error leaving the tick goes
    // to the general error report.
    void TickUntilAutosave() {
        Heartbeat heartbeat(run->clock, run->table, run->macro.expander,
                            [this] { run->store.SaveDatas(); });
        for (int tick = 0; tick < 61; ++tick) {
            try {
                heartbeat.Timer1Timer();
            } catch (const std::exception& error) {
                ReportGeneralError(run->macro.windows, error.what());
            }
        }
    }

    FakeRegistry registry;
    std::unique_ptr<DeskWorld> run;
    std::uint32_t runs = 0;
    std::vector<MemoRecord> completed;
    std::vector<MemoRecord> changed;
};

TEST_F(StoreCrashTest, ASaveStoppedAtAnyCallLosesNoMemoOfTheLastCompletedSave) {
    uint64_t k = 1;
    for (bool stopped = true; stopped; ++k) {
        SCOPED_TRACE("stopped at call " + std::to_string(k));
        registry.Access()->DeleteKeyTree(store::kProgramKey);
        FirstRunSaves();
        SecondRunChangesItsMemos();
        registry.StopAtCall(registry.Calls() + k);
        try {
            run->store.SaveDatas();
            stopped = false;
            EXPECT_EQ(registry.Contents(store::kProgramKey), SavedIntoEmpty());
        } catch (const SimulatedCrash&) {
        }
        DeskWorld& next = NewRun();
        EXPECT_EQ(next.macro.windows.Shown().size(), 0u);
        ExpectNoMemoLost(next.table);
        ExpectConsistent(next);
        if (!stopped) {
            EXPECT_EQ(Records(next.table), changed);
        }
    }
    EXPECT_GT(k, 80u) << "a save of four memos makes more calls than that";
}

TEST_F(StoreCrashTest, AfterAStoppedSaveTheNextStoppedSaveStillKeepsThoseMemos) {
    for (uint64_t first = 1; first < 140; first += 17) {
        for (uint64_t second = 1; second < 200; second += 7) {
            SCOPED_TRACE("stopped at " + std::to_string(first) + ", then " +
                         std::to_string(second));
            registry.Access()->DeleteKeyTree(store::kProgramKey);
            FirstRunSaves();
            SecondRunChangesItsMemos();
            registry.StopAtCall(registry.Calls() + first);
            try {
                run->store.SaveDatas();
            } catch (const SimulatedCrash&) {
            }
            NewRun();
            registry.StopAtCall(registry.Calls() + second);
            try {
                run->store.SaveDatas();
            } catch (const SimulatedCrash&) {
            }
            ExpectNoMemoLost(NewRun().table);
        }
    }
}

TEST_F(StoreCrashTest, AnAutosaveRefusedAtAnyCallIsReportedAndTheProgramRunsOn) {
    FirstRunSaves();
    SecondRunChangesItsMemos();
    const uint64_t before = registry.Calls();
    run->store.SaveDatas();
    const uint64_t calls = registry.Calls() - before;
    int reported = 0;
    for (uint64_t k = 1; k <= calls; ++k) {
        SCOPED_TRACE("refused at call " + std::to_string(k));
        registry.Access()->DeleteKeyTree(store::kProgramKey);
        FirstRunSaves();
        SecondRunChangesItsMemos();
        registry.FailCall(registry.Calls() + k);
        TickUntilAutosave();
        const auto& shown = run->macro.windows.Shown();
        if (!shown.empty()) {
            ++reported;
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_TRUE(shown[0].text.ends_with("' の設定に失敗しました.")) << shown[0].text;
            EXPECT_EQ(shown[0].caption, "ペタリノ");
        }
        ExpectConsistent(*run);
        EXPECT_EQ(run->clock.Label3Caption(), "0時間 0分 0秒") << "the tick ran";
        // A listing or a removal refused leaves only what the load ignores; the next save
        // tidies it.
        run->store.SaveDatas();
        EXPECT_EQ(registry.Contents(store::kProgramKey), SavedIntoEmpty());
        ExpectNoMemoLost(NewRun().table);
    }
    EXPECT_EQ(reported, 4 * (1 + 21) + 1 + 10) << "each open and each write can be refused";
}

TEST_F(StoreCrashTest, ARegistryThatRefusesEverythingLeavesTheStoreAndTheProgramRunning) {
    FirstRunSaves();
    SecondRunChangesItsMemos();
    const auto before = registry.Contents(store::kProgramKey);
    for (uint64_t call = 1; call <= 5000; ++call)
        registry.FailCall(registry.Calls() + call);
    TickUntilAutosave();
    EXPECT_EQ(run->macro.windows.Shown(),
              (std::vector<platform::ShownMessageBox>{{"'Top' の設定に失敗しました.", "ペタリノ",
                                                       platform::MessageBoxStyle::IconError}}));
    EXPECT_EQ(registry.Contents(store::kProgramKey), before);
    ExpectConsistent(*run);

    // A start on it finds no store, as a first start does, and runs.
    DeskWorld& next = NewRun();
    for (uint64_t call = 1; call <= 5000; ++call)
        registry.FailCall(call);
    next.store.LoadAtStart();
    EXPECT_TRUE(next.macro.windows.Shown().empty());
    EXPECT_TRUE(next.clock.Timer1().Enabled());
}

TEST_F(StoreCrashTest, ALoadRefusedAtAnyCallReportsWhatItMustAndRunsOn) {
    FirstRunSaves();
    SecondRunChangesItsMemos();
    run->store.SaveDatas();
    NewRun();
    const uint64_t calls = registry.Calls();
    int reported = 0;
    for (uint64_t k = 1; k <= calls; ++k) {
        SCOPED_TRACE("refused at call " + std::to_string(k));
        registry.Restart();
        run = std::make_unique<DeskWorld>(registry);
        registry.FailCall(k);
        run->store.LoadAtStart();
        for (const auto& shown : run->macro.windows.Shown())
            EXPECT_TRUE(shown.text.ends_with("' の取得に失敗しました.") ||
                        shown.text.ends_with(" 枚読み込みました."))
                << shown.text;
        reported += static_cast<int>(run->macro.windows.Shown().size());
        ExpectConsistent(*run);
    }
    EXPECT_GT(reported, 50) << "every value read can be refused";
}

} // namespace
} // namespace petarino
