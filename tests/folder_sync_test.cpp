// Two or more PCs on one shared folder, each with its own registry, as a sync engine would
// join them: the roads of a memo from one desk to the other, and every way sync programs
// are known to lose notes.
#include "sync/folder_look.h"
#include "sync/memo_file.h"
#include "testing/sync_world.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace petarino {
namespace {

namespace fs = std::filesystem;
using platform::DialogResult::No;
using platform::DialogResult::Yes;

class FolderSyncTest : public ::testing::Test {
protected:
    FolderSyncTest() { files.CreateFolder(a.Folder()); }

    fs::path Folder() { return files.Native(a.Folder()); }
    void JoinBoth() {
        a.sync.Join(a.Folder());
        b.sync.Join(b.Folder());
    }
    static std::vector<std::string> Titles(const SyncPc& pc) {
        std::vector<std::string> titles;
        for (const Memo* memo : pc.Memos())
            titles.push_back(memo->Hint() + "=" + memo->Text());
        std::sort(titles.begin(), titles.end());
        return titles;
    }
    static void Edit(SyncPc& pc, std::string_view title, std::string_view text) {
        for (int slot = 0; slot <= pc.world.table.MaxForm(); ++slot)
            if (Memo& memo = pc.world.table.Memos(slot); memo.Hint() == title) memo.SetText(text);
        pc.sync.MemoChanged();
    }
    static void Destroy(SyncPc& pc, std::string_view title) {
        for (int slot = 0; slot <= pc.world.table.MaxForm(); ++slot)
            if (pc.world.table.Memos(slot).Hint() == title) return pc.world.table.DestForm(slot);
    }
    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(Folder() / name, std::ios::binary) << bytes;
    }
    int JsonFiles() {
        return static_cast<int>(
            std::count_if(fs::directory_iterator(Folder()), fs::directory_iterator(),
                          [](const auto& entry) { return entry.path().extension() == ".json"; }));
    }

    platform::FakeFiles files;
    SyncPc a{files, 0xA};
    SyncPc b{files, 0xB};
};

TEST_F(FolderSyncTest, AMemoTravelsItsEditsFollowAndADestroyedMemoLeavesEveryPc) {
    Memo& made = a.world.Create("買い物", "牛乳");
    made.SetBounds(300, 200, 250, 120);
    JoinBoth();
    ASSERT_NE(b.Find("買い物"), nullptr);
    const Memo& arrived = *b.Find("買い物");
    EXPECT_EQ(arrived.Text(), "牛乳");
    EXPECT_EQ(arrived.Sync().id, made.Sync().id);
    // A memo new to a PC takes its place and size from the file.
    EXPECT_EQ(std::tuple(arrived.Left(), arrived.Top(), arrived.Width(), arrived.Height()),
              std::tuple(300, 200, 250, 120));

    // Where it lies is each PC's own; what it says travels within seconds of the last key.
    b.world.table.Memos(0).SetBounds(10, 10, 250, 120);
    Edit(b, "買い物", "牛乳\r\n卵");
    b.Seconds(2);
    a.sync.FolderChanged();
    a.Seconds(2);
    EXPECT_EQ(made.Text(), "牛乳\r\n卵");
    EXPECT_EQ(made.Left(), 300);

    const std::string id = made.Sync().id;
    Destroy(a, "買い物");
    a.sync.LookNow();
    b.Seconds(60);
    EXPECT_TRUE(b.Memos().empty());
    // Its file stays, a tombstone with its values.
    const auto file = sync::ReadMemoFile(
        files.ReadWhole(files.InFolder(a.Folder(), id + ".json"), 1 << 20), a.world.macro.kernel);
    EXPECT_TRUE(file.memo.deleted);
    EXPECT_FALSE(file.memo.values.empty());
    // And it does not come back.
    a.sync.LookNow();
    b.sync.LookNow();
    EXPECT_TRUE(a.Memos().empty());
    EXPECT_TRUE(b.Memos().empty());
}

TEST_F(FolderSyncTest, EditsMadeApartAreBothKeptOnceOnEveryPc) {
    a.world.Create("予定", "朝");
    JoinBoth();
    Edit(a, "予定", "朝 会議");
    Edit(b, "予定", "朝 散歩");
    a.sync.LookNow();
    b.sync.LookNow();
    a.sync.LookNow();
    for (int round = 0; round < 3; ++round) {
        b.sync.LookNow();
        a.sync.LookNow();
    }
    const std::vector<std::string> both = Titles(a);
    EXPECT_EQ(both.size(), 2u);
    EXPECT_EQ(Titles(b), both);
    const bool keptA = std::find(both.begin(), both.end(), "予定=朝 会議") != both.end() ||
                       std::find(both.begin(), both.end(), "競合: 予定=朝 会議") != both.end();
    const bool keptB = std::find(both.begin(), both.end(), "予定=朝 散歩") != both.end() ||
                       std::find(both.begin(), both.end(), "競合: 予定=朝 散歩") != both.end();
    EXPECT_TRUE(keptA && keptB) << both[0] << " / " << both[1];
}

TEST_F(FolderSyncTest, AnEditBeatsADeletionItHasNotSeen) {
    a.world.Create("電話", "田中さん");
    JoinBoth();
    Destroy(a, "電話");
    Edit(b, "電話", "田中さん 3時");
    a.sync.LookNow();
    b.sync.LookNow();
    a.sync.LookNow();
    EXPECT_EQ(Titles(a), std::vector<std::string>{"電話=田中さん 3時"});
    EXPECT_EQ(Titles(b), std::vector<std::string>{"電話=田中さん 3時"});
}

TEST_F(FolderSyncTest, AMissingFileOrFolderIsNoDeletion) {
    Memo& kept = a.world.Create("鍵", "机の中");
    JoinBoth();
    fs::remove(Folder() / (kept.Sync().id + ".json"));
    b.sync.LookNow();
    EXPECT_EQ(Titles(b), std::vector<std::string>{"鍵=机の中"});
    a.sync.LookNow();
    EXPECT_TRUE(fs::exists(Folder() / (kept.Sync().id + ".json")));

    // An unmounted share: sync waits, says why once, and goes on when it is back. Only the
    // looks that find it are told, so a watch of the folder is checked against a folder there.
    fs::rename(Folder(), Folder().string() + "-away");
    Edit(a, "鍵", "机の中 2段目");
    const int found = a.world.view.foldersFound;
    a.Seconds(130);
    EXPECT_EQ(a.world.view.foldersFound, found);
    EXPECT_EQ(a.Told().size(), 1u);
    EXPECT_NE(a.sync.StatusLine().find("見つかりません"), std::string::npos);
    EXPECT_FALSE(fs::exists(Folder())) << "nothing is made in its place";
    EXPECT_EQ(Titles(a), std::vector<std::string>{"鍵=机の中 2段目"});
    fs::rename(Folder().string() + "-away", Folder());
    a.Seconds(60);
    EXPECT_EQ(a.sync.StatusLine().rfind("最終同期", 0), 0u) << a.sync.StatusLine();
    EXPECT_EQ(a.world.view.foldersFound, found + 1);
    b.sync.LookNow();
    EXPECT_EQ(Titles(b), std::vector<std::string>{"鍵=机の中 2段目"});

    // Another folder's header in its place: paused, nothing written.
    Put("petarino-sync.json", sync::FolderHeaderText("11111111-2222-4333-8444-555555555555"));
    Edit(a, "鍵", "机の上");
    a.Seconds(60);
    EXPECT_NE(a.sync.StatusLine().find("別の同期フォルダ"), std::string::npos);
    b.sync.LookNow();
    EXPECT_EQ(Titles(b), std::vector<std::string>{"鍵=机の中 2段目"});
}

// Destroyed while the folder is away, then the program ends: the next run deletes it
// everywhere once the folder is back, and its file does not bring it back.
TEST_F(FolderSyncTest, AMemoDestroyedWhileTheFolderIsAwayStaysDeletedAfterARestart) {
    a.world.Create("捨てる", "もう要らない");
    JoinBoth();
    fs::rename(Folder(), Folder().string() + "-away");
    Destroy(a, "捨てる");
    a.sync.BeforeExit();
    a.world.store.SaveDatas();

    SyncPc next{files, 0xA, &a.registry};
    next.world.store.LoadAtStart();
    fs::rename(Folder().string() + "-away", Folder());
    next.Seconds(1);
    EXPECT_TRUE(next.Memos().empty());
    b.sync.LookNow();
    EXPECT_TRUE(b.Memos().empty());
    next.world.store.SaveDatas();
    EXPECT_EQ(next.world.sync.pendingDeletions, "") << "written, so no longer kept";
}

TEST_F(FolderSyncTest, ForeignFilesAreLeftAloneEngineCopiesMergedAndBadFilesToldOnce) {
    Memo& memo = a.world.Create("本", "返す");
    JoinBoth();
    const std::string id = memo.Sync().id;
    // A copy the sync engine made of a version this PC never saw.
    const std::string own = files.ReadWhole(files.InFolder(a.Folder(), id + ".json"), 1 << 20);
    auto copy = sync::ReadMemoFile(own, a.world.macro.kernel).memo;
    copy.versions = {{"cccccccc-cccc-4ccc-8ccc-cccccccccccc", 1}};
    for (auto& value : copy.values)
        if (value.name == "Text") value.value = platform::WrittenText("借りる");
    Put(id + " (PC2's conflicted copy).json", sync::MemoFileText(copy, a.world.macro.kernel));
    Put("desktop.ini", "[.ShellClassInfo]");
    Put("notes.json", R"({"list": [1, 2]})");
    Put("~$" + id + ".tmp", "half");
    fs::create_directory(Folder() / "photos");
    Put("broken.json", R"({"format": "petarino-memo", "version": 1})");

    a.sync.LookNow();
    EXPECT_EQ(Titles(a).size(), 2u) << "the copy's version kept beside this PC's";
    EXPECT_TRUE(fs::exists(Folder() / "_handled" / (id + " (PC2's conflicted copy).json")));
    for (const char* left : {"desktop.ini", "notes.json", "broken.json", "photos"})
        EXPECT_TRUE(fs::exists(Folder() / left)) << left;
    EXPECT_TRUE(a.Told().empty()) << "a file may still be being written";
    a.sync.LookNow();
    a.sync.LookNow();
    ASSERT_EQ(a.Told().size(), 1u);
    EXPECT_NE(a.Told()[0].find("broken.json"), std::string::npos);
    b.sync.LookNow();
    EXPECT_EQ(Titles(b), Titles(a));
}

// A sync engine's copy of a version older than a deletion must neither bring the memo back
// nor put that version over the tombstone, on the PC that deleted it or on another.
TEST_F(FolderSyncTest, AnOldCopyBringsNoDeletedMemoBack) {
    const Memo& memo = a.world.Create("古い", "前の版");
    JoinBoth();
    const std::string id = memo.Sync().id;
    const std::string older = files.ReadWhole(files.InFolder(a.Folder(), id + ".json"), 1 << 20);
    Destroy(a, "古い");
    a.sync.LookNow();
    b.sync.LookNow();
    ASSERT_TRUE(b.Memos().empty());
    for (SyncPc* pc : {&a, &b}) {
        Put(id + "-PC3.json", older);
        pc->sync.LookNow();
        EXPECT_TRUE(pc->Memos().empty());
        const auto own =
            sync::ReadMemoFile(files.ReadWhole(files.InFolder(a.Folder(), id + ".json"), 1 << 20),
                               a.world.macro.kernel);
        EXPECT_TRUE(own.memo.deleted);
    }
}

TEST_F(FolderSyncTest, ALookThatWouldRemoveMostMemosAsksFirst) {
    for (int i = 0; i < 6; ++i)
        a.world.Create("メモ" + std::to_string(i), "中身");
    JoinBoth();
    while (b.world.table.MaxForm() >= 0)
        b.world.table.DestForm(0);
    b.sync.LookNow();

    a.world.macro.windows.ScriptAnswer(No);
    a.sync.LookNow();
    ASSERT_EQ(a.world.macro.windows.Shown().size(), 1u);
    EXPECT_EQ(a.world.macro.windows.Shown()[0].text,
              "同期フォルダの変更で、6 枚のメモが削除されます。適用しますか？");
    EXPECT_EQ(a.Memos().size(), 6u);
    a.Seconds(120);
    EXPECT_EQ(a.Memos().size(), 6u) << "No pauses sync";
    EXPECT_EQ(a.world.macro.windows.Shown().size(), 1u);

    a.world.macro.windows.ScriptAnswer(Yes);
    a.sync.LookNow();
    EXPECT_TRUE(a.Memos().empty());
    EXPECT_EQ(a.Backups(), 1) << "the memos are in a backup before they go";
}

TEST_F(FolderSyncTest, ARestoredMemoWinsOverItsTombstone) {
    a.world.Create("レシピ", "カレー");
    JoinBoth();
    a.world.store.SaveDatas();
    const store::StoreSnapshot before = a.world.store.ReadSnapshot();
    Destroy(a, "レシピ");
    a.sync.LookNow();
    b.sync.LookNow();
    ASSERT_TRUE(b.Memos().empty());

    a.world.store.ReplaceMemos(before);
    a.sync.MemosReplaced();
    b.sync.LookNow();
    EXPECT_EQ(Titles(a), std::vector<std::string>{"レシピ=カレー"});
    EXPECT_EQ(Titles(b), std::vector<std::string>{"レシピ=カレー"});
}

TEST_F(FolderSyncTest, ChangesWaitWhileADialogIsOpen) {
    a.world.Create("待つ", "前");
    JoinBoth();
    Edit(a, "待つ", "後");
    a.Seconds(2);
    b.world.desk.SetMemoPropertiesDialog([&](Memo&) {
        b.sync.LookNow();
        EXPECT_EQ(b.Find("待つ")->Text(), "前");
    });
    b.world.desk.OpenMemoProperties(b.world.table.Memos(0));
    b.Seconds(1);
    EXPECT_EQ(b.Find("待つ")->Text(), "後");
}

TEST_F(FolderSyncTest, MemosBeyondTheTableStayInTheFolderAndAreToldOnce) {
    for (int i = 0; i < 101; ++i)
        b.world.Create("B" + std::to_string(i));
    b.sync.Join(b.Folder());
    for (int i = 0; i < 5; ++i)
        a.world.Create("A" + std::to_string(i));
    a.sync.Join(a.Folder());
    EXPECT_EQ(a.Memos().size(), 101u);
    EXPECT_EQ(JsonFiles(), 1 + 106);
    ASSERT_EQ(a.world.macro.windows.Shown().size(), 1u);
    EXPECT_NE(a.world.macro.windows.Shown()[0].text.find("5 枚"), std::string::npos)
        << a.world.macro.windows.Shown()[0].text;
    a.sync.LookNow();
    EXPECT_EQ(a.world.macro.windows.Shown().size(), 1u);
    // Nothing of the folder was deleted for want of room.
    b.sync.LookNow();
    EXPECT_EQ(b.Memos().size(), 101u);
}

TEST(FolderLook, AnUnchangedFolderOpensNoFile) {
    platform::FakeFiles files;
    SyncPc pc{files, 1};
    files.CreateFolder(pc.Folder());
    for (int i = 0; i < 101; ++i)
        pc.world.Create("M" + std::to_string(i), "text");
    pc.sync.Join(pc.Folder());
    sync::FolderLook look(files, pc.world.macro.kernel);
    EXPECT_EQ(look.Take(pc.Folder()).filesOpened, 102);
    EXPECT_EQ(look.Take(pc.Folder()).filesOpened, 0);
}

} // namespace
} // namespace petarino
