#include "tick/heartbeat.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_registry.h"
#include "store/exit_sequence.h"
#include "store/store_layout.h"
#include "testing/desk_world.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace petarino {
namespace {

namespace fs = std::filesystem;
namespace DialogResult = platform::DialogResult;
using platform::FakeFiles;
using platform::FakeRegistry;
using platform::ShownMessageBox;

const ShownMessageBox kConfirmation{"ペタリノを終了しますか？", "確認", 0x24};

ShownMessageBox GeneralError(const std::string& text) {
    return {text, "ペタリノ", platform::MessageBoxStyle::IconError};
}

// The program after its start-up load, with the exit sequence and the tick of its
// properties window.
class ExitSequenceTest : public ::testing::Test {
protected:
    ExitSequenceTest() { world.store.LoadAtStart(); }

    void Tick() {
        uptime += 1000;
        world.macro.kernel.SetUptimeMilliseconds(uptime);
        heartbeat.Timer1Timer();
    }
    void ExportOn() { world.exitSettings.SetExportAtExit(true); }
    void AskOn() { world.exitSettings.SetAskBeforeExit(true); }

    bool Saved() const { return registry.KeyExists(store::kProgramKey); }
    bool TickRuns() const { return world.clock.Timer1().Runs(); }
    const std::vector<ShownMessageBox>& Shown() const { return world.macro.windows.Shown(); }

    platform::FilePath File(std::string_view name) {
        return files.InFolder(files.ProgramFolder(), name);
    }
    std::string Exported(std::string_view name) {
        return files.ReadWhole(File(name), platform::kMostBytesRead);
    }
    // The close fails with a file that cannot be created, and the program runs on.
    void ExpectRefusedFile(std::string_view name) {
        const size_t boxes = Shown().size();
        EXPECT_FALSE(exitSequence.FormCloseQuery()) << name;
        ASSERT_EQ(Shown().size(), boxes + 1);
        EXPECT_EQ(Shown().back(),
                  GeneralError("ﾌｧｲﾙ " + files.Display(File(name)) + " を作成できません."));
        EXPECT_TRUE(TickRuns());
    }

    uint64_t uptime = 0;
    FakeRegistry registry;
    DeskWorld world{registry};
    FakeFiles files;
    store::ExitSequence exitSequence{world.State(), world.store, world.macro.windows, files};
    Heartbeat heartbeat{world.clock, world.table, world.macro.expander,
                        [&] { world.store.SaveDatas(); }};
};

TEST_F(ExitSequenceTest, WithoutConfirmationSavesAndClosesAtOnce) {
    world.Create("メモ", "text");
    EXPECT_TRUE(exitSequence.FormCloseQuery());
    EXPECT_TRUE(Shown().empty());
    EXPECT_TRUE(Saved());
    EXPECT_TRUE(world.clock.Timer1().Detached());
    EXPECT_TRUE(fs::is_empty(files.ProgramDirectory())) << "no export without cbText";
}

TEST_F(ExitSequenceTest, NoToTheConfirmationKeepsEverythingRunningAndSavesNothing) {
    AskOn();
    Memo& running = world.CreateMacro("時間", "T#{#}");
    // The box's message loop runs ticks.
    world.macro.windows.ScriptAnswer(DialogResult::No, [&] { Tick(); });
    EXPECT_FALSE(exitSequence.FormCloseQuery());
    EXPECT_EQ(Shown(), std::vector{kConfirmation});
    EXPECT_EQ(running.Text(), "0時間 0分 1秒");
    EXPECT_FALSE(Saved());
    EXPECT_TRUE(TickRuns());
}

TEST_F(ExitSequenceTest, YesToTheConfirmationSavesAndCloses) {
    AskOn();
    world.macro.windows.ScriptAnswer(DialogResult::Yes);
    EXPECT_TRUE(exitSequence.FormCloseQuery());
    EXPECT_EQ(Shown(), std::vector{kConfirmation});
    EXPECT_TRUE(Saved());
    EXPECT_FALSE(TickRuns());
}

TEST_F(ExitSequenceTest, AQueryFromInsideTheConfirmationIsRefusedAndTheFirstGoesOn) {
    AskOn();
    bool inner = true;
    world.macro.windows.ScriptAnswer(DialogResult::Yes,
                                     [&] { inner = exitSequence.FormCloseQuery(); });
    EXPECT_TRUE(exitSequence.FormCloseQuery());
    EXPECT_FALSE(inner);
    EXPECT_EQ(Shown().size(), 1u);
}

TEST_F(ExitSequenceTest, ExportsEveryMemoByteForByteUnderItsTitle) {
    ExportOn();
    world.Create("無題", "untitled");
    world.Create("", "no title");
    Memo& macro = world.CreateMacro("年", "N#{yyyy#}");
    world.macro.expander.ExpandMacros(macro, world.clock);
    ASSERT_EQ(macro.Text(), "2026");
    world.Create("隠れ", "hidden").SetVisible(false);
    world.Create("改行", "一行目\r\n二行目\r\n");
    world.Create("空", "");
    world.Create("ソ表", "second bytes 5C");
    world.Create("同じ", "lower slot");
    world.Create("同じ", "higher slot");
    fs::create_directory(files.ProgramDirectory() / "sub");
    world.Create("sub\\中", "in a subfolder");
    {
        std::ofstream old(files.Native(File("改行.txt")), std::ios::binary);
        old << "an old export, longer than the new one";
    }

    EXPECT_TRUE(exitSequence.FormCloseQuery());
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(Exported("無題.txt"), "untitled");
    EXPECT_EQ(Exported(".txt"), "no title");
    EXPECT_EQ(Exported("年.txt"), "N#{yyyy#}");
    EXPECT_EQ(macro.Text(), "N#{yyyy#}") << "the memo shows its source from then on";
    EXPECT_EQ(Exported("隠れ.txt"), "hidden");
    EXPECT_EQ(Exported("改行.txt"), "一行目\r\n二行目\r\n");
    EXPECT_EQ(Exported("空.txt"), "");
    EXPECT_EQ(Exported("ソ表.txt"), "second bytes 5C");
    EXPECT_EQ(Exported("同じ.txt"), "higher slot");
    EXPECT_EQ(Exported("sub\\中.txt"), "in a subfolder");
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(files.Root()), {}), 11)
        << "the program folder, its subfolder and nine files; nothing else";
}

TEST_F(ExitSequenceTest, ExportOfNoMemoWritesNothingAndCloses) {
    ExportOn();
    EXPECT_TRUE(exitSequence.FormCloseQuery());
    EXPECT_TRUE(fs::is_empty(files.ProgramDirectory()));
}

// The Part's fault mended: a close that fails leaves the program as it was, its tick
// included, and macro memos that showed their source show their expansion again.
TEST_F(ExitSequenceTest, AMissingSubfolderEndsTheCloseAndTheProgramRunsOnWithItsTick) {
    ExportOn();
    Memo& before = world.CreateMacro("前", "L#{#}");
    world.Create("missing\\メモ", "text");
    Memo& after = world.CreateMacro("後", "L#{#}");
    Tick();
    ASSERT_EQ(before.Text(), "1");

    ExpectRefusedFile("missing\\メモ.txt");
    EXPECT_TRUE(Saved()) << "the store was saved before the export";
    EXPECT_EQ(Exported("前.txt"), "L#{#}");
    EXPECT_EQ(before.Text(), "L#{#}");
    EXPECT_FALSE(fs::exists(files.Native(File("後.txt"))));
    EXPECT_EQ(after.Text(), "1");

    Tick();
    EXPECT_EQ(before.Text(), "1");
    EXPECT_EQ(world.clock.Label3Caption(), "0時間 0分 2秒");

    fs::create_directory(files.ProgramDirectory() / "missing");
    EXPECT_TRUE(exitSequence.FormCloseQuery()) << "the user can try again";
    EXPECT_EQ(Exported("missing\\メモ.txt"), "text");
}

TEST_F(ExitSequenceTest, TitlesThatWouldWriteOutsideTheFolderOrToADeviceAreRefused) {
    ExportOn();
    fs::create_directory(files.ProgramDirectory() / "sub");
    Memo& memo = world.Create("", "text");
    for (const char* title :
         {"..\\escaped", "..\\..\\escaped", "../escaped", "sub\\..\\..\\escaped", "C:\\escaped",
          "\\escaped", "/escaped", "\\\\server\\share\\escaped", "a:b", "CON", "nul", "COM1",
          "LPT1", "con.log", "CONIN$", "CON  ", "sub\\AUX", "a?b", "a*b"}) {
        memo.SetHint(title);
        ExpectRefusedFile(std::string(title) + ".txt");
    }
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(files.Root()), {}), 2)
        << "the program folder and its subfolder; nothing written anywhere";
}

TEST_F(ExitSequenceTest, AFailedSaveExportsNothingAndTheTickRunsAgain) {
    ExportOn();
    world.Create("メモ", "text");
    for (uint64_t call = registry.Calls() + 1; call < registry.Calls() + 1000; ++call)
        registry.FailCall(call);
    EXPECT_FALSE(exitSequence.FormCloseQuery());
    EXPECT_EQ(Shown(), std::vector{GeneralError("'Top' の設定に失敗しました.")})
        << "the memo keys are written first";
    EXPECT_TRUE(fs::is_empty(files.ProgramDirectory()));
    EXPECT_TRUE(TickRuns());
}

TEST_F(ExitSequenceTest, AWriteThatFailsMidwayKeepsThePreviousExport) {
    ExportOn();
    Memo& memo = world.Create("メモ", "first");
    ASSERT_TRUE(exitSequence.FormCloseQuery());
    exitSequence.CloseCancelled();

    memo.SetText("second, longer");
    files.FailNextWriteAfter(3);
    EXPECT_FALSE(exitSequence.FormCloseQuery());
    EXPECT_EQ(Shown(), std::vector{GeneralError("ｽﾄﾘｰﾑへの書き込みｴﾗｰ.")});
    EXPECT_EQ(Exported("メモ.txt"), "first");
    EXPECT_EQ(std::distance(fs::directory_iterator(files.ProgramDirectory()), {}), 1)
        << "nothing temporary left";
    EXPECT_TRUE(TickRuns());
}

TEST_F(ExitSequenceTest, AnEndOfSessionCancelledAfterTheQueryLetsTheProgramRunOn) {
    ExportOn();
    Memo& macro = world.CreateMacro("起動", "L#{#}");
    EXPECT_TRUE(exitSequence.FormCloseQuery());
    EXPECT_FALSE(TickRuns());
    exitSequence.CloseCancelled();
    EXPECT_TRUE(TickRuns());
    Tick();
    EXPECT_EQ(macro.Text(), "1");
}

} // namespace
} // namespace petarino
