// The ways sync once lost, doubled or brought back memos, each driven through the PCs as a
// user and their system would: a restart, a question box, a full table or an unreadable file
// between two looks.
#include "platform/fake/fake_files.h"
#include "platform/fake/fake_kernel.h"
#include "platform/registry_value.h"
#include "sync/memo_file.h"
#include "testing/faulty_files.h"
#include "testing/synced_pc.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace petarino {
namespace {

namespace fs = std::filesystem;

class SyncFaultsTest : public ::testing::Test {
protected:
    SyncFaultsTest() { disk.CreateFolder(a->Folder()); }

    // Both PCs stopped and made anew on an empty folder, for the next row of a table.
    void StartAfresh() {
        a->Stop();
        b->Stop();
        fs::remove_all(Folder());
        disk.CreateFolder(a->Folder());
        a = MakeSyncedPc(files, 1);
        b = MakeSyncedPc(files, 2);
    }

    static std::vector<std::string> Texts(const SyncedPc& pc) {
        std::vector<std::string> texts;
        for (const ShownMemo& memo : pc.Memos())
            texts.push_back(memo.title + "=" + memo.text);
        std::sort(texts.begin(), texts.end());
        return texts;
    }
    static std::size_t Index(const SyncedPc& pc, std::string_view title) {
        const auto memos = pc.Memos();
        const auto found = std::find_if(memos.begin(), memos.end(),
                                        [&](const ShownMemo& memo) { return memo.title == title; });
        if (found == memos.end()) throw std::logic_error("no memo " + std::string(title));
        return static_cast<std::size_t>(found - memos.begin());
    }
    static bool Holds(const SyncedPc& pc, std::string_view text) {
        const auto memos = pc.Memos();
        return std::any_of(memos.begin(), memos.end(),
                           [&](const ShownMemo& memo) { return memo.text == text; });
    }
    static std::string IdOf(const SyncedPc& pc, std::string_view title) {
        return pc.Memos()[Index(pc, title)].id;
    }
    fs::path Folder() { return disk.Native(a->Folder()); }
    fs::path Path(const std::string& name) { return Folder() / name; }
    std::string Bytes(const std::string& name) {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    sync::MemoFile Read(const std::string& name) {
        return sync::ReadMemoFile(Bytes(name), kernel).memo;
    }
    void Away() { fs::rename(Folder(), Folder().string() + "-away"); }
    void Back() { fs::rename(Folder().string() + "-away", Folder()); }
    // Each PC looks, in turn, until nothing more can come.
    void Settle() {
        for (int round = 0; round < 3; ++round)
            for (SyncedPc* pc : {a.get(), b.get()})
                pc->LookNow();
    }

    platform::FakeFiles disk;
    FaultyFiles files{disk};
    platform::FakeKernel kernel;
    std::unique_ptr<SyncedPc> a = MakeSyncedPc(files, 1);
    std::unique_ptr<SyncedPc> b = MakeSyncedPc(files, 2);
};

// A memo's own file that does not read is never written over, renamed or removed: the memo
// waits, and the file is told once.
TEST_F(SyncFaultsTest, AnOwnFileThatDoesNotReadIsNeverWrittenOver) {
    struct Row {
        const char* what;
        std::function<std::string(std::string)> bytes; // from the file as written
        bool refused = false;
    };
    const std::vector<Row> rows = {
        {"of a newer version",
         [](std::string text) {
             return text.replace(text.find("\"version\": 1"), 12, "\"version\": 2");
         }},
        {"malformed",
         [](std::string text) {
             return text.replace(text.find("\"deleted\": false"), 16, "\"deleted\": 0");
         }},
        {"half written", [](std::string text) { return text.substr(0, text.size() / 2); }},
        {"that cannot be fetched", [](std::string text) { return text; }, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        a->Create("手紙", "下書き");
        a->Join();
        b->Join();
        const std::string name = IdOf(*a, "手紙") + ".json";
        const std::string bytes = row.bytes(Bytes(name));
        Put(name, bytes);
        if (row.refused) files.refusedReads.insert(name);
        a->Edit(Index(*a, "手紙"), "清書");
        a->Seconds(3);
        Settle();
        EXPECT_EQ(Bytes(name), bytes);
        EXPECT_EQ(Texts(*a), std::vector<std::string>{"手紙=清書"}) << "the memo waits";
        EXPECT_EQ(Texts(*b), std::vector<std::string>{"手紙=下書き"});
        const auto told = a->Told();
        EXPECT_EQ(std::count_if(told.begin(), told.end(),
                                [&](const std::string& text) {
                                    return text.find(name) != std::string::npos;
                                }),
                  1);
        files.refusedReads.clear();
        StartAfresh();
    }
}

// Another PC's file lacks a value this PC fills: taking it is no edit here, so that PC's edit
// and its deletion arrive, and no "競合: " copy is made.
TEST_F(SyncFaultsTest, TakingAnotherPcsVersionIsNoEditHere) {
    a->Create("旧版から", "一");
    a->Join();
    const std::string id = IdOf(*a, "旧版から");
    sync::MemoFile other = Read(id + ".json");
    const std::string otherPc = "cccccccc-cccc-4ccc-8ccc-cccccccccccc";
    std::erase_if(other.values, [](const auto& value) { return value.name == "AlarmSound"; });
    b->Join();
    a->Stop();
    for (int step = 1; step <= 3; ++step) {
        other.versions[otherPc] = step;
        other.device = otherPc;
        other.deleted = step == 3;
        for (auto& value : other.values)
            if (value.name == "Text") value.value = platform::WrittenText(step == 1 ? "一" : "二");
        Put(id + ".json", sync::MemoFileText(other, kernel));
        b->Seconds(70);
        b->LookNow();
        EXPECT_EQ(Read(id + ".json").versions, other.versions) << "step " << step;
    }
    EXPECT_TRUE(b->Memos().empty()) << Texts(*b).size();
}

// Edits made apart on a full table: with no room for the second memo, neither version is
// dropped; both are there once there is room.
TEST_F(SyncFaultsTest, AConflictOnAFullTableLosesNoEdit) {
    for (int i = 0; i < 101; ++i)
        a->Create("M" + std::to_string(i), "");
    a->Join();
    b->Join();
    a->Edit(Index(*a, "M0"), "A の版");
    b->Edit(Index(*b, "M0"), "B の版");
    Settle();
    for (SyncedPc* pc : {a.get(), b.get()}) {
        pc->Destroy(Index(*pc, "M100"));
        pc->Seconds(3);
    }
    Settle();
    for (SyncedPc* pc : {a.get(), b.get()}) {
        const auto texts = Texts(*pc);
        const auto has = [&](std::string_view text) {
            return std::any_of(texts.begin(), texts.end(),
                               [&](const std::string& shown) { return shown.ends_with(text); });
        };
        EXPECT_TRUE(has("=A の版") && has("=B の版"));
        EXPECT_EQ(texts.size(), 101u);
    }
}

// The removal question is open and the memo windows stay usable: what is typed then goes out
// afterwards, and a memo destroyed then is gone for good, nothing reading it.
TEST_F(SyncFaultsTest, WhatIsDoneWhileTheRemovalQuestionIsOpenIsKept) {
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        for (int i = 0; i < 7; ++i)
            a->Create("M" + std::to_string(i), "前");
        a->Join();
        b->Join();
        for (int i = 0; i < 6; ++i)
            b->Destroy(Index(*b, "M" + std::to_string(i)));
        b->LookNow();
        a->AnswerNextQuestion(yes, [&] {
            a->Edit(Index(*a, "M5"), "質問中に書いた");
            a->Destroy(Index(*a, "M6"));
            a->Destroy(Index(*a, "M0")); // one the folder removes as well
        });
        a->LookNow();
        ASSERT_EQ(a->Questions().size(), 1u);
        if (!yes) a->LookNow();
        Settle();
        EXPECT_EQ(Texts(*a), std::vector<std::string>{"M5=質問中に書いた"});
        EXPECT_EQ(Texts(*b), Texts(*a));
        StartAfresh();
    }
}

// Two PCs edit one memo apart, each through its own copy of the folder, and restart before
// they meet: both make the same single pair.
TEST_F(SyncFaultsTest, EditsMadeApartAcrossARestartMakeOnePair) {
    platform::FakeFiles otherDisk;
    b = MakeSyncedPc(otherDisk, 2);
    a->Create("予定", "朝");
    a->Join();
    otherDisk.CreateFolder(b->Folder());
    const fs::path folderB = otherDisk.Native(b->Folder());
    const auto copyAll = [&](const fs::path& from, const fs::path& to) {
        for (const auto& entry : fs::directory_iterator(from))
            if (entry.is_regular_file())
                fs::copy_file(entry.path(), to / entry.path().filename(),
                              fs::copy_options::overwrite_existing);
    };
    copyAll(Folder(), folderB);
    b->Join();
    a->Edit(Index(*a, "予定"), "会議");
    a->Seconds(3);
    b->Seconds(30);
    b->Edit(Index(*b, "予定"), "散歩");
    b->Seconds(3);
    a->Restart();
    b->Restart();
    // The sync engine keeps the incoming version in each folder, and A's clock is set a day
    // ahead: the version written later, B's, keeps the memo's id on both PCs.
    a->MoveClock(1);
    const std::string name = IdOf(*a, "予定") + ".json";
    const std::string fromA = Bytes(name);
    std::ifstream in(folderB / name, std::ios::binary);
    const std::string fromB(std::istreambuf_iterator<char>(in), {});
    Put(name, fromB);
    std::ofstream(folderB / name, std::ios::binary) << fromA;
    for (int round = 0; round < 3; ++round) {
        a->LookNow();
        b->LookNow();
        // Each folder gets what the other lacks, and the other's memo file as an engine's copy.
        for (const auto& entry : fs::directory_iterator(Folder()))
            if (entry.is_regular_file() && !fs::exists(folderB / entry.path().filename()))
                fs::copy_file(entry.path(), folderB / entry.path().filename());
        for (const auto& entry : fs::directory_iterator(folderB))
            if (entry.is_regular_file() && !fs::exists(Path(entry.path().filename().string())))
                fs::copy_file(entry.path(), Path(entry.path().filename().string()));
        for (const auto& entry : fs::directory_iterator(Folder())) {
            const std::string file = entry.path().filename().string();
            if (!entry.is_regular_file() || file.find('-') == std::string::npos ||
                file.size() != name.size())
                continue;
            std::ifstream mine(entry.path(), std::ios::binary);
            std::ifstream theirs(folderB / file, std::ios::binary);
            const std::string x(std::istreambuf_iterator<char>(mine), {});
            const std::string y(std::istreambuf_iterator<char>(theirs), {});
            if (x == y) continue;
            const std::string stem = file.substr(0, file.size() - 5);
            std::ofstream(folderB / (stem + " (A).json"), std::ios::binary) << x;
            Put(stem + " (B).json", y);
        }
    }
    a->LookNow();
    b->LookNow();
    EXPECT_EQ(Texts(*a), (std::vector<std::string>{"競合: 予定=会議", "予定=散歩"}));
    EXPECT_EQ(Texts(*b), Texts(*a));
}

// Destroyed while the folder is away at the start of a run, or while sync is paused by "いいえ":
// noted then, kept across a restart, and gone from the other PC once the folder is reached.
TEST_F(SyncFaultsTest, AMemoDestroyedBeforeTheFolderIsReachedStaysDestroyed) {
    for (int i = 0; i < 8; ++i)
        a->Create("M" + std::to_string(i), "");
    a->Join();
    b->Join();
    Away();
    a->Restart();
    a->Destroy(Index(*a, "M7"));
    a->Seconds(5);
    a->Restart();
    Back();
    a->Seconds(5);
    b->LookNow();
    EXPECT_EQ(Texts(*a).size(), 7u);
    EXPECT_EQ(Texts(*b), Texts(*a));

    for (int i = 0; i < 5; ++i)
        b->Destroy(Index(*b, "M" + std::to_string(i)));
    b->LookNow();
    a->AnswerNextQuestion(false);
    a->LookNow();
    a->Destroy(Index(*a, "M6"));
    a->Seconds(5);
    a->Restart();
    Settle();
    EXPECT_EQ(Texts(*a), std::vector<std::string>{"M5="});
    EXPECT_EQ(Texts(*b), Texts(*a));
}

// A restore made while the folder is away still wins over the folder's versions when the
// folder is reached only after a restart.
TEST_F(SyncFaultsTest, ARestoreMadeWhileTheFolderIsAwayWinsAfterARestart) {
    a->Create("レシピ", "古い");
    a->Join();
    b->Join();
    a->KeepBackup();
    a->Edit(Index(*a, "レシピ"), "新しい");
    a->Seconds(3);
    b->LookNow();
    Away();
    a->RestoreBackup();
    a->Restart();
    Back();
    Settle();
    EXPECT_EQ(Texts(*a), std::vector<std::string>{"レシピ=古い"});
    EXPECT_EQ(Texts(*b), Texts(*a));
}

// An engine's copy of a memo this PC has no room for stays in the folder until its version is
// kept: once there is room, both versions are shown.
TEST_F(SyncFaultsTest, AnEnginesCopyIsKeptUntilItsVersionIsMerged) {
    b->Create("溢れ", "元");
    b->Join();
    for (int i = 0; i < 101; ++i)
        a->Create("M" + std::to_string(i), "");
    a->Join();
    const std::string id = IdOf(*b, "溢れ");
    sync::MemoFile copy = Read(id + ".json");
    copy.versions = {{"cccccccc-cccc-4ccc-8ccc-cccccccccccc", 1}};
    copy.device = "cccccccc-cccc-4ccc-8ccc-cccccccccccc";
    for (auto& value : copy.values)
        if (value.name == "Text") value.value = platform::WrittenText("別の版");
    const std::string copyName = id + " (PC3's conflicted copy).json";
    Put(copyName, sync::MemoFileText(copy, kernel));
    a->LookNow();
    EXPECT_TRUE(fs::exists(Path(copyName)));
    a->Destroy(Index(*a, "M0"));
    a->Destroy(Index(*a, "M1"));
    a->LookNow();
    a->LookNow();
    EXPECT_TRUE(Holds(*a, "元") && Holds(*a, "別の版"));
    EXPECT_TRUE(fs::exists(Folder() / "_handled" / copyName));
}

// With sync off, a restore or an import touches no folder and tells nothing.
TEST_F(SyncFaultsTest, WithSyncOffARestoreLooksAtNoFolder) {
    a->Create("家計簿", "");
    a->KeepBackup();
    b->Create("他の PC", "");
    const int listings = files.listings;
    a->RestoreBackup();
    a->Import(*b);
    EXPECT_EQ(files.listings, listings);
    EXPECT_TRUE(a->Told().empty());
    EXPECT_EQ(Texts(*a), std::vector<std::string>{"他の PC="});
}

// Needless work: a folder away is listed once a minute, not at every tick, while an edit
// waits; what this PC wrote is not opened again; the first look after a restart opens none
// of 101 unchanged files.
TEST_F(SyncFaultsTest, ALookOpensOnlyWhatChanged) {
    for (int i = 0; i < 101; ++i)
        a->Create("M" + std::to_string(i), "");
    a->Join();
    Away();
    a->Edit(Index(*a, "M0"), "待つ");
    int listings = files.listings;
    a->Seconds(30);
    EXPECT_LE(files.listings - listings, 1);
    Back();
    a->LookNow();
    a->Edit(Index(*a, "M1"), "書いた");
    a->Seconds(3);
    int opens = files.opens;
    a->LookNow();
    EXPECT_EQ(files.opens, opens) << "its own writes";
    a->Restart();
    opens = files.opens;
    a->LookNow();
    EXPECT_EQ(files.opens, opens) << "after a restart";
    // A header a listing leaves out is read, never made again over the one there.
    files.missingFromNextListing.insert("petarino-sync.json");
    b->Join();
    EXPECT_EQ(Texts(*b), Texts(*a));
    // Two changes reported at once are one look.
    listings = files.listings;
    a->Edit(Index(*a, "M2"), "一");
    a->Seconds(1);
    a->Edit(Index(*a, "M2"), "二");
    a->Seconds(2);
    EXPECT_LE(files.listings - listings, 2) << "one look, and the listing of its write";
}

// Smaller: a big foreign JSON is no bad memo file; the folder's header is found in any case;
// a text in a memo file ends where the text ends.
TEST_F(SyncFaultsTest, ForeignFilesHeadersInAnyCaseAndTextsWithoutTheirNul) {
    Put("petarino-sync.json", sync::FolderHeaderText("11111111-2222-4333-8444-555555555555"));
    fs::rename(Path("petarino-sync.json"), Path("Petarino-Sync.json"));
    a->Create("本", "返す");
    a->Join();
    b->Join();
    Put("photos.json", std::string(300 * 1024, ' ') + "{}");
    for (int look = 0; look < 3; ++look)
        a->LookNow();
    EXPECT_TRUE(a->Told().empty()) << a->Told().front();
    EXPECT_FALSE(fs::exists(Path("petarino-sync.json"))) << "no second header";
    EXPECT_EQ(Texts(*b), Texts(*a));
    const std::string file = Bytes(IdOf(*a, "本") + ".json");
    EXPECT_EQ(file.find("\\u0000"), std::string::npos) << file;
}

} // namespace
} // namespace petarino
