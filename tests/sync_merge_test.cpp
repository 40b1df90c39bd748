// The merge rule: which values travel, each decision between a memo here and its file, and
// PCs that edit, delete and exchange files in every order ending with the same memos and
// nothing lost.
#include "memos/sync_mark.h"
#include "platform/fake/fake_kernel.h"
#include "registry_value_printer.h"
#include "store/store_layout.h"
#include "sync/merge_decision.h"
#include "sync/travelling_values.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <tuple>

namespace petarino::sync {
namespace {

using platform::DwordValue;
using platform::RegistryType;
using platform::WrittenText;
using store::NamedValue;

const std::string kMemoId = "6f1c2a3b-4d5e-4f60-8a7b-9c0d1e2f3a4b";
const std::string kA = "0a000000-0000-4000-8000-000000000001";
const std::string kB = "0b000000-0000-4000-8000-000000000002";
const std::string kC = "0c000000-0000-4000-8000-000000000003";

std::vector<NamedValue> MemoValues(std::string_view text) {
    return {{"Top", DwordValue(10)},        {"Left", DwordValue(20)},
            {"Title", WrittenText("メモ")}, {"Text", WrittenText(text)},
            {"Visible", DwordValue(1)},     {"Color", DwordValue(0xC0FFFF)}};
}

const NamedValue* Named(const std::vector<NamedValue>& values, std::string_view name) {
    const auto found = std::find_if(values.begin(), values.end(),
                                    [name](const NamedValue& value) { return value.name == name; });
    return found == values.end() ? nullptr : &*found;
}

TEST(TravellingValuesTest, WhatTheMemoSaysAndHowItLooksTravelsWhereItSitsStays) {
    for (const std::string_view name :
         {"Text", "Title", "TitleBar", "TitleText", "TitleBackGround", "Color", "FontColor",
          "FontName", "FontStyle", "FontSize", "WordWrap", "AlarmAt", "AlarmRepeat", "AlarmSound",
          "AlarmDay", "Opacity", "text", "FONTSIZE"})
        EXPECT_TRUE(Travels(name)) << name;
    for (const std::string_view name : {"Top", "Left", "Width", "Height", "Visible", "StayOnTop",
                                        "Id", "SyncVersions", "SyncBase", "Texts", ""})
        EXPECT_FALSE(Travels(name)) << name;

    std::vector<NamedValue> key = MemoValues("x");
    key.insert(key.begin() + 2, {"syncversions", WrittenText("{}")});
    key.push_back({"Id", WrittenText(kMemoId)});
    key.push_back({"SyncBase", WrittenText("")});
    EXPECT_EQ(FileValues(key), MemoValues("x")) << "everything but the bookkeeping, in order";
}

// The fingerprints stores keep ("SyncBase") were taken before opacity travelled: a memo
// without it must keep its fingerprint, or every memo would count as edited after an update.
TEST(TravellingValuesTest, AnOpacityTravelsAndItsAbsenceKeepsTheFingerprintsOfBefore) {
    const std::vector<NamedValue> opaque = MemoValues("text");
    EXPECT_EQ(ContentFingerprint(opaque), "d9d8b8d333a31020");

    std::vector<NamedValue> seeThrough = opaque;
    seeThrough.push_back({"Opacity", DwordValue(70)});
    std::vector<NamedValue> fainter = opaque;
    fainter.push_back({"opacity", DwordValue(50)});
    EXPECT_NE(ContentFingerprint(seeThrough), ContentFingerprint(opaque));
    EXPECT_NE(ContentFingerprint(seeThrough), ContentFingerprint(fainter));
    EXPECT_FALSE(SameContent(seeThrough, opaque));
    EXPECT_FALSE(SameContent(seeThrough, fainter));
    EXPECT_EQ(FileValues(seeThrough), seeThrough);
}

TEST(TravellingValuesTest, TheFingerprintSeesOnlyTravellingValuesWhateverTheirOrder) {
    const std::vector<NamedValue> memo = MemoValues("text");
    const std::string print = ContentFingerprint(memo);
    EXPECT_EQ(print.size(), 16u);
    EXPECT_EQ(print.find_first_not_of("0123456789abcdef"), std::string::npos);

    std::vector<NamedValue> reordered(memo.rbegin(), memo.rend());
    reordered[0].name = "COLOR";
    std::vector<NamedValue> moved = memo;
    moved[0].value = DwordValue(500);
    moved.push_back({"StayOnTop", DwordValue(1)});
    for (const auto& same : {reordered, moved}) {
        EXPECT_EQ(ContentFingerprint(same), print);
        EXPECT_TRUE(SameContent(same, memo));
    }

    const auto changed = [&](const std::function<void(std::vector<NamedValue>&)>& change) {
        std::vector<NamedValue> values = memo;
        change(values);
        return values;
    };
    const std::vector<std::vector<NamedValue>> different{
        MemoValues("texT"),
        changed([](auto& v) { v[2].value = WrittenText("メモ2"); }),
        changed([](auto& v) { v[5].value = DwordValue(0xC0FFFE); }),
        changed([](auto& v) { v[5].value.type = RegistryType::Binary; }),
        changed([](auto& v) { v.erase(v.begin() + 5); }),
        changed([](auto& v) {
            v.push_back({"AlarmDay", DwordValue(31)});
        }),
        changed([](auto& v) { v[3].value.data.pop_back(); }),
    };
    std::set<std::string> prints{print};
    for (const auto& values : different) {
        EXPECT_TRUE(prints.insert(ContentFingerprint(values)).second);
        EXPECT_FALSE(SameContent(values, memo));
    }
}

TEST(ConflictTest, TheLoserBecomesOneMemoWhoseIdEveryPcDerivesAlike) {
    const std::string content = ContentFingerprint(MemoValues("x"));
    const std::string id = ConflictId(kMemoId, content);
    EXPECT_TRUE(IsSyncId(id)) << id;
    EXPECT_EQ(id[14], '8') << id;
    EXPECT_NE(std::string_view("89ab").find(id[19]), std::string_view::npos) << id;
    const std::set<std::string> ids{id, ConflictId(kMemoId, ContentFingerprint(MemoValues("y"))),
                                    ConflictId(kA, content), kMemoId};
    EXPECT_EQ(ids.size(), 4u);
    EXPECT_EQ(ConflictVersions(id), (VersionVector{{id, 1}}));
}

TEST(ConflictTest, TheCopysTitleSaysItIsAConflictOnceForEachConflict) {
    std::vector<NamedValue> copy = ConflictValues(MemoValues("x"));
    EXPECT_EQ(Named(copy, "Title")->value, WrittenText("競合: メモ"));
    EXPECT_EQ(copy.size(), MemoValues("x").size());
    EXPECT_EQ(Named(ConflictValues(copy), "Title")->value, WrittenText("競合: 競合: メモ"));

    std::vector<NamedValue> untitled = MemoValues("x");
    untitled.erase(untitled.begin() + 2);
    EXPECT_EQ(Named(ConflictValues(untitled), "Title")->value, WrittenText("競合: "));
    std::vector<NamedValue> odd = MemoValues("x");
    odd[2] = {"TITLE", DwordValue(1)};
    EXPECT_EQ(Named(ConflictValues(odd), "TITLE")->value, WrittenText("競合: "));
}

// One side of a decision, as the engine would hand it over.
struct Side {
    enum State { Absent, Live, Tombstone } state = Live;
    VersionVector versions;
    std::string text; // the memo's "Text"
    bool edited = false;
    int day = 0;             // of "updated", from one day
    std::string device = kB; // the file's writer
    VersionVector written;   // of its content, where counted past
    VersionVector removed;   // the deletions it outlived
};

std::string Updated(int day) {
    return UpdatedText({.year = 2026, .month = 12, .day = 8 + day, .hour = 12});
}

LocalSide LocalOf(const Side& side) {
    return {.exists = side.state == Side::Live,
            .deleted = side.state == Side::Tombstone,
            .versions = side.versions,
            .edited = side.edited,
            .fingerprint = ContentFingerprint(MemoValues(side.text)),
            .updated = Updated(side.day),
            .written = side.written,
            .removed = side.removed};
}

MemoFile FileOf(const Side& side) {
    return {.id = kMemoId,
            .versions = side.versions,
            .device = side.device,
            .updated = Updated(side.day),
            .deleted = side.state == Side::Tombstone,
            .values = side.state == Side::Tombstone && side.text.empty() ? std::vector<NamedValue>{}
                                                                         : MemoValues(side.text),
            .written = side.written,
            .removed = side.removed};
}

// The same content losing under other counters, as a version that won a conflict on another
// PC carries: one copy, alike on every PC.
TEST(ConflictTest, OneContentLosingUnderOtherCountersMakesOneCopy) {
    const std::string id = ConflictId(kMemoId, ContentFingerprint(MemoValues("x")));
    for (const VersionVector& counted : {VersionVector{{kB, 1}}, VersionVector{{kA, 1}, {kB, 2}}}) {
        Side file{Side::Live, counted, "x", false, -1};
        const Decision decision =
            Decide(LocalOf({Side::Live, {{kA, 2}}, "z", true}), FileOf(file), kA);
        ASSERT_EQ(decision.action, Action::KeepBoth);
        EXPECT_TRUE(decision.localKeepsId);
        EXPECT_EQ(decision.conflictId, id);
        EXPECT_EQ(decision.conflictVersions, ConflictVersions(id));
    }
}

TEST(MergeDecisionTest, EachPairOfVersionsGetsItsOneDecisionWhateverTheClocksSay) {
    using enum Action;
    using enum Side::State;
    struct Case {
        const char* what;
        Side local; // on this PC, kA
        Side file;
        Action action;
        VersionVector versions;
        bool localKeepsId = true;
    };
    const std::vector<Case> cases{
        {"same versions",
         {Live, {{kA, 1}, {kB, 1}}, "x"},
         {Live, {{kA, 1}, {kB, 1}}, "x"},
         Nothing,
         {{kA, 1}, {kB, 1}}},
        {"the file has seen more",
         {Live, {{kA, 1}}, "x"},
         {Live, {{kA, 1}, {kB, 1}}, "y"},
         TakeFile,
         {{kA, 1}, {kB, 1}}},
        {"a deletion that saw everything here",
         {Live, {{kA, 1}}, "x"},
         {Tombstone, {{kA, 1}, {kB, 1}}},
         TakeFile,
         {{kA, 1}, {kB, 1}}},
        {"a memo new here", {Absent, {}}, {Live, {{kB, 1}}, "y"}, TakeFile, {{kB, 1}}},
        {"a deletion of a memo never seen",
         {Absent, {}},
         {Tombstone, {{kB, 2}}},
         TakeFile,
         {{kB, 2}}},
        {"this PC has seen more",
         {Live, {{kA, 2}, {kB, 1}}, "x", true},
         {Live, {{kA, 1}, {kB, 1}}, "y"},
         WriteLocal,
         {{kA, 2}, {kB, 1}}},
        {"a deletion here that saw the file",
         {Tombstone, {{kA, 2}, {kB, 1}}},
         {Live, {{kA, 1}, {kB, 1}}, "y"},
         WriteLocal,
         {{kA, 2}, {kB, 1}}},
        {"both changed alike",
         {Live, {{kA, 2}}, "z", true},
         {Live, {{kA, 1}, {kB, 1}}, "z"},
         MergeCounters,
         {{kA, 2}, {kB, 1}}},
        {"both deleted",
         {Tombstone, {{kA, 2}}},
         {Tombstone, {{kA, 1}, {kB, 1}}},
         MergeCounters,
         {{kA, 2}, {kB, 1}}},
        // Under both sides' counters, as the other PC writes it for the same two sides.
        {"an edit here against a deletion",
         {Live, {{kA, 2}}, "x", true},
         {Tombstone, {{kA, 1}, {kB, 1}}},
         LocalWinsOverTombstone,
         {{kA, 2}, {kB, 1}}},
        {"a deletion here against an edit",
         {Tombstone, {{kA, 2}}},
         {Live, {{kA, 1}, {kB, 1}}, "y"},
         FileWinsOverLocalTombstone,
         {{kA, 2}, {kB, 1}}},
        {"two edits, this one later",
         {Live, {{kA, 2}}, "x", true, 0},
         {Live, {{kA, 1}, {kB, 1}}, "y", false, -1},
         KeepBoth,
         {{kA, 3}, {kB, 1}}},
        {"two edits, the file's later",
         {Live, {{kA, 2}}, "x", true, -1},
         {Live, {{kA, 1}, {kB, 1}}, "y", false, 0},
         KeepBoth,
         {{kA, 3}, {kB, 1}},
         false},
        {"two edits at one second, the larger device keeps it",
         {Live, {{kA, 2}}, "x", true},
         {Live, {{kA, 1}, {kB, 1}}, "y"},
         KeepBoth,
         {{kA, 3}, {kB, 1}},
         false},
        {"two edits at one second by the larger device here",
         {Live, {{kA, 2}}, "x", true},
         {Live, {{kA, 1}, {kB, 1}}, "y", false, 0, kA},
         KeepBoth,
         {{kA, 3}, {kB, 1}},
         ContentFingerprint(MemoValues("x")) > ContentFingerprint(MemoValues("y"))},
        // Counters put back by a backup restored here: the edit is older by its counters only.
        {"an edit under counters the file has passed",
         {Live, {{kA, 2}}, "x", true, 0},
         {Live, {{kA, 3}}, "y", false, -1, kA},
         KeepBoth,
         {{kA, 4}}},
        {"an edit under the file's own counters",
         {Live, {{kA, 3}}, "x", true, 0},
         {Live, {{kA, 3}}, "y", false, -1, kA},
         KeepBoth,
         {{kA, 4}}},
        {"an unedited memo that differs under equal counters",
         {Live, {{kA, 3}}, "x"},
         {Live, {{kA, 3}}, "y", false, 1, kA},
         KeepBoth,
         {{kA, 4}},
         false},
        // A backup read in here holds a memo deleted since: the engine counts it as an edit.
        {"a memo read in over its own deletion",
         {Live, {{kA, 4}, {kB, 1}}, "x", true},
         {Tombstone, {{kA, 5}, {kB, 1}}, "", false, 0, kA},
         LocalWinsOverTombstone,
         {{kA, 6}, {kB, 1}}},
        {"a memo read in over another PC's deletion",
         {Live, {{kA, 4}, {kB, 1}}, "x", true},
         {Tombstone, {{kA, 3}, {kB, 2}}},
         LocalWinsOverTombstone,
         {{kA, 4}, {kB, 2}}},
        // Another PC resolved a conflict and counted up past a content without changing it.
        {"a deletion made apart from a version of a content it had seen",
         {Live, {{kA, 1}, {kB, 2}}, "x", false, 0, kB, {{kA, 1}}},
         {Tombstone, {{kA, 2}, {kB, 1}}},
         TakeFile,
         {{kA, 2}, {kB, 2}}},
        {"a deletion here made apart from a version of a content it had seen",
         {Tombstone, {{kA, 2}, {kB, 1}}},
         {Live, {{kA, 1}, {kB, 2}}, "x", false, 0, kB, {{kA, 1}}},
         WriteLocal,
         {{kA, 2}, {kB, 2}}},
        {"an edit over a content another PC only counted past",
         {Live, {{kA, 2}, {kB, 1}}, "z", false, 0, kB, {{kA, 1}, {kB, 1}}},
         {Live, {{kA, 1}, {kB, 3}}, "y", false, 0, kB, {{kB, 3}}},
         TakeFile,
         {{kA, 2}, {kB, 3}}},
        // Each side resolved something with the other's content in view.
        {"both resolved a conflict of the two",
         {Live, {{kA, 2}, {kB, 1}}, "x", false, 0, kB, {{kA, 1}}},
         {Live, {{kA, 1}, {kB, 2}}, "y", false, -1, kB, {{kB, 1}}},
         KeepBoth,
         {{kA, 3}, {kB, 2}}},
        {"this side outlived a deletion of the file's content",
         {Live, {{kA, 2}, {kB, 1}}, "x", false, 0, kB, {{kA, 1}}, {{kB, 1}}},
         {Live, {{kA, 1}, {kB, 2}}, "y", false, 0, kB, {{kB, 1}}},
         WriteLocal,
         {{kA, 2}, {kB, 2}}},
        {"each outlived a deletion of the other's content",
         {Live, {{kA, 2}, {kB, 1}}, "x", false, 0, kB, {{kA, 1}}, {{kB, 1}}},
         {Live, {{kA, 1}, {kB, 2}}, "y", false, 0, kB, {{kB, 1}}, {{kA, 1}}},
         RemoveBoth,
         {{kA, 2}, {kB, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MemoFile file = FileOf(c.file);
        // This PC's clock a day behind or ahead changes no decision; in a conflict of two
        // edits, the side written later keeps the id.
        for (const int skew : {0, -1, 1}) {
            LocalSide local = LocalOf(c.local);
            local.updated = Updated(c.local.day + skew);
            const Decision decision = Decide(local, file, kA);
            EXPECT_EQ(decision.action, c.action) << skew;
            EXPECT_EQ(decision.versions, c.versions) << skew;
            if (c.action != KeepBoth) continue;
            if (skew == 0) {
                EXPECT_EQ(decision.localKeepsId, c.localKeepsId);
            } else if (c.local.day + skew != c.file.day) {
                EXPECT_EQ(decision.localKeepsId, c.local.day + skew > c.file.day) << skew;
            }
            const std::string loser =
                decision.localKeepsId ? ContentFingerprint(file.values) : local.fingerprint;
            EXPECT_EQ(decision.conflictId, ConflictId(kMemoId, loser)) << skew;
            EXPECT_EQ(decision.conflictVersions, ConflictVersions(decision.conflictId)) << skew;
        }
    }
}

// A PC as the engine would keep it: its memos by id, tombstones among them, and a plain map
// for the folder it sees.
struct Held {
    VersionVector versions;
    std::vector<NamedValue> values;
    bool deleted = false;
    bool edited = false;
    std::string updated;
    VersionVector written;
    VersionVector removed;
    friend bool operator==(const Held& a, const Held& b) {
        return a.versions == b.versions && a.values == b.values && a.deleted == b.deleted;
    }
};
// A file as the replication sees it: the newest write of a name wins.
struct Written {
    std::string bytes;
    int stamp = 0; // when it was written, in the order of all writes
    friend bool operator==(const Written&, const Written&) = default;
};
using Folder = std::map<std::string, Written>; // by file name

struct Pc {
    std::string device;
    int clockDays = 0; // how far its clock is off
    Folder* folder = nullptr;
    std::map<std::string, Held> memos;
};

std::string StringValue(const std::vector<NamedValue>& values, std::string_view name) {
    const NamedValue* value = Named(values, name);
    return value ? platform::StringOf(name, value->value) : std::string();
}

std::string TextOf(const Held& held) {
    return StringValue(held.values, "Text");
}

void PrintTo(const Held& held, std::ostream* out) {
    *out << VersionsText(held.versions) << (held.deleted ? " deleted" : "") << " \""
         << StringValue(held.values, "Title") << "\": \"" << TextOf(held) << "\"";
}

// What the PCs share besides the folders: the kernel, the seconds that pass, and the files
// already read and written, kept for the thousands of orders run through.
struct World {
    platform::FakeKernel kernel;
    int tick = 0;
    std::map<std::string, MemoFileRead> reads;
    std::map<std::string, std::string> texts;

    const MemoFileRead& Read(const std::string& bytes) {
        const auto known = reads.find(bytes);
        return known != reads.end()
                   ? known->second
                   : reads.emplace(bytes, ReadMemoFile(bytes, kernel)).first->second;
    }
    const std::string& FileText(const MemoFile& memo) {
        std::string key = memo.id + VersionsText(memo.versions) + memo.device + memo.updated +
                          (memo.deleted ? "D" : "L") + VersionsText(memo.written) +
                          VersionsText(memo.removed);
        for (const NamedValue& value : memo.values)
            key += value.name + '=' + std::to_string(static_cast<int>(value.value.type)) + ':' +
                   value.value.data + '\n';
        const auto known = texts.find(key);
        return known != texts.end() ? known->second
                                    : texts.emplace(key, MemoFileText(memo, kernel)).first->second;
    }
};

// One pass of an engine over its folder, the way the engine is meant to use the rule.
void Sync(Pc& pc, World& world) {
    const std::string now = UpdatedText({.year = 2026,
                                         .month = 12,
                                         .day = 8 + pc.clockDays,
                                         .hour = 12,
                                         .second = ++world.tick % 60});
    std::set<std::string> toWrite;
    for (auto& [id, held] : pc.memos) {
        if (!held.edited) continue;
        held.versions = Bumped(held.versions, pc.device);
        held.written.clear();
        held.updated = now;
        toWrite.insert(id);
    }
    const Folder seen = *pc.folder;
    for (const auto& [name, written] : seen) {
        const MemoFileRead& read = world.Read(written.bytes);
        ASSERT_EQ(read.kind, MemoFileKind::Memo) << read.reason;
        const MemoFile& file = read.memo;
        const bool known = pc.memos.contains(file.id);
        Held& held = pc.memos[file.id];
        const LocalSide local{.exists = known && !held.deleted,
                              .deleted = known && held.deleted,
                              .versions = held.versions,
                              .edited = held.edited,
                              .fingerprint = ContentFingerprint(held.values),
                              .updated = held.updated,
                              .written = held.written,
                              .removed = held.removed};
        const Decision decision = Decide(local, file, pc.device);
        held.edited = false;
        held.versions = decision.versions;
        held.written = decision.written;
        held.removed = decision.removed;
        switch (decision.action) {
        case Action::Nothing: toWrite.erase(file.id); break;
        case Action::TakeFile:
            held = {decision.versions, file.values,      file.deleted,    false,
                    file.updated,      decision.written, decision.removed};
            // A deletion that stands over a version of what it removed goes out under both.
            if (decision.versions == file.versions)
                toWrite.erase(file.id);
            else
                toWrite.insert(file.id);
            break;
        case Action::WriteLocal:
        case Action::MergeCounters:
        case Action::LocalWinsOverTombstone: toWrite.insert(file.id); break;
        case Action::FileWinsOverLocalTombstone:
            held.values = file.values;
            held.deleted = false;
            toWrite.insert(file.id);
            break;
        case Action::RemoveBoth:
            held.values.clear();
            held.deleted = true;
            toWrite.insert(file.id);
            break;
        case Action::KeepBoth: {
            std::vector<NamedValue> loser = file.values;
            if (!decision.localKeepsId) std::swap(loser, held.values);
            toWrite.insert(file.id);
            if (pc.memos.contains(decision.conflictId)) break;
            pc.memos[decision.conflictId] = {decision.conflictVersions, ConflictValues(loser),
                                             false, false, now};
            toWrite.insert(decision.conflictId);
            break;
        }
        }
    }
    for (const auto& [id, held] : pc.memos)
        if (!pc.folder->contains(id + ".json")) toWrite.insert(id);
    for (const std::string& id : toWrite) {
        Held& held = pc.memos[id];
        held.edited = false;
        held.updated = now;
        (*pc.folder)[id + ".json"] = {
            world.FileText({id, held.versions, pc.device, now, held.deleted, held.values,
                            held.written, held.removed}),
            world.tick};
    }
}

// What was typed, and what a later edit or deletion replaced knowingly: every text typed and
// not replaced must be on every PC in the end.
struct Typed {
    std::set<std::string> texts{"base"};
    std::set<std::string> replaced;
};

struct Step {
    enum Kind { Edit, Delete, Sync, Carry, Cross } kind;
    int pc;
    std::string text; // Edit
    // Carry: the files of pc's folder newer than those of `to`'s copied over them; Cross:
    // each folder's files over the other's at once, as when two replications pass each other.
    int to = 0;
};

void Run(const Step& step, std::vector<Pc>& pcs, Typed& typed, World& world) {
    Pc& pc = pcs[static_cast<std::size_t>(step.pc)];
    const auto memo = pc.memos.find(kMemoId);
    const bool live = memo != pc.memos.end() && !memo->second.deleted;
    switch (step.kind) {
    case Step::Edit:
        if (!live) return; // a deleted memo is not there to type in
        typed.replaced.insert(TextOf(memo->second));
        typed.texts.insert(step.text);
        memo->second.values = MemoValues(step.text);
        memo->second.edited = true;
        return;
    case Step::Delete:
        if (!live) return;
        typed.replaced.insert(TextOf(memo->second));
        memo->second.values.clear();
        memo->second.deleted = true;
        memo->second.edited = true;
        return;
    case Step::Sync: Sync(pc, world); return;
    case Step::Carry:
    case Step::Cross: {
        Folder& other = *pcs[static_cast<std::size_t>(step.to)].folder;
        const Folder from = *pc.folder;
        if (step.kind == Step::Cross)
            for (const auto& [name, written] : Folder(other))
                (*pc.folder)[name] = written;
        for (const auto& [name, written] : from)
            if (step.kind == Step::Cross || !other.contains(name) ||
                other[name].stamp < written.stamp)
                other[name] = written;
        return;
    }
    }
}

// Every order of the steps, each followed by rounds of syncing and carrying until nothing
// changes: the PCs end with the same memos, every text typed and not knowingly replaced is
// on each of them, and no text is there twice.
void ExpectConvergenceInEveryOrder(std::vector<Step> steps, int pcCount, bool sharedFolder) {
    World world;
    const auto sooner = [](const Step& a, const Step& b) {
        return std::tie(a.kind, a.pc, a.text, a.to) < std::tie(b.kind, b.pc, b.text, b.to);
    };
    std::sort(steps.begin(), steps.end(), sooner);
    const std::vector<std::string> devices{kA, kB, kC};
    int orders = 0;
    do {
        std::vector<Folder> folders(static_cast<std::size_t>(pcCount));
        std::vector<Pc> pcs;
        for (int i = 0; i < pcCount; ++i) {
            const std::size_t own = sharedFolder ? 0 : static_cast<std::size_t>(i);
            pcs.push_back({devices[static_cast<std::size_t>(i)],
                           i - 1,
                           &folders[own],
                           {{kMemoId, {{{kA, 1}}, MemoValues("base"), false, false, ""}}}});
        }
        const std::string order = [&] {
            std::string text;
            for (const Step& step : steps)
                text += "EDSCX"[step.kind] + std::to_string(step.pc) + step.text + " ";
            return text;
        }();
        SCOPED_TRACE(order);
        Typed typed;
        for (const Step& step : steps)
            Run(step, pcs, typed, world);
        // Done when a whole round changes neither a PC nor a folder.
        const auto state = [&] {
            std::vector<std::map<std::string, Held>> memos;
            for (const Pc& pc : pcs)
                memos.push_back(pc.memos);
            return std::pair(memos, folders);
        };
        int rounds = 0;
        for (auto before = state();; before = state()) {
            // Every PC syncs before any folder is carried, so that copies crossed in the
            // steps are each met on their own.
            for (int i = 0; i < pcCount; ++i)
                Run({Step::Sync, i}, pcs, typed, world);
            for (int i = 0; i < pcCount && !sharedFolder; ++i)
                for (int to = 0; to < pcCount; ++to)
                    if (to != i) Run({Step::Carry, i, "", to}, pcs, typed, world);
            if (state() == before) break;
            ASSERT_LT(++rounds, 6) << "no end to the exchanges";
        }

        for (const Pc& pc : pcs) {
            EXPECT_EQ(pc.memos, pcs[0].memos) << pc.device;
            std::multiset<std::string> texts;
            for (const auto& [id, held] : pc.memos)
                if (!held.deleted) texts.insert(TextOf(held));
            for (const std::string& text : typed.texts) {
                if (!typed.replaced.contains(text)) {
                    EXPECT_EQ(texts.count(text), 1u) << pc.device << " lost or doubled " << text;
                }
            }
            EXPECT_EQ(std::set<std::string>(texts.begin(), texts.end()).size(), texts.size());
        }
        ++orders;
    } while (std::next_permutation(steps.begin(), steps.end(), sooner));
    EXPECT_GT(orders, 100);
}

TEST(MergeConvergenceTest, ThreePcsOnOneFolderEditAndDeleteInEveryOrder) {
    ExpectConvergenceInEveryOrder({{Step::Edit, 0, "a"},
                                   {Step::Edit, 1, "b"},
                                   {Step::Delete, 2},
                                   {Step::Sync, 0},
                                   {Step::Sync, 1},
                                   {Step::Sync, 2}},
                                  3, true);
}

TEST(MergeConvergenceTest, ThreePcsOnOneFolderEditTogetherInEveryOrder) {
    ExpectConvergenceInEveryOrder({{Step::Edit, 0, "a"},
                                   {Step::Edit, 1, "b"},
                                   {Step::Edit, 2, "c"},
                                   {Step::Sync, 0},
                                   {Step::Sync, 1},
                                   {Step::Sync, 2}},
                                  3, true);
}

// Each PC its own copy of the folder: when the copies cross, both meet the conflict and
// resolve it, each on its own.
TEST(MergeConvergenceTest, TwoPcsWithFoldersOfTheirOwnExchangeInEveryOrder) {
    ExpectConvergenceInEveryOrder({{Step::Edit, 0, "a"},
                                   {Step::Edit, 1, "b"},
                                   {Step::Sync, 0},
                                   {Step::Sync, 1},
                                   {Step::Cross, 0, "", 1},
                                   {Step::Carry, 1, "", 0}},
                                  2, false);
}

} // namespace
} // namespace petarino::sync
