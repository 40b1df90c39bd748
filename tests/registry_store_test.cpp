#include "macro/macro_expansion.h"
#include "platform/fake/fake_registry.h"
#include "registry_value_printer.h"
#include "store/start_up_load.h"
#include "store/store_layout.h"
#include "store/store_reader.h"
#include "store/store_writer.h"
#include "testing/desk_world.h"
#include "tick/heartbeat.h"

#include <future>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace petarino {
namespace {

using platform::DwordValue;
using platform::FakeRegistry;
using platform::RegistryValue;
using platform::ShownMessageBox;
using platform::SzValue;
using platform::WrittenText;
using store::kProgramKey;
using store::MemoKeyPath;

constexpr uint32_t kErrorBox = platform::MessageBoxStyle::IconError;
constexpr int32_t kNewWidth = InMemoryMemo::kFrame * 2 + new_memo::kClientWidth;
constexpr int32_t kNewHeight = InMemoryMemo::kFrame * 2 + new_memo::kClientHeight;

ShownMessageBox GeneralError(const std::string& text) {
    return {text, "ペタリノ", kErrorBox};
}

class RegistryStoreTest : public ::testing::Test {
protected:
    void Seed(std::string_view path, std::string_view name, RegistryValue value) {
        registry.SetValue(path, name, std::move(value));
    }
    void SeedProgram(std::string_view name, int32_t value) {
        Seed(kProgramKey, name, DwordValue(value));
    }
    void SeedMemo(int slot, std::string_view name, RegistryValue value) {
        Seed(MemoKeyPath(slot), name, std::move(value));
    }
    // Memo keys 0..last titled "メモ" and the slot, with MaxForm naming the last.
    void SeedTitledMemos(int last) {
        SeedProgram("MaxForm", last);
        for (int slot = 0; slot <= last; ++slot)
            SeedMemo(slot, "Title", SzValue("メモ" + std::to_string(slot)));
    }

    // A new run of the program over the same registry, loaded.
    DeskWorld& Start(int pixelsPerInch = 96) {
        registry.Restart();
        world = std::make_unique<DeskWorld>(registry, pixelsPerInch);
        firstStart = world->store.LoadAtStart();
        return *world;
    }

    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (int slot = 0; slot <= world->table.MaxForm(); ++slot)
            titles.push_back(AsCp932(world->table.Memos(slot).Hint()));
        return titles;
    }

    std::map<std::string, RegistryValue> StoredKey(std::string_view path) const {
        return registry.Contents(path)[std::string(path)];
    }

    // The table's invariants after whatever the load met: what the tick, the list and the
    // save walk are live memos, each tagged with its slot.
    void ExpectConsistent() const {
        const MemoTable& table = world->table;
        ASSERT_GE(table.MaxForm(), -1);
        ASSERT_LT(table.MaxForm(), MemoTable::kSlots);
        for (int slot = 0; slot <= table.MaxForm(); ++slot) {
            EXPECT_TRUE(world->factory.IsLive(&table.Memos(slot)));
            EXPECT_EQ(table.Memos(slot).Tag(), slot);
        }
        EXPECT_EQ(world->factory.LiveMemos(), table.MaxForm() + 1);
    }

    FakeRegistry registry;
    std::unique_ptr<DeskWorld> world;
    bool firstStart = false; // what the last Start's load said
};

TEST_F(RegistryStoreTest, AFirstStartHasNoMemoAndTheDesignSettings) {
    DeskWorld& run = Start();
    EXPECT_EQ(run.table.MaxForm(), -1);
    EXPECT_EQ(run.clock.Exec(), 1);
    EXPECT_EQ(run.clock.TotalAtStart(), 0);
    EXPECT_FALSE(run.autosave.Enabled());
    EXPECT_EQ(run.autosave.Period(), 10);
    EXPECT_FALSE(run.exitSettings.ExportAtExit());
    EXPECT_FALSE(run.exitSettings.AskBeforeExit());
    EXPECT_TRUE(run.clock.Timer1().Enabled());
    EXPECT_EQ(run.macro.windows.TooltipDelay(), 0);
    EXPECT_TRUE(run.macro.windows.Shown().empty());
    EXPECT_FALSE(registry.KeyExists(kProgramKey)) << "the load never creates a key";
    EXPECT_TRUE(firstStart);

    run.store.SaveDatas();
    const std::map<std::string, RegistryValue> program{
        {"MaxForm", DwordValue(-1)},    {"Total", DwordValue(0)},
        {"Exec", DwordValue(1)},        {"Saving", DwordValue(0)},
        {"SaveTiming", DwordValue(10)}, {"cbText", DwordValue(0)},
        {"Alart", DwordValue(0)},       {"HotKeyNewMemo", DwordValue(0)},
        {"HotKeyFront", DwordValue(0)}, {"HotKeySearch", DwordValue(0)}};
    EXPECT_EQ(registry.Contents(kProgramKey),
              (std::map<std::string, std::map<std::string, RegistryValue>>{
                  {std::string(kProgramKey), program}}));
}

// Whatever the program key holds, even nothing, something was saved before.
TEST_F(RegistryStoreTest, OnlyAStoreWithoutTheProgramKeyIsAFirstStart) {
    Start();
    EXPECT_TRUE(firstStart);
    Start();
    EXPECT_TRUE(firstStart) << "a first start that saved nothing";
    world->store.SaveDatas();
    Start();
    EXPECT_FALSE(firstStart);

    registry.Access()->DeleteKeyTree(kProgramKey);
    SeedMemo(0, "Title", SzValue("メモ"));
    Start();
    EXPECT_FALSE(firstStart) << "a memo key alone";
    registry.Access()->DeleteKeyTree(MemoKeyPath(0));
    Start();
    EXPECT_FALSE(firstStart) << "an empty program key";
}

TEST_F(RegistryStoreTest, ReadsEveryProgramValue) {
    SeedProgram("MaxForm", -1);
    SeedProgram("Total", 3661);
    SeedProgram("Exec", 41);
    SeedProgram("Saving", 5);
    SeedProgram("SaveTiming", 0x0001FFFF); // the up-down keeps the low 16 bits, signed
    SeedProgram("cbText", 1);
    SeedProgram("Alart", -1);
    DeskWorld& run = Start();
    EXPECT_EQ(run.clock.TotalAtStart(), 3661);
    EXPECT_EQ(run.clock.Total(), 3661);
    EXPECT_EQ(run.clock.Exec(), 42);
    EXPECT_TRUE(run.autosave.Enabled());
    EXPECT_EQ(run.autosave.Period(), -1);
    EXPECT_TRUE(run.exitSettings.ExportAtExit());
    EXPECT_TRUE(run.exitSettings.AskBeforeExit());

    run.store.SaveDatas();
    EXPECT_EQ(registry.Value(kProgramKey, "Saving"), DwordValue(1));
    EXPECT_EQ(registry.Value(kProgramKey, "Alart"), DwordValue(1));
    EXPECT_EQ(registry.Value(kProgramKey, "Exec"), DwordValue(42));
    EXPECT_EQ(registry.Value(kProgramKey, "SaveTiming"), DwordValue(-1));
}

TEST_F(RegistryStoreTest, ReadsEveryMemoValue) {
    SeedProgram("MaxForm", 0);
    SeedMemo(0, "Top", DwordValue(120));
    SeedMemo(0, "Left", DwordValue(-30));
    SeedMemo(0, "Width", DwordValue(400));
    SeedMemo(0, "Height", DwordValue(200));
    SeedMemo(0, "Title", SzValue("買い物"));
    SeedMemo(0, "TitleBar", DwordValue(5));
    SeedMemo(0, "TitleText", DwordValue(0x000000FF));
    SeedMemo(0, "TitleBackGround", DwordValue(static_cast<int32_t>(clWindowText)));
    SeedMemo(0, "Text", SzValue("牛乳\r\n卵"));
    SeedMemo(0, "WordWrap", DwordValue(0));
    SeedMemo(0, "Visible", DwordValue(5));
    SeedMemo(0, "FontName", SzValue("ＭＳ 明朝 とても長い書体の名前です")); // 34 bytes
    SeedMemo(0, "Color", DwordValue(static_cast<int32_t>(clWhite)));
    SeedMemo(0, "FontStyle", DwordValue(0x1F5));
    SeedMemo(0, "FontColor", DwordValue(0x00123456));
    SeedMemo(0, "FontSize", DwordValue(10));
    DeskWorld& run = Start();

    ASSERT_EQ(run.table.MaxForm(), 0);
    const Memo& memo = run.table.Memos(0);
    EXPECT_EQ(memo.Top(), 120);
    EXPECT_EQ(memo.Left(), -30);
    EXPECT_EQ(memo.Width(), 400);
    EXPECT_EQ(memo.Height(), 200);
    EXPECT_EQ(memo.Hint(), u"買い物");
    EXPECT_EQ(memo.TitleBar(), 5);
    EXPECT_EQ(memo.TitleTextColor(), 0x000000FFu);
    EXPECT_EQ(memo.WindowColor(), clWindowText);
    EXPECT_EQ(memo.Text(), u"牛乳\r\n卵");
    EXPECT_EQ(memo.MacroText(), u"牛乳\r\n卵");
    EXPECT_FALSE(memo.ReadOnly());
    EXPECT_FALSE(memo.WordWrap());
    EXPECT_TRUE(memo.Visible());
    EXPECT_EQ(memo.MemoColor(), clWhite);
    const Font font = memo.MemoFont();
    // Cut at 30 bytes: the 31st is the lead byte of a character that does not fit.
    EXPECT_EQ(font.Name(), std::string("ＭＳ 明朝 とても長い書体の名前です").substr(0, 30));
    EXPECT_EQ(font.style, fsBold | fsUnderline);
    EXPECT_EQ(font.color, 0x00123456u);
    EXPECT_EQ(font.height, -13);
    EXPECT_EQ(font.charset, 1);
    EXPECT_EQ(memo.Tag(), 0);

    run.store.SaveDatas();
    EXPECT_EQ(registry.Value(MemoKeyPath(0), "Visible"), DwordValue(1));
    EXPECT_EQ(registry.Value(MemoKeyPath(0), "FontSize"), DwordValue(10));
}

// A memo key without values, one that is missing and values that are: the window's defaults
// and those of the layout, nothing taken over from the memo before.
TEST_F(RegistryStoreTest, AbsentMemoKeysAndValuesGiveDefaults) {
    SeedProgram("MaxForm", 3);
    SeedMemo(0, "Text", SzValue("前のメモ"));
    SeedMemo(0, "Width", DwordValue(500));
    SeedMemo(0, "Visible", DwordValue(1));
    registry.CreateKey(MemoKeyPath(2));
    SeedMemo(3, "Title", SzValue("後"));
    DeskWorld& run = Start();
    ASSERT_EQ(run.table.MaxForm(), 3);
    InMemoryMemo expected;
    expected.SetBounds(0, 0, 265, 113);
    // Each memo has the id it was made with.
    const auto expect = [&](int slot) {
        expected.SetSync(run.table.Memos(slot).Sync());
        EXPECT_EQ(StoredFields(run.table.Memos(slot)), StoredFields(expected)) << slot;
    };
    expect(1);
    expect(2);
    expected.SetHint(u"後");
    expect(3);
}

TEST_F(RegistryStoreTest, AMacroMemoIsReadOnlyExpandedAtOnceAndSavedAsItsSource) {
    SeedProgram("MaxForm", 1);
    SeedMemo(0, "Text", SzValue("今年はN#{yyyy#}年"));
    SeedMemo(1, "Text", SzValue("#} だけ"));
    DeskWorld& run = Start();
    const Memo& macro = run.table.Memos(0);
    EXPECT_TRUE(macro.ReadOnly());
    EXPECT_EQ(macro.MacroText(), u"今年はN#{yyyy#}年");
    EXPECT_EQ(macro.Text(), u"今年は2026年");
    EXPECT_EQ(run.table.Memos(1).Text(), u"Error.") << "a malformed source is a macro all the same";

    run.store.SaveDatas();
    EXPECT_EQ(registry.Value(MemoKeyPath(0), "Text"), WrittenText("今年はN#{yyyy#}年"));
}

TEST_F(RegistryStoreTest, AMacroFailingAtLoadIsReportedAndTheTimerRunsAfterwards) {
    SeedProgram("MaxForm", 1);
    SeedMemo(0, "Title", SzValue("期限"));
    SeedMemo(0, "Text", SzValue("あと A#{いつか#} 日"));
    SeedMemo(1, "Title", SzValue("次"));
    registry.Restart();
    world = std::make_unique<DeskWorld>(registry);
    bool timerStoppedWhileShown = false;
    world->macro.windows.ScriptAnswer(platform::DialogResult::Ok, [&] {
        timerStoppedWhileShown = !world->clock.Timer1().Enabled();
    });
    world->store.LoadAtStart();

    ASSERT_EQ(world->macro.windows.Shown().size(), 1u);
    EXPECT_EQ(world->macro.windows.Shown()[0].text,
              "期限のマクロ(いつか)が間違っています。\rペタリノは停止しています。"
              "マクロを再設定してください。");
    EXPECT_TRUE(timerStoppedWhileShown);
    EXPECT_TRUE(world->clock.Timer1().Enabled());
    EXPECT_EQ(Titles(), (std::vector<std::string>{"期限", "次"}));
}

TEST_F(RegistryStoreTest, FontSizesBecomeHeightsAtTheScreensDensityAndBack) {
    SeedProgram("MaxForm", 1);
    SeedMemo(0, "FontSize", DwordValue(10));
    SeedMemo(1, "FontSize", DwordValue(9));
    DeskWorld& standard = Start();
    EXPECT_EQ(standard.table.Memos(0).MemoFont().height, -13);
    EXPECT_EQ(standard.table.Memos(1).MemoFont().height, -12);
    standard.graphics.SetScreenPixelsPerInch(144); // read once at start: no effect now
    standard.store.SaveDatas();
    EXPECT_EQ(registry.Value(MemoKeyPath(0), "FontSize"), DwordValue(10));
    EXPECT_EQ(registry.Value(MemoKeyPath(1), "FontSize"), DwordValue(9));

    DeskWorld& dense = Start(144);
    EXPECT_EQ(dense.table.Memos(0).MemoFont().height, -20);
    EXPECT_EQ(dense.table.Memos(1).MemoFont().height, -18);
}

TEST_F(RegistryStoreTest, TotalIsTheLoadedOneUntilTheFirstTickAndSavedIn32Bits) {
    SeedProgram("Total", INT32_MAX - 10);
    DeskWorld& run = Start();
    run.macro.kernel.SetUptimeMilliseconds(999);
    run.store.SaveDatas();
    EXPECT_EQ(registry.Value(kProgramKey, "Total"), DwordValue(INT32_MAX - 10));
    run.macro.kernel.SetUptimeMilliseconds(60'000);
    run.clock.AccountRunningTime();
    ASSERT_GT(run.clock.Total(), INT32_MAX);
    run.store.SaveDatas();
    EXPECT_EQ(registry.Value(kProgramKey, "Total"), DwordValue(INT32_MAX));
}

// A damaged value is reported and takes its default; the load goes on, so no memo after
// it is lost to the next save.
TEST_F(RegistryStoreTest, AWrongOrUnreadableWidthIsReportedAndTakesItsDefault) {
    const std::pair<RegistryValue, std::string> cases[] = {
        {SzValue("abcd"), "'Width' のﾃﾞｰﾀ型が不正です."},
        {SzValue("abcde"), "'Width' の取得に失敗しました."},
    };
    for (const auto& [width, message] : cases) {
        SCOPED_TRACE(message);
        registry.Access()->DeleteKeyTree(kProgramKey);
        SeedTitledMemos(3);
        SeedProgram("Exec", 6);
        SeedMemo(2, "Width", width);
        SeedMemo(2, "Left", DwordValue(70));
        DeskWorld& run = Start();
        EXPECT_EQ(run.macro.windows.Shown(), std::vector{GeneralError(message)});
        EXPECT_EQ(Titles(), (std::vector<std::string>{"メモ0", "メモ1", "メモ2", "メモ3"}));
        EXPECT_EQ(run.table.Memos(2).Width(), 265) << "the store's default for an absent width";
        EXPECT_EQ(run.table.Memos(2).Left(), 70);
        EXPECT_EQ(run.clock.Exec(), 7);
        EXPECT_TRUE(run.clock.Timer1().Enabled());
        EXPECT_EQ(run.macro.windows.TooltipDelay(), 0);
        ExpectConsistent();
    }
}

// The values of stay-on-top, the alarm and the hotkeys: what the program cannot use is a read
// error, taken as absent, and the load goes on. A hotkey without Ctrl or Alt is none, quietly;
// one an earlier row holds is unusable.
TEST_F(RegistryStoreTest, UnusableAlarmAndHotkeyValuesAreReportedAndTakenAsAbsent) {
    const WallMinute at{{2026, 5, 10}, 9, 0};
    struct Row {
        const char* name;
        RegistryValue value;
        const char* error; // nullptr: none
        MemoAlarm alarm;
        uint16_t frontKey = 0x0246;
        uint16_t searchKey = 0; // absent from every other row's store: none, quietly
    };
    // clang-format off
    const Row rows[] = {
        {"AlarmAt", SzValue("2026-01-31T23:59"), nullptr, {WallMinute{{2026, 1, 31}, 23, 59}, AlarmRepeat::Daily}},
        {"AlarmAt", SzValue(""), nullptr, {std::nullopt, AlarmRepeat::Daily}},
        {"AlarmAt", SzValue("2026-02-30T09:00"), "'AlarmAt' の値が不正です.", {std::nullopt, AlarmRepeat::Daily}},
        {"AlarmAt", SzValue("2026-05-10 09:00"), "'AlarmAt' の値が不正です.", {std::nullopt, AlarmRepeat::Daily}},
        {"AlarmRepeat", DwordValue(4), nullptr, {at, AlarmRepeat::Yearly}},
        {"AlarmRepeat", DwordValue(5), "'AlarmRepeat' の値が不正です.", {at}},
        {"AlarmDay", DwordValue(31), nullptr, {at, AlarmRepeat::Daily, false, 31}},
        {"AlarmDay", DwordValue(32), "'AlarmDay' の値が不正です.", {at, AlarmRepeat::Daily}},
        {"HotKeyFront", DwordValue(0x1046), "'HotKeyFront' の値が不正です.", {at, AlarmRepeat::Daily}, 0},
        {"HotKeyFront", DwordValue(0x0046), nullptr, {at, AlarmRepeat::Daily}, 0},
        {"HotKeyFront", DwordValue(0x0146), nullptr, {at, AlarmRepeat::Daily}, 0},
        {"HotKeyFront", DwordValue(0x0600), nullptr, {at, AlarmRepeat::Daily}, 0},
        {"HotKeyFront", DwordValue(0x0446), nullptr, {at, AlarmRepeat::Daily}, 0x0446},
        {"HotKeySearch", DwordValue(0x1053), "'HotKeySearch' の値が不正です.", {at, AlarmRepeat::Daily}},
        {"HotKeySearch", DwordValue(0x0053), nullptr, {at, AlarmRepeat::Daily}},
        {"HotKeySearch", DwordValue(0x0653), nullptr, {at, AlarmRepeat::Daily}, 0x0246, 0x0653},
        {"HotKeySearch", DwordValue(0x0246), "'HotKeySearch' の値が不正です.", {at, AlarmRepeat::Daily}, 0x0246},
        {"HotKeyNewMemo", DwordValue(0x0246), "'HotKeyFront' の値が不正です.", {at, AlarmRepeat::Daily}, 0},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + (row.error ? row.error : ""));
        registry.Access()->DeleteKeyTree(kProgramKey);
        SeedTitledMemos(1);
        SeedMemo(0, "AlarmAt", SzValue("2026-05-10T09:00"));
        SeedMemo(0, "AlarmRepeat", DwordValue(1));
        SeedProgram("HotKeyFront", 0x0246);
        if (std::string_view(row.name).starts_with("HotKey"))
            Seed(kProgramKey, row.name, row.value);
        else
            SeedMemo(0, row.name, row.value);
        DeskWorld& run = Start();
        const std::vector<ShownMessageBox> none;
        EXPECT_EQ(run.macro.windows.Shown(),
                  row.error ? std::vector{GeneralError(row.error)} : none);
        EXPECT_EQ(Titles(), (std::vector<std::string>{"メモ0", "メモ1"}));
        EXPECT_EQ(run.table.Memos(0).Alarm(), row.alarm);
        EXPECT_EQ(run.hotkeys.Key(GlobalHotkey::Front), row.frontKey);
        EXPECT_EQ(run.hotkeys.Key(GlobalHotkey::Search), row.searchKey);
        EXPECT_FALSE(run.table.Memos(0).StayOnTop()) << "absent: off";
    }
}

// A see-through memo keeps its opacity; an opaque one writes nothing, so a store that never
// had one keeps its bytes. What the program cannot use is reported and loads opaque.
TEST_F(RegistryStoreTest, OpacityIsStoredOnlyBelowOpaqueAndWhatCannotBeUsedLoadsOpaque) {
    struct Row {
        std::optional<RegistryValue> stored;
        const char* error; // nullptr: none
        int32_t loaded;
        std::optional<RegistryValue> saved;
    };
    const char* const unusable = "'Opacity' の値が不正です.";
    // clang-format off
    const Row rows[] = {
        {std::nullopt, nullptr, 100, std::nullopt},
        {DwordValue(49), unusable, 100, std::nullopt},
        {DwordValue(50), nullptr, 50, DwordValue(50)},
        {DwordValue(100), nullptr, 100, std::nullopt},
        {DwordValue(101), unusable, 100, std::nullopt},
        {SzValue("70"), "'Opacity' のﾃﾞｰﾀ型が不正です.", 100, std::nullopt},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored ? testing::PrintToString(*row.stored) : "absent");
        registry.Access()->DeleteKeyTree(kProgramKey);
        SeedTitledMemos(1);
        SeedMemo(0, "Text", SzValue("残る"));
        if (row.stored) SeedMemo(0, "Opacity", *row.stored);
        DeskWorld& run = Start();
        const std::vector<ShownMessageBox> none;
        EXPECT_EQ(run.macro.windows.Shown(),
                  row.error ? std::vector{GeneralError(row.error)} : none);
        EXPECT_EQ(run.table.Memos(0).Opacity(), row.loaded);
        EXPECT_EQ(run.table.Memos(1).Opacity(), 100);
        run.store.SaveDatas();
        EXPECT_EQ(registry.Value(MemoKeyPath(0), "Opacity"), row.saved);
        EXPECT_EQ(registry.Value(MemoKeyPath(0), "Text"), WrittenText("残る"));
        EXPECT_FALSE(registry.Value(MemoKeyPath(1), "Opacity"));
    }
}

TEST_F(RegistryStoreTest, EveryDamagedValueCountsAndTheNextSaveKeepsEveryMemo) {
    SeedTitledMemos(3);
    SeedMemo(0, "Text", SzValue("N#{yyyy#}"));
    SeedMemo(1, "Height", SzValue("高い"));
    SeedMemo(2, "Visible", SzValue("x"));
    SeedMemo(3, "FontSize", SzValue("大きい"));
    DeskWorld& run = Start();
    EXPECT_EQ(run.macro.windows.Shown(),
              (std::vector{
                  GeneralError("'Height' のﾃﾞｰﾀ型が不正です."),
                  GeneralError("ほかにも 2 個の値が読めなかったため、既定の値で読み込みました.")}));
    ASSERT_EQ(run.table.MaxForm(), 3);
    Heartbeat heartbeat(run.clock, run.table, run.macro.expander, [] {});
    heartbeat.Timer1Timer();
    EXPECT_EQ(run.table.Memos(0).Text(), u"2026");
    run.store.SaveDatas();
    EXPECT_EQ(registry.Value(kProgramKey, "MaxForm"), DwordValue(3));
    EXPECT_EQ(registry.Value(MemoKeyPath(0), "Text"), WrittenText("N#{yyyy#}"));
    EXPECT_EQ(registry.Value(MemoKeyPath(1), "Height"), DwordValue(113));
    EXPECT_EQ(registry.Value(MemoKeyPath(3), "Title"), WrittenText("メモ3"));
}

TEST_F(RegistryStoreTest, AnUnreadableMaxFormLoadsEveryMemoKeyThatExists) {
    SeedTitledMemos(2);
    Seed(kProgramKey, "MaxForm", SzValue("2"));
    DeskWorld& run = Start();
    EXPECT_EQ(run.macro.windows.Shown(),
              (std::vector{GeneralError("メモを 3 枚読み込みました."),
                           GeneralError("'MaxForm' のﾃﾞｰﾀ型が不正です.")}));
    EXPECT_EQ(Titles(), (std::vector<std::string>{"メモ0", "メモ1", "メモ2"}));
    EXPECT_EQ(run.clock.Exec(), 1);
    EXPECT_TRUE(run.clock.Timer1().Enabled());
}

TEST_F(RegistryStoreTest, AMemoWindowThatCannotBeMadeEndsTheLoadAndIsReported) {
    SeedTitledMemos(2);
    registry.Restart();
    world = std::make_unique<DeskWorld>(registry);
    world->factory.FailNextMemo();
    world->store.LoadAtStart();
    EXPECT_EQ(world->macro.windows.Shown(), std::vector{GeneralError("no memo window.")});
    EXPECT_EQ(world->table.MaxForm(), -1);
    EXPECT_TRUE(world->clock.Timer1().Enabled());
    ExpectConsistent();
}

TEST_F(RegistryStoreTest, ASaveWritesEveryValueOfTheLayout) {
    DeskWorld& run = Start();
    Memo& memo = run.CreateMacro("予定", "N#{yyyy#}");
    memo.SetBounds(10, 20, 300, 150);
    memo.SetTitleBar(4);
    memo.SetTitleTextColor(0x00010203);
    memo.SetWindowColor(clBtnFace);
    memo.SetText(u"2026");
    memo.SetWordWrap(false);
    memo.SetMemoColor(clWhite);
    Font font;
    font.SetName("ＭＳ 明朝");
    font.style = fsItalic | fsStrikeOut;
    font.color = 0x00FF0000;
    font.height = -16;
    memo.SetMemoFont(font);
    memo.SetStayOnTop(true);
    memo.SetAlarm({WallMinute{{2026, 2, 28}, 7, 5}, AlarmRepeat::Monthly, true, 31});
    run.autosave.SetEnabled(true);
    run.autosave.SetPeriod(30);
    run.exitSettings.SetAskBeforeExit(true);
    run.hotkeys.SetKey(GlobalHotkey::NewMemo, 0x064E);
    run.store.SaveDatas();

    EXPECT_EQ(StoredKey(MemoKeyPath(0)),
              (std::map<std::string, RegistryValue>{
                  {"Top", DwordValue(20)},
                  {"Left", DwordValue(10)},
                  {"Width", DwordValue(300)},
                  {"Height", DwordValue(150)},
                  {"Title", WrittenText("予定")},
                  {"TitleBar", DwordValue(4)},
                  {"TitleText", DwordValue(0x00010203)},
                  {"TitleBackGround", DwordValue(static_cast<int32_t>(clBtnFace))},
                  {"Text", WrittenText("N#{yyyy#}")},
                  {"WordWrap", DwordValue(0)},
                  {"Visible", DwordValue(1)},
                  {"FontName", WrittenText("ＭＳ 明朝")},
                  {"Color", DwordValue(static_cast<int32_t>(clWhite))},
                  {"FontStyle", DwordValue(10)},
                  {"FontColor", DwordValue(0x00FF0000)},
                  {"FontSize", DwordValue(12)},
                  {"StayOnTop", DwordValue(1)},
                  {"AlarmAt", WrittenText("2026-02-28T07:05")},
                  {"AlarmRepeat", DwordValue(3)},
                  {"AlarmSound", DwordValue(1)},
                  {"AlarmDay", DwordValue(31)},
                  {"Id", WrittenText("00000000-0000-4000-8000-000000000001")},
              }));
    EXPECT_EQ(StoredKey(kProgramKey), (std::map<std::string, RegistryValue>{
                                          {"MaxForm", DwordValue(0)},
                                          {"Total", DwordValue(0)},
                                          {"Exec", DwordValue(1)},
                                          {"Saving", DwordValue(1)},
                                          {"SaveTiming", DwordValue(30)},
                                          {"cbText", DwordValue(0)},
                                          {"Alart", DwordValue(1)},
                                          {"HotKeyNewMemo", DwordValue(0x064E)},
                                          {"HotKeyFront", DwordValue(0)},
                                          {"HotKeySearch", DwordValue(0)},
                                      }));
    EXPECT_EQ(registry.Flushes(), 1);
}

TEST_F(RegistryStoreTest, DestroyingMemosAndSavingLeavesExactlyTheirKeys) {
    SeedTitledMemos(4);
    DeskWorld& run = Start();
    run.table.DestForm(0);
    run.table.DestForm(2);
    run.store.SaveDatas();
    EXPECT_EQ(registry.Value(kProgramKey, "MaxForm"), DwordValue(2));
    std::vector<std::string> keys;
    for (const auto& [path, values] : registry.Contents(kProgramKey))
        keys.push_back(path);
    EXPECT_EQ(keys, (std::vector<std::string>{std::string(kProgramKey), MemoKeyPath(0),
                                              MemoKeyPath(1), MemoKeyPath(2)}));
    Start();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"メモ4", "メモ1", "メモ3"}));
}

// A store left by earlier versions, other programs or a save that stopped: the next
// completed save leaves exactly what a save into an empty store leaves.
TEST_F(RegistryStoreTest, ACompletedSaveLeavesWhatASaveIntoAnEmptyStoreLeaves) {
    SeedTitledMemos(2);
    SeedProgram("Obsolete", 1);
    Seed(kProgramKey, "Total", SzValue("x")); // wrong type; read after MaxForm
    SeedMemo(1, "Extra", SzValue("?"));
    SeedMemo(1, "Width", DwordValue(333));
    Seed(MemoKeyPath(1) + "\\Deeper\\Still", "Value", DwordValue(1));
    SeedMemo(5, "Title", SzValue("途中で止まった保存の残り"));
    Seed(std::string(kProgramKey) + "\\Memo07", "Title", SzValue("名前が違う"));
    Seed(std::string(kProgramKey) + "\\Settings", "Title", SzValue("知らない"));
    DeskWorld& run = Start();
    EXPECT_EQ(run.macro.windows.Shown(), std::vector{GeneralError("'Total' のﾃﾞｰﾀ型が不正です.")});
    run.Create("新しい", "本文");
    run.store.SaveDatas();

    FakeRegistry empty;
    store::RegistryStore(empty, run.graphics, run.State(), run.macro.expander, run.macro.windows,
                         run.NewId())
        .SaveDatas();
    EXPECT_EQ(registry.Contents(kProgramKey), empty.Contents(kProgramKey));
}

TEST_F(RegistryStoreTest, AValueNameInAnotherCaseIsTheSameValue) {
    SeedProgram("maxform", 0);
    SeedMemo(0, "TITLE", SzValue("大文字"));
    DeskWorld& run = Start();
    ASSERT_EQ(Titles(), std::vector<std::string>{"大文字"});
    run.store.SaveDatas();
    EXPECT_EQ(registry.Value(MemoKeyPath(0), "Title"), WrittenText("大文字"));
    EXPECT_EQ(registry.Value(kProgramKey, "MaxForm"), DwordValue(0));
}

// The first value that cannot be written ends the save with its name; a memo key that
// cannot be opened fails at its first value, and nothing goes into the key open before.
TEST_F(RegistryStoreTest, AFailedWriteOrOpenEndsTheSaveWithTheValuesName) {
    SeedTitledMemos(1);
    DeskWorld& run = Start();
    run.table.Memos(0).SetTop(11);
    run.table.Memos(1).SetTop(22);
    const auto errorOfSaveFailingAt = [&](uint64_t call) -> std::string {
        registry.FailCall(registry.Calls() + call);
        try {
            run.store.SaveDatas();
        } catch (const platform::ERegistryException& error) {
            return error.what();
        }
        return "no error";
    };
    // Memo0: its open, Top, Left, Width, Height, Title.
    EXPECT_EQ(errorOfSaveFailingAt(6), "'Title' の設定に失敗しました");
    EXPECT_EQ(registry.LocksHeld(), 0);
    // Memo0: its open, 21 values (its id among them) and the count of what it holds; then
    // Memo1's open.
    EXPECT_EQ(errorOfSaveFailingAt(1 + 21 + 1 + 1), "'Top' の設定に失敗しました");
    EXPECT_EQ(registry.Value(MemoKeyPath(0), "Top"), DwordValue(11));
    EXPECT_EQ(registry.Value(MemoKeyPath(0), "Title"), WrittenText("メモ0"));
}

// The same whether the load reads the store itself or takes what was read ahead on a thread of
// its own as the program started.
TEST_F(RegistryStoreTest, EveryRegistryCallIsLockedAndNoBoxIsShownUnderTheLock) {
    for (const bool ahead : {false, true}) {
        SCOPED_TRACE(ahead ? "read ahead" : "read in place");
        SeedTitledMemos(1);
        SeedMemo(0, "Text", SzValue("A#{いつか#}"));
        SeedMemo(1, "Height", SzValue("高さ"));
        registry.Restart();
        const auto readAhead =
            ahead ? std::async(std::launch::async, [&] { return store::ReadStoreLocked(registry); })
                        .share()
                  : std::shared_future<store::StoredState>{};
        world = std::make_unique<DeskWorld>(registry);
        std::vector<int> locksWhileShown;
        for (int box = 0; box < 2; ++box)
            world->macro.windows.ScriptAnswer(platform::DialogResult::Ok, [&] {
                locksWhileShown.push_back(registry.LocksHeld());
            });
        world->store.LoadAtStart(readAhead);
        EXPECT_EQ(Titles(), (std::vector<std::string>{"メモ0", "メモ1"}));
        world->store.SaveDatas();
        EXPECT_GT(registry.Calls(), 0u);
        EXPECT_EQ(registry.UnlockedCalls(), 0u);
        EXPECT_EQ(locksWhileShown, (std::vector<int>{0, 0}));
        EXPECT_EQ(registry.LocksHeld(), 0);
    }
}

// Under Wine every call is a round trip to the server, so calls are what a load costs: the
// program key's open, one call a value (found and read at once), the count of its subkeys,
// and one open and one call a value for each memo key; its subkeys are listed only when
// some of them are not memo keys that opened.
TEST_F(RegistryStoreTest, TheLoadCostsOneCallForEachValueAndKey) {
    constexpr uint64_t kProgramCalls = 1 + 15 + 1;
    constexpr uint64_t kMemoCalls = 1 + 25;
    SeedTitledMemos(2);
    Start();
    EXPECT_EQ(registry.Calls(), kProgramCalls + 3 * kMemoCalls);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"メモ0", "メモ1", "メモ2"}));

    // The last memo key exists but does not open: its memo loads with the defaults, and the
    // listing that shows it exists costs an open and a call.
    registry.Restart();
    registry.FailCall(kProgramCalls + 2 * kMemoCalls + 1);
    world = std::make_unique<DeskWorld>(registry);
    world->store.LoadAtStart();
    EXPECT_EQ(registry.Calls(), kProgramCalls + 2 * kMemoCalls + 1 + 2);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"メモ0", "メモ1", "無題"}));
    EXPECT_TRUE(world->macro.windows.Shown().empty());
}

// What the sync values of two memo keys load as, and what the next save leaves of them: an id
// that is not a lower-case GUID, or one an earlier memo has, gives way to a new one.
TEST_F(RegistryStoreTest, IdsAndSyncValuesLoadAndTheNextSaveMakesTheMissingIds) {
    const std::string a = "0f1e2d3c-4b5a-4978-8877-665544332211";
    const std::string b = "aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee";
    const std::string made1 = "00000000-0000-4000-8000-000000000001";
    const std::string made2 = "00000000-0000-4000-8000-000000000002";
    struct Seeded {
        int slot;
        std::string name;
        RegistryValue value;
    };
    // A memo gets its id as it is made, the load's among them; a stored id valid and not
    // taken yet replaces it.
    struct Row {
        const char* what;
        std::vector<Seeded> seeded;
        const char* error; // nullptr: none
        SyncMark loaded[2];
    };
    const std::string upper = "0F1E2D3C-4B5A-4978-8877-665544332211";
    // clang-format off
    const Row rows[] = {
        {"a store from before ids", {}, nullptr, {{made1}, {made2}}},
        {"ids kept", {{0, "Id", SzValue(a)}, {1, "Id", SzValue(b)}}, nullptr, {{a}, {b}}},
        // A lineage counts only beside counters.
        {"sync values", {{0, "Id", SzValue(a)}, {0, "SyncVersions", SzValue(R"({"pc1":3})")},
                         {0, "SyncBase", SzValue("f00d")}, {0, "SyncLineage", SzValue("{}")},
                         {1, "SyncBase", SzValue("beef")}, {1, "SyncLineage", SzValue("{}")}},
         nullptr, {{a, R"({"pc1":3})", "f00d", "{}"}, {made2, "", "beef"}}},
        {"upper case", {{0, "Id", SzValue(upper)}, {1, "Id", SzValue(b)}}, "'Id' の値が不正です.",
         {{made1}, {b}}},
        {"braces", {{0, "Id", SzValue("{" + a + "}")}}, "'Id' の値が不正です.", {{made1}, {made2}}},
        {"a hyphen moved", {{1, "Id", SzValue("0f1e2d3c4-b5a-4978-8877-665544332211")}},
         "'Id' の値が不正です.", {{made1}, {made2}}},
        {"wrong type", {{0, "Id", DwordValue(7)}}, "'Id' のﾃﾞｰﾀ型が不正です.", {{made1}, {made2}}},
        {"one id twice", {{0, "Id", SzValue(a)}, {1, "Id", SzValue(a)}}, nullptr, {{a}, {made2}}},
        {"the made id taken", {{0, "Id", SzValue(made1)}}, nullptr, {{made1}, {made2}}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        registry.Access()->DeleteKeyTree(kProgramKey);
        SeedTitledMemos(1);
        for (const Seeded& seeded : row.seeded)
            SeedMemo(seeded.slot, seeded.name, seeded.value);
        DeskWorld& run = Start();
        const std::vector<ShownMessageBox> none;
        EXPECT_EQ(run.macro.windows.Shown(),
                  row.error ? std::vector{GeneralError(row.error)} : none);
        ASSERT_EQ(Titles(), (std::vector<std::string>{"メモ0", "メモ1"}));
        for (int slot = 0; slot < 2; ++slot)
            EXPECT_EQ(run.table.Memos(slot).Sync(), row.loaded[slot]) << slot;

        run.store.SaveDatas();
        for (int slot = 0; slot < 2; ++slot) {
            const SyncMark& saved = row.loaded[slot];
            EXPECT_EQ(run.table.Memos(slot).Sync(), saved) << slot;
            const auto key = StoredKey(MemoKeyPath(slot));
            const auto stored = [&](const char* name) -> std::optional<RegistryValue> {
                const auto found = key.find(name);
                return found == key.end() ? std::nullopt : std::optional(found->second);
            };
            const auto expected = [](const std::string& text) -> std::optional<RegistryValue> {
                return text.empty() ? std::nullopt : std::optional(WrittenText(text));
            };
            EXPECT_EQ(stored("Id"), WrittenText(saved.id)) << slot;
            EXPECT_EQ(stored("SyncVersions"), expected(saved.versions)) << slot;
            EXPECT_EQ(stored("SyncBase"), expected(saved.base)) << slot;
            EXPECT_EQ(stored("SyncLineage"), expected(saved.lineage)) << slot;
        }
    }
}

// An id belongs to its memo, whatever slot it moves to, through any number of saves and runs;
// a run's new memo never takes an id another memo has, though each run's ids are counted
// from the same start here.
TEST_F(RegistryStoreTest, AnIdIsMadeOnceAndFollowsItsMemo) {
    const auto ids = [this] {
        std::vector<std::string> all;
        for (int slot = 0; slot <= world->table.MaxForm(); ++slot)
            all.push_back(world->table.Memos(slot).Sync().id);
        return all;
    };
    const std::string made1 = "00000000-0000-4000-8000-000000000001";
    const std::string made2 = "00000000-0000-4000-8000-000000000002";
    const std::string made3 = "00000000-0000-4000-8000-000000000003";
    DeskWorld& first = Start();
    first.Create("一");
    first.Create("二");
    EXPECT_EQ(ids(), (std::vector{made1, made2})) << "each made with its memo";
    first.store.SaveDatas();
    first.store.SaveDatas();
    EXPECT_EQ(ids(), (std::vector{made1, made2}));

    DeskWorld& second = Start();
    EXPECT_EQ(ids(), (std::vector{made1, made2}));
    second.Create("三");
    second.store.SaveDatas();
    EXPECT_EQ(ids(), (std::vector{made1, made2, made3}));

    DeskWorld& third = Start();
    third.table.DestForm(0);
    third.store.SaveDatas();
    EXPECT_EQ(Titles(), (std::vector<std::string>{"三", "二"}));
    EXPECT_EQ(registry.Value(MemoKeyPath(0), "Id"), WrittenText(made3));
    EXPECT_EQ(registry.Value(MemoKeyPath(1), "Id"), WrittenText(made2));
    Start();
    EXPECT_EQ(ids(), (std::vector{made3, made2}));
}

// What the sync engine does to one memo: its key written anywhere, read back and put onto a
// memo already shown, whose mode goes from macro to plain text and back.
TEST_F(RegistryStoreTest, OneMemoKeyWrittenAndReadBackUpdatesAMemoInPlace) {
    const std::string path = std::string(kProgramKey) + "\\Elsewhere";
    struct Row {
        const char* what;
        bool macroBefore;
        std::string source;
        bool readOnly;
        std::string text;
        int32_t opacityBefore = 100;
        int32_t opacity = 100; // at 100 the key has none, and the memo turns opaque all the same
    };
    const Row rows[] = {
        {"macro to plain", true, "ただの文", false, "ただの文", 70, 100},
        {"plain to macro", false, "N#{yyyy#}年", true, "2026年", 100, 60},
        {"macro to macro", true, "N#{mm#}月", true, "12月", 50, 80},
        {"plain to plain", false, "別の文", false, "別の文"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        DeskWorld& run = Start();
        Memo& source = run.Create("届いた", row.source);
        source.SetBounds(5, 6, 300, 200);
        source.SetStayOnTop(true);
        source.SetOpacity(row.opacity);
        if (IsMacroSource(row.source)) {
            source.SetMacroText(AsMemoText(row.source));
            source.SetReadOnly(true);
        }
        source.SetSync({"0f1e2d3c-4b5a-4978-8877-665544332211", R"({"pc1":1})", "base"});
        Memo& shown =
            row.macroBefore ? run.CreateMacro("前", "N#{hh#}時") : run.Create("前", "前の文");
        run.macro.expander.ExpandMacros(shown, run.clock);
        shown.SetOpacity(row.opacityBefore);
        shown.SetSync({"0f1e2d3c-4b5a-4978-8877-665544332211", R"({"pc2":4})", "old"});
        store::WriteMemoKey(*registry.Access(), path, source, 96);
        store::StoredState errors;
        const store::StoredMemo stored = store::ReadMemoKey(*registry.Access(), path, errors);
        EXPECT_FALSE(errors.error.has_value());
        store::RestoreMemo(stored, shown, run.macro.expander, run.clock, 96);
        run.macro.expander.ExpandMacros(source, run.clock);
        EXPECT_EQ(shown.ReadOnly(), row.readOnly);
        EXPECT_EQ(shown.Text(), AsMemoText(row.text));
        EXPECT_EQ(StoredFields(shown), StoredFields(source));
        registry.Access()->DeleteKeyTree(kProgramKey);
    }
}

TEST_F(RegistryStoreTest, AMaxFormBeyondTheTableLoadsTheMemoKeysThereAndKeepsTheRest) {
    SeedTitledMemos(2);
    SeedProgram("MaxForm", 250);
    SeedMemo(101, "Title", SzValue("101枚目"));
    SeedMemo(240, "Title", SzValue("240枚目"));
    DeskWorld& run = Start();
    EXPECT_EQ(run.macro.windows.Shown(),
              std::vector{GeneralError("'MaxForm' の値 250 が不正です。メモを 3 枚読み込みました\n"
                                       "メモは101枚までです。Memo101 以降のメモは読み込まずに"
                                       "残してあります.")});
    EXPECT_EQ(Titles(), (std::vector<std::string>{"メモ0", "メモ1", "メモ2"}));
    run.table.DestForm(2);
    run.store.SaveDatas();
    EXPECT_EQ(registry.Value(kProgramKey, "MaxForm"), DwordValue(1));
    EXPECT_FALSE(registry.KeyExists(MemoKeyPath(2)));
    EXPECT_EQ(registry.Value(MemoKeyPath(101), "Title"), SzValue("101枚目"));
    EXPECT_EQ(registry.Value(MemoKeyPath(240), "Title"), SzValue("240枚目"));
}

TEST_F(RegistryStoreTest, AMaxFormNamingMissingKeysMakesNoEmptyWindows) {
    const std::pair<int32_t, int> cases[] = {{100, 3}, {-7, 3}, {INT32_MAX, 3}, {5, 3}};
    for (const auto& [maxForm, loaded] : cases) {
        SCOPED_TRACE(maxForm);
        registry.Access()->DeleteKeyTree(kProgramKey);
        SeedTitledMemos(1);
        registry.CreateKey(MemoKeyPath(2));
        SeedProgram("MaxForm", maxForm);
        DeskWorld& run = Start();
        EXPECT_EQ(run.table.MaxForm() + 1, loaded);
        EXPECT_EQ(run.macro.windows.Shown(),
                  std::vector{GeneralError("'MaxForm' の値 " + std::to_string(maxForm) +
                                           " が不正です。メモを 3 枚読み込みました.")});
    }
}

TEST_F(RegistryStoreTest, MemoKeysBeyondTheTableAreReportedAndKeptWhateverMaxFormSays) {
    SeedTitledMemos(0);
    SeedMemo(101, "Title", SzValue("余り"));
    SeedMemo(3, "Title", SzValue("止まった保存の残り"));
    DeskWorld& run = Start();
    EXPECT_EQ(run.macro.windows.Shown(),
              std::vector{GeneralError(
                  "メモは101枚までです。Memo101 以降のメモは読み込まずに残してあります.")});
    run.store.SaveDatas();
    EXPECT_TRUE(registry.KeyExists(MemoKeyPath(101)));
    EXPECT_FALSE(registry.KeyExists(MemoKeyPath(3)));
}

} // namespace
} // namespace petarino
