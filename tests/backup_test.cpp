// Backups of the store: the exact round trip, the files the program refuses with the store
// untouched, the automatic backups and the road that puts a backup in place of the memos.
#include "tick/heartbeat.h"
#include "platform/fake/fake_choosers.h"
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_registry.h"
#include "registry_value_printer.h"
#include "store/backup_file.h"
#include "store/exit_sequence.h"
#include "store/memo_backups.h"
#include "store/store_layout.h"
#include "testing/desk_world.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace petarino::store {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using platform::RegistryType;
using platform::RegistryValue;
using Json = nlohmann::ordered_json;

constexpr platform::LocalTime kMorning{
    .year = 2026, .month = 12, .day = 31, .hour = 23, .minute = 59, .second = 58};

// Values of every kind, the load's own among them, beside the memo values a save writes.
const std::vector<NamedValue> kOddValues{
    {"Note", platform::SzValue("ペタリノ\r\nｶﾀｶﾅ\0"s)},
    {"Bare", platform::SzValue("no terminator")},
    {"Nuls", platform::SzValue("a\0b\0\0"s)},
    {"Lone", platform::SzValue("\x81")},       // a lead byte with nothing after it
    {"Nec", platform::SzValue("\xFA\x40\0"s)}, // a character with a twin in code page 932
    {"Path", {RegistryType::ExpandSz, "%TEMP%\\表\0"s}},
    {"List", {RegistryType::MultiSz, "一\0two\0\0"s}},
    {"Short", {RegistryType::Dword, "\x01\x02"s}},
    {"Bytes", {RegistryType::Binary, "\0\xff\x81\x5c"s}},
    {"Wide", {RegistryType::Qword, "\x01\0\0\0\0\0\0\x80"s}},
    {"Empty", {RegistryType::None, ""}},
    {"名前", platform::DwordValue(-7)},
    {"\x81\x5c\x82", platform::DwordValue(1)}, // a name that is no text of code page 932
};

// The program and its store on fakes, the files of both in one temporary folder.
class BackupTest : public ::testing::Test {
protected:
    BackupTest() {
        world.macro.kernel.SetNow(kMorning);
        world.store.LoadAtStart();
    }

    // A full table: every memo different, plain and macro ones, hidden and shown.
    void FillTable() {
        for (int i = 0; i < MemoTable::kSlots; ++i) {
            Memo& memo = i % 3 == 0 ? world.CreateMacro("時計" + std::to_string(i), "N#{hh:nn#}")
                                    : world.Create("メモ" + std::to_string(i),
                                                   std::string(static_cast<size_t>(i) * 20, 'x'));
            memo.SetBounds(i, 2 * i, 100 + i, 60 + i);
            memo.SetMemoColor(static_cast<Color>(0x102030 + i));
            memo.SetVisible(i % 2 == 0);
            world.macro.expander.ExpandMacros(memo, world.clock);
        }
    }
    std::map<std::string, std::map<std::string, RegistryValue>> Store() const {
        return registry.Contents(kProgramKey);
    }
    std::vector<platform::FilePath> BackupFiles() {
        std::vector<platform::FilePath> paths;
        for (const BackupEntry& entry : backups.List())
            paths.push_back(entry.path);
        return paths;
    }
    platform::FilePath FileWith(std::string_view bytes) {
        const platform::FilePath path = files.InFolder(files.ProgramFolder(), "chosen.json");
        std::ofstream(files.Native(path), std::ios::binary).write(bytes.data(), bytes.size());
        return path;
    }
    std::string BackupOfStore() {
        const auto access = registry.Access();
        return BackupText(ReadSnapshot(*access), kMorning, world.macro.kernel);
    }
    const std::vector<platform::ShownMessageBox>& Shown() const {
        return world.macro.windows.Shown();
    }

    platform::FakeRegistry registry;
    DeskWorld world{registry};
    platform::FakeFiles files;
    platform::FakeChoosers choosers;
    bool dialogOpen = false;
    MemoBackups backups{world.store,         files,    world.macro.kernel,
                        world.macro.windows, choosers, [&] { return dialogOpen; }};
};

bool BeforeRestore(const BackupEntry& entry) {
    return entry.row.ends_with(" 枚（復元前）");
}

TEST_F(BackupTest, AFullStoreWithEveryKindOfValueComesBackByteForByte) {
    FillTable();
    world.store.SaveDatas();
    for (const NamedValue& odd : kOddValues) {
        registry.SetValue(kProgramKey, odd.name, odd.value);
        registry.SetValue(MemoKeyPath(100), odd.name, odd.value);
    }
    const auto saved = Store();

    const Backup backup = ParseBackup(BackupOfStore(), world.macro.kernel);
    EXPECT_EQ(backup.memoCount, 101);

    platform::FakeRegistry fresh;
    {
        const auto access = fresh.Access();
        ASSERT_TRUE(access->OpenKey(kProgramKey, true));
        for (const NamedValue& value : backup.snapshot.program)
            access->WriteValue(value.name, value.value);
        WriteSnapshotMemos(*access, backup.snapshot);
    }
    EXPECT_EQ(fresh.Contents(kProgramKey), saved);

    DeskWorld original(registry);
    original.store.LoadAtStart();
    DeskWorld loaded(fresh);
    loaded.store.LoadAtStart();
    ASSERT_EQ(loaded.table.MaxForm(), 100);
    for (int slot = 0; slot <= 100; ++slot) {
        EXPECT_EQ(StoredFields(loaded.table.Memos(slot)), StoredFields(original.table.Memos(slot)))
            << slot;
        EXPECT_TRUE(IsSyncId(loaded.table.Memos(slot).Sync().id)) << "the id travels, " << slot;
    }
}

TEST_F(BackupTest, EveryBadFileIsRefusedNamingItAndTheStoreStaysAsItWas) {
    world.Create("残す", "text");
    world.store.SaveDatas();
    const std::string good = BackupOfStore();
    const auto edited = [&](const std::function<void(Json&)>& edit) {
        Json json = Json::parse(good);
        edit(json);
        return json.dump();
    };
    Json memo = Json::parse(good)["memoKeys"][0];
    const auto Named = [](Json& values, std::string_view name) -> Json& {
        for (Json& value : values)
            if (value["name"] == std::string(name)) return value;
        throw std::logic_error("no such value");
    };
    struct Case {
        std::string bytes;
        std::string reason;
    };
    const std::vector<Case> cases{
        {"memo text", "はバックアップとして読み込めません：JSON として読めません"},
        {R"({"format": "other", "version": 1})", "ペタリノのバックアップではありません"},
        {edited([](Json& j) { j["version"] = 2; }), "このペタリノより新しい版のバックアップです"},
        {good.substr(0, good.size() / 2), "JSON として読めません（途中で切れているか"},
        {edited([](Json& j) { j["version"] = "1"; }), "形式が正しくありません（version）"},
        {edited([&](Json& j) { Named(j["memoKeys"][0]["values"], "Top")["type"] = "dword"; }),
         "形式が正しくありません（type）"},
        {edited([&](Json& j) { Named(j["memoKeys"][0]["values"], "Top")["text"] = "abc"; }),
         "形式が正しくありません（values）"},
        {edited([](Json& j) { j["memos"] = 2; }), "形式が正しくありません（memos）"},
        {edited([&](Json& j) {
             j["memoKeys"] = Json::array();
             for (int slot = 0; slot < 102; ++slot) {
                 memo["name"] = MemoKeyName(slot);
                 j["memoKeys"].push_back(memo);
             }
         }),
         "メモが 101 枚を超えています"},
        {edited([&](Json& j) {
             Json& top = Named(j["memoKeys"][0]["values"], "Top");
             top.erase("dword");
             top["type"] = 1;
             top["text"] = "top";
         }),
         "読み込めない値があります（'Top' のﾃﾞｰﾀ型が不正です）"},
        {edited([&](Json& j) { Named(j["programKey"], "MaxForm")["dword"] = 5; }),
         "メモの数（MaxForm）が壊れています"},
        {std::string(platform::kMostBytesRead + 1, ' '), "は大きすぎます"},
    };
    const auto before = Store();
    for (const Case& c : cases) {
        const platform::FilePath path = FileWith(c.bytes);
        const size_t shown = Shown().size();
        backups.Restore(path);
        ASSERT_EQ(Shown().size(), shown + 1) << c.reason << ": no question, one message";
        EXPECT_NE(Shown().back().text.find(files.Display(path)), std::string::npos) << c.reason;
        EXPECT_NE(Shown().back().text.find(c.reason), std::string::npos) << Shown().back().text;
        EXPECT_EQ(Store(), before) << c.reason;
    }
    EXPECT_EQ(world.table.MaxForm(), 0);
    EXPECT_TRUE(BackupFiles().empty());
}

// The list reads the count from a file's header alone, so a backup of ten megabytes costs a few
// kilobytes to list; a file without the count in its header is read whole, as before.
TEST_F(BackupTest, TheListTakesTheCountFromTheHeaderAndReadsWholeOnlyAFileWithoutIt) {
    world.Create("一");
    world.Create("二", std::string(20'000, 'x'));
    world.store.SaveDatas();
    const std::string good = BackupOfStore();
    Json countLast = Json::parse(good);
    countLast.erase("memos");
    countLast["memos"] = 2;
    struct Row {
        std::string bytes;
        const char* count;
    };
    const Row rows[] = {
        {good, "2"},
        {good.substr(0, good.size() / 2), "2"}, // the header only: a restore checks the rest
        {countLast.dump(1, '\t'), "2"},
        {R"({"format": "petarino-backup", "version": 1, "memos": 102})", "?"},
        {R"({"format": "other", "version": 1, "memos": 2})", "?"},
        {"memo text", "?"},
    };
    EXPECT_EQ(BackupHeaderMemoCount(good.substr(0, kBackupHeaderBytes)), 2);
    EXPECT_EQ(BackupHeaderMemoCount(countLast.dump(1, '\t').substr(0, kBackupHeaderBytes)),
              std::nullopt);
    const platform::FilePath folder =
        files.InFolder(files.LocalAppDataFolder(), "Petarino\\Backups\\");
    files.CreateFolder(folder);
    for (size_t i = 0; i < std::size(rows); ++i)
        files.WriteWhole(
            files.InFolder(folder, "petarino-20261231-00000" + std::to_string(i) + ".json"),
            rows[i].bytes);
    const std::vector<BackupEntry> list = backups.List();
    ASSERT_EQ(list.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(list[std::size(rows) - 1 - i].row,
                  "2026/12/31 00:00:0" + std::to_string(i) + " - " + rows[i].count + " 枚")
            << i;
}

TEST_F(BackupTest, RestoringAnOlderBackupBringsADestroyedMemoBackAndCanItselfBeUndone) {
    world.Create("一", "first");
    world.CreateMacro("二", "#{yyyy#}");
    world.store.SaveDatas();
    backups.AfterExitSave();
    world.table.DestForm(1);
    world.macro.kernel.SetNow({.year = 2027, .month = 1, .day = 1, .hour = 8});
    world.store.SaveDatas();
    backups.AfterExitSave();
    const auto list = backups.List();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].row, "2027/01/01 08:00:00 - 1 枚");
    EXPECT_EQ(list[1].row, "2026/12/31 23:59:58 - 2 枚");
    const platform::FilePath older = list[1].path;

    world.macro.windows.ScriptAnswer(platform::DialogResult::No);
    backups.Restore(older);
    EXPECT_EQ(world.table.MaxForm(), 0) << "No changes nothing";
    EXPECT_EQ(backups.List().size(), 2u);

    world.table.Memos(0).SetText("typed since the save");
    world.macro.windows.ScriptAnswer(platform::DialogResult::Yes);
    backups.Restore(older);
    EXPECT_EQ(Shown().back(),
              (platform::ShownMessageBox{"現在のメモを、選んだバックアップの内容に置き換えますか？",
                                         "確認", 0x24}));
    ASSERT_EQ(world.table.MaxForm(), 1);
    EXPECT_EQ(world.table.Memos(0).Text(), "first");
    EXPECT_EQ(world.table.Memos(1).Hint(), "二");
    EXPECT_EQ(world.table.Memos(1).MacroText(), "#{yyyy#}");
    EXPECT_EQ(world.list.Rows(), (std::vector<std::string>{"○ - 一", "○ - 二"}));
    EXPECT_TRUE(registry.KeyExists(MemoKeyPath(1)));

    // The state it replaced, with the text typed since the last save, is the newest backup.
    const auto after = backups.List();
    ASSERT_EQ(after.size(), 3u);
    EXPECT_EQ(after[0].row, "2027/01/01 08:00:01 - 1 枚（復元前）")
        << "a taken name moves on a second";
    world.macro.windows.ScriptAnswer(platform::DialogResult::Yes);
    backups.Restore(after[0].path);
    ASSERT_EQ(world.table.MaxForm(), 0);
    EXPECT_EQ(world.table.Memos(0).Text(), "typed since the save");
}

TEST_F(BackupTest, TheNewestTwentyStayAndOnlyExitsAndTheDaysFirstAutosaveWriteThem) {
    world.Create("メモ");
    world.store.SaveDatas();
    for (int i = 0; i < 21; ++i)
        backups.AfterExitSave();
    const auto kept = backups.List();
    ASSERT_EQ(kept.size(), 20u);
    EXPECT_EQ(kept.back().row, "2026/12/31 23:59:59 - 1 枚") << "the 21st removed the oldest";
    EXPECT_EQ(kept.front().row, "2027/01/01 00:00:18 - 1 枚");
    for (const platform::FilePath& path : BackupFiles())
        files.RemoveFile(path);

    world.exitSettings.SetAskBeforeExit(true);
    ExitSequence exit{world.State(), world.store, world.macro.windows, files,
                      [&] { backups.AfterExitSave(); }};
    world.macro.windows.ScriptAnswer(platform::DialogResult::No);
    EXPECT_FALSE(exit.FormCloseQuery());
    for (uint64_t call = 1; call <= 50; ++call)
        registry.FailCall(registry.Calls() + call);
    world.macro.windows.ScriptAnswer(platform::DialogResult::Yes);
    EXPECT_FALSE(exit.FormCloseQuery());
    EXPECT_TRUE(BackupFiles().empty()) << "a refused and a failed exit write none";
    registry.Restart();
    world.macro.windows.ScriptAnswer(platform::DialogResult::Yes);
    EXPECT_TRUE(exit.FormCloseQuery());
    EXPECT_EQ(BackupFiles().size(), 1u);

    world.clock.Timer1().Reattach();
    world.autosave.SetEnabled(true);
    world.autosave.SetPeriod(1);
    Heartbeat heartbeat{world.clock, world.table, world.macro.expander, [&] {
                            world.store.SaveDatas();
                            backups.AfterAutosave();
                        }};
    const auto autosaveAt = [&](int day) {
        world.macro.kernel.SetNow({.year = 2027, .month = 2, .day = day, .hour = 9});
        for (int tick = 0; tick <= 60; ++tick)
            heartbeat.Timer1Timer();
    };
    autosaveAt(1);
    autosaveAt(1);
    EXPECT_EQ(BackupFiles().size(), 2u);
    autosaveAt(2);
    EXPECT_EQ(BackupFiles().size(), 3u);
}

// Sync backs up before it replaces memos, up to every quarter of an hour: a few hours of another
// PC's edits make more backups than are kept, and push out only sync's own.
TEST_F(BackupTest, SyncBackupsAreKeptApartAndPushOutNoExitOrDailyBackup) {
    world.Create("メモ");
    world.store.SaveDatas();
    backups.AfterExitSave();
    world.macro.kernel.SetNow({.year = 2027, .month = 1, .day = 2, .hour = 9});
    backups.AfterAutosave();
    for (int i = 0; i < 25; ++i)
        backups.BeforeSync();

    const std::vector<BackupEntry> list = backups.List();
    ASSERT_EQ(list.size(), size_t{BackupFolder::kKept} + 2);
    EXPECT_EQ(std::ranges::count_if(
                  list, [](const BackupEntry& entry) { return entry.row.ends_with("（同期前）"); }),
              BackupFolder::kKept);
    EXPECT_EQ(list.front().row, "2027/01/02 09:00:25 - 1 枚（同期前）");
    EXPECT_EQ(list[BackupFolder::kKept].row, "2027/01/02 09:00:00 - 1 枚") << "the day's first";
    EXPECT_EQ(list.back().row, "2026/12/31 23:59:58 - 1 枚") << "the exit's";
}

// Every restore backs up what it replaces, apart from the automatic backups: a user stepping
// back through all of them, oldest last, reaches each one and loses none.
TEST_F(BackupTest, SteppingBackThroughEveryAutomaticBackupRemovesNone) {
    world.Create("メモ");
    world.store.SaveDatas();
    for (int i = 0; i < BackupFolder::kKept; ++i)
        backups.AfterExitSave();
    const std::vector<BackupEntry> automatic = backups.List();
    ASSERT_EQ(automatic.size(), size_t{BackupFolder::kKept});
    for (const BackupEntry& entry : automatic) {
        world.macro.windows.ScriptAnswer(platform::DialogResult::Yes);
        ASSERT_TRUE(backups.Restore(entry.path)) << entry.row;
    }
    world.macro.windows.ScriptAnswer(platform::DialogResult::Yes);
    ASSERT_TRUE(backups.Restore(automatic.back().path)) << "the oldest, once more";

    const std::vector<BackupEntry> list = backups.List();
    const auto before = std::ranges::count_if(list, BeforeRestore);
    EXPECT_EQ(before, BackupFolder::kKept) << "the 21st before a restore removed the oldest";
    EXPECT_EQ(std::ssize(list) - before, BackupFolder::kKept);
    for (const BackupEntry& entry : automatic)
        EXPECT_NE(std::ranges::find(list, entry.path, &BackupEntry::path), list.end()) << entry.row;
    EXPECT_EQ(list.front().row, "2027/01/01 00:00:38 - 1 枚（復元前）");
    EXPECT_EQ(list.back().row, "2026/12/31 23:59:58 - 1 枚");
}

TEST_F(BackupTest, NamesFollowTheOrderOfWritingWhateverTheClockSays) {
    world.Create("メモ");
    world.store.SaveDatas();
    BackupFolder folder{files};
    const platform::LocalTime setBack{.year = 2020, .month = 1, .day = 1};
    const struct {
        platform::LocalTime now;
        BackupKind kind;
        std::string name;
        std::string row;
    } steps[] = {
        {kMorning, BackupKind::Automatic, "petarino-20261231-235958.json",
         "2026/12/31 23:59:58 - 1 枚"},
        {kMorning, BackupKind::BeforeRestore, "petarino-20261231-235959-before.json",
         "2026/12/31 23:59:59 - 1 枚（復元前）"},
        {setBack, BackupKind::Automatic, "petarino-20270101-000000.json",
         "2027/01/01 00:00:00 - 1 枚"},
        {setBack, BackupKind::BeforeRestore, "petarino-20270101-000001-before.json",
         "2027/01/01 00:00:01 - 1 枚（復元前）"},
        {{.year = 2027, .month = 3, .day = 1, .hour = 12},
         BackupKind::BeforeRestore,
         "petarino-20270301-120000-before.json",
         "2027/03/01 12:00:00 - 1 枚（復元前）"},
        {{.year = 2027, .month = 3, .day = 1, .hour = 12},
         BackupKind::BeforeSync,
         "petarino-20270301-120001-sync.json",
         "2027/03/01 12:00:01 - 1 枚（同期前）"},
    };
    for (const auto& step : steps) {
        const platform::FilePath path = folder.Write(BackupOfStore(), step.now, step.kind);
        EXPECT_TRUE(files.Display(path).ends_with("\\" + step.name)) << files.Display(path);
        const std::vector<BackupEntry> list = folder.List();
        ASSERT_FALSE(list.empty());
        EXPECT_EQ(list.front().path, path);
        EXPECT_EQ(list.front().row, step.row);
    }
    EXPECT_EQ(BackupNameOf("petarino-20270101-000001-before.json")->kind,
              BackupKind::BeforeRestore);
    EXPECT_EQ(BackupNameOf("petarino-20270101-000001-sync.json")->kind, BackupKind::BeforeSync);
    for (const std::string_view other :
         {"petarino-20270101-000001-after.json", "petarino-20270101-000001-before.json.json",
          "petarino-20270101-000001before.json", "petarino-20270101-000001-sync-before.json"})
        EXPECT_FALSE(BackupNameOf(other)) << other;
}

// The fault this guards against: a clock set back named the backup of the replaced memos the
// oldest, and the full folder removed it at once, while the restore went on.
TEST_F(BackupTest, ARestoreUnderAClockSetBackKeepsItsWayBackAndTheFileItRestores) {
    world.Create("一", "first");
    world.store.SaveDatas();
    BackupFolder folder{files};
    for (int i = 0; i < BackupFolder::kKept; ++i)
        folder.Write(BackupOfStore(), kMorning, BackupKind::BeforeRestore);
    const platform::FilePath oldest = backups.List().back().path;
    world.Create("二", "second");
    world.macro.kernel.SetNow({.year = 2020, .month = 1, .day = 1});

    world.macro.windows.ScriptAnswer(platform::DialogResult::Yes);
    ASSERT_TRUE(backups.Restore(oldest));
    ASSERT_EQ(world.table.MaxForm(), 0);
    const std::vector<BackupEntry> list = backups.List();
    ASSERT_EQ(list.size(), size_t{BackupFolder::kKept} + 1) << "the restored file stays too";
    EXPECT_EQ(list.back().path, oldest);
    EXPECT_EQ(list.front().row, "2027/01/01 00:00:18 - 2 枚（復元前）");

    world.macro.windows.ScriptAnswer(platform::DialogResult::Yes);
    ASSERT_TRUE(backups.Restore(list.front().path));
    ASSERT_EQ(world.table.MaxForm(), 1);
    EXPECT_EQ(world.table.Memos(1).Text(), "second");
    EXPECT_EQ(std::ssize(backups.List()), BackupFolder::kKept) << "no longer restored, it went";
}

// A memo's dialog or the destroy question holds a memo that a restore would free.
TEST_F(BackupTest, ARestoreOrAnImportWithAMemoDialogOpenIsToldAndChangesNothing) {
    world.Create("一", "first");
    world.store.SaveDatas();
    backups.AfterExitSave();
    world.Create("二", "second");
    const platform::FilePath file = backups.List().front().path;
    const auto stored = Store();
    choosers.AnswerLoad(file);
    dialogOpen = true;
    const std::pair<const char*, std::function<bool()>> roads[] = {
        {"元に戻す", [&] { return backups.Restore(file); }},
        {"読み込み...", [&] { return backups.Import(); }},
    };
    for (const auto& [button, road] : roads) {
        const size_t shown = Shown().size();
        EXPECT_FALSE(road()) << button;
        ASSERT_EQ(Shown().size(), shown + 1) << button << ": no question";
        EXPECT_EQ(Shown().back(),
                  (platform::ShownMessageBox{"メモのダイアログを閉じてから、もう一度お試しください",
                                             "ペタリノ", 0x40}));
    }
    EXPECT_EQ(choosers.LoadsOpened(), 0);
    EXPECT_EQ(world.table.MaxForm(), 1);
    EXPECT_EQ(Store(), stored);
    EXPECT_EQ(backups.List().size(), 1u);

    dialogOpen = false;
    world.macro.windows.ScriptAnswer(platform::DialogResult::Yes);
    EXPECT_TRUE(backups.Import());
    EXPECT_EQ(world.table.MaxForm(), 0);
}

} // namespace
} // namespace petarino::store
