// The program's wiring as the user meets it: the real desk on the fakes, driven through the
// roads where an engine meets another (a question open, a macro error, a restore, an exit).
#include "store/store_layout.h"
#include "testing/desk_world.h"
#include "testing/sync_world.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace petarino {
namespace {

using platform::DialogResult::No;
using platform::DialogResult::Yes;

constexpr char kCloseDialogsFirst[] = "メモのダイアログを閉じてから、もう一度お試しください";

std::vector<std::string> Texts(const MemoTable& table) {
    std::vector<std::string> texts;
    for (int slot = 0; slot <= table.MaxForm(); ++slot)
        texts.push_back(table.Memos(slot).Hint() + "=" + table.Memos(slot).Text());
    return texts;
}

void StartSavingEveryMinute(DeskWorld& world) {
    world.desk.Start();
    world.autosave.SetEnabled(true);
    world.autosave.SetPeriod(1);
}

// The memos written where the user chooses, for a restore or an import.
platform::FilePath Exported(DeskWorld& world) {
    const platform::FilePath path =
        world.files.InFolder(world.files.ProgramFolder(), "exported.json");
    world.choosers.AnswerSave(path);
    world.desk.ExportBackup();
    return path;
}

// Every question and dialog holds a memo that a restore or an import would free: while one is
// open they are refused with a word, and nothing changes.
TEST(Desk, ARestoreOrAnImportWaitsForEveryQuestionAndDialog) {
    struct Road {
        const char* what;
        // Opens the question or dialog; `meanwhile` runs while it is open.
        void (*open)(DeskWorld&, const std::function<void()>& meanwhile);
    };
    const Road roads[] = {
        {"the memo dialog",
         [](DeskWorld& world, const std::function<void()>& meanwhile) {
             world.desk.SetMemoPropertiesDialog([&](Memo&) { meanwhile(); });
             world.desk.OpenMemoProperties(world.table.Memos(0));
         }},
        {"the alarm dialog",
         [](DeskWorld& world, const std::function<void()>& meanwhile) {
             world.desk.SetAlarmDialog([&](Memo&) { meanwhile(); });
             world.desk.OpenAlarm(world.table.Memos(0));
         }},
        {"the destroy question of the memo's menu",
         [](DeskWorld& world, const std::function<void()>& meanwhile) {
             world.macro.windows.ScriptAnswer(No, meanwhile);
             world.desk.ConfirmAndDestroy(0);
         }},
        {"the destroy question of a Ctrl+click on the list",
         [](DeskWorld& world, const std::function<void()>& meanwhile) {
             world.table.RefreshStatusList();
             world.list.SelectRow(0);
             world.macro.windows.ScriptAnswer(No, meanwhile);
             world.desk.StatusListMouseUp({platform::ShiftState::Ctrl});
         }},
        {"the destroy question of the button",
         [](DeskWorld& world, const std::function<void()>& meanwhile) {
             world.table.RefreshStatusList();
             world.list.SelectRow(0);
             world.macro.windows.ScriptAnswer(No, meanwhile);
             world.desk.DestroySelected();
         }},
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.what);
        platform::FakeRegistry registry;
        DeskWorld world(registry);
        world.desk.Start();
        world.Create("一", "前");
        const platform::FilePath backup = Exported(world);
        world.table.Memos(0).SetText("後");
        const Memo* held = &world.table.Memos(0);
        size_t refusals = 0;
        road.open(world, [&] {
            world.desk.RestoreBackup(backup);
            world.choosers.AnswerLoad(backup);
            world.desk.ImportBackup();
            for (const auto& shown : world.macro.windows.Shown())
                refusals += shown.text == kCloseDialogsFirst;
        });
        EXPECT_EQ(refusals, 2u);
        ASSERT_EQ(world.table.MaxForm(), 0);
        EXPECT_EQ(&world.table.Memos(0), held) << "the memo the question held is still there";
        EXPECT_EQ(Texts(world.table), std::vector<std::string>{"一=後"});

        world.macro.windows.ScriptAnswer(Yes);
        world.desk.RestoreBackup(backup);
        EXPECT_EQ(Texts(world.table), std::vector<std::string>{"一=前"}) << "once it is closed";
        EXPECT_EQ(&world.table.Memos(0), held) << "updated where it stands";
    }
}

// A macro's date error stops what the macros show; the memos' alarms, the autosave and the
// day's first backup go on.
TEST(Desk, AfterAMacroErrorTheAlarmsTheAutosaveAndTheDailyBackupGoOn) {
    platform::FakeRegistry registry;
    DeskWorld world(registry);
    StartSavingEveryMinute(world);
    world.CreateMacro("壊れた", "A#{abc#}");
    world.Seconds(1);
    ASSERT_FALSE(world.clock.Timer1().Enabled()) << "the error stopped the macros";
    Memo& reminder = world.Create("会議", "三階");
    reminder.SetAlarm({WallMinute{{2026, 12, 7}, 9, 1}});
    world.macro.kernel.SetNow({2026, 12, 1, 7, 9, 1, 0, 0});

    world.Seconds(61);
    ASSERT_FALSE(world.view.balloons.empty());
    EXPECT_EQ(world.view.balloons.back().title, "会議") << "the alarm rang";
    EXPECT_TRUE(registry.Value(store::kProgramKey, "MaxForm").has_value()) << "autosaved";
    EXPECT_EQ(world.desk.Backups().size(), 1u) << "the day's first autosave backs up";
}

// What a restore or an import brings goes out to the other PCs and wins there, over the
// edits the folder holds.
TEST(Desk, ARestoreAndAnImportReachTheOtherPcs) {
    for (const bool import : {false, true}) {
        SCOPED_TRACE(import ? "import" : "restore");
        platform::FakeFiles files;
        SyncPc a{files, 0xA}, b{files, 0xB};
        files.CreateFolder(a.Folder());
        a.world.Create("レシピ", "カレー");
        a.sync.Join(a.Folder());
        b.sync.Join(b.Folder());
        const platform::FilePath backup = Exported(a.world);
        a.world.table.Memos(0).SetText("シチュー");
        a.world.desk.MemoChanged();
        a.Seconds(3);
        b.sync.LookNow();
        ASSERT_EQ(Texts(b.world.table), std::vector<std::string>{"レシピ=シチュー"});

        a.world.macro.windows.ScriptAnswer(Yes);
        if (import) {
            a.world.choosers.AnswerLoad(backup);
            a.world.desk.ImportBackup();
        } else {
            a.world.desk.RestoreBackup(backup);
        }
        a.Seconds(3);
        b.sync.LookNow();
        EXPECT_EQ(Texts(a.world.table), std::vector<std::string>{"レシピ=カレー"});
        EXPECT_EQ(Texts(b.world.table), std::vector<std::string>{"レシピ=カレー"});
    }
}

// An exit saves what a look still waits for: the folder holds the last edit.
TEST(Desk, AnExitWhileALookIsPendingWritesEveryChange) {
    platform::FakeFiles files;
    SyncPc a{files, 0xA}, b{files, 0xB};
    files.CreateFolder(a.Folder());
    a.world.desk.Start();
    a.world.Create("買い物", "牛乳");
    a.sync.Join(a.Folder());
    b.sync.Join(b.Folder());
    a.world.table.Memos(0).SetText("牛乳 卵");
    a.world.desk.MemoChanged();
    a.world.desk.SyncFolderChanged();
    EXPECT_TRUE(a.world.desk.CloseQuery());
    b.sync.LookNow();
    EXPECT_EQ(Texts(b.world.table), std::vector<std::string>{"買い物=牛乳 卵"});
}

// The end of the session asked while an autosave's failure is told: it saves everything, and
// the tick that failed runs nothing more.
TEST(Desk, TheEndOfTheSessionDuringAFailedAutosaveSavesOnce) {
    platform::FakeRegistry registry;
    DeskWorld world(registry);
    StartSavingEveryMinute(world);
    world.Create("メモ", "本文");
    world.Seconds(60);
    registry.FailCall(registry.Calls() + 1);
    bool ended = false;
    world.macro.windows.ScriptAnswer(platform::DialogResult::Ok, [&] {
        registry.Restart();
        world.table.Memos(0).SetText("最後の言葉");
        ended = world.desk.CloseQuery();
    });
    world.Seconds(1);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(world.clock.Timer1().Detached()) << "nothing runs after the session's end";
    const uint64_t calls = registry.Calls();
    world.Seconds(120);
    EXPECT_EQ(registry.Calls(), calls) << "no save after the one of the end";
    DeskWorld next(registry);
    next.desk.Start();
    EXPECT_EQ(Texts(next.table), std::vector<std::string>{"メモ=最後の言葉"});
}

} // namespace
} // namespace petarino
