// What a PC does when it finds a memo's file: the whole merge rule, one pure function.
// Counters decide, never clocks: a PC whose clock runs a day wrong merges exactly as the
// others do. A clock only picks which side of a real conflict keeps the memo's id, and that
// side's edit is kept as well as the other's. Nothing is lost: an edit beats a deletion it
// has not seen, and two edits that have not seen each other both stay.
// Each content also carries the counters it was written under: a merge counts past them
// without writing anything, so a side whose counters include them has seen that content,
// whatever became of it there (an edit over it, a deletion, a conflict's copy), and is not
// made apart from it. And each version carries the counters of the deletions it outlived (an
// edit made apart from them brought it back): a content they had seen stays deleted.
#pragma once

#include "store/store_snapshot.h"
#include "sync/memo_file.h"
#include "sync/version_vector.h"

#include <string>
#include <string_view>
#include <vector>

namespace petarino::sync {

// The memo as this PC holds it. The engine counts its own edit up (Bumped on this device)
// before it asks, so `versions` already include it.
struct LocalSide {
    bool exists = false;  // the memo is here
    bool deleted = false; // not here, but this PC deleted it and wrote so through its file
    VersionVector versions;
    bool edited = false;     // changed since `versions` were last written or taken
    std::string fingerprint; // ContentFingerprint of its values
    std::string updated;     // UpdatedText of when this version was or will be written
    VersionVector written;   // the counters its content was written under; empty: `versions`
    VersionVector removed;   // the deletions it outlived, merged
};

enum class Action {
    Nothing,
    TakeFile,      // the file has seen everything here, and more: take its content, or remove
                   // the memo when it is a tombstone (also one made apart from this PC's that
                   // had seen the content here, and replaced it)
    WriteLocal,    // this PC has seen everything the file has, and more: write this PC's
                   // (also one made apart that had seen the file's content, and replaced it)
    MergeCounters, // each has seen a change the other has not, with the same
                   // outcome: keep it under the merged counters and write
    LocalWinsOverTombstone,     // an edit here against a deletion that has not seen it: the
                                // memo lives on, written under counters that dominate both
    FileWinsOverLocalTombstone, // a deletion here against an edit that has not seen it: the
                                // memo comes back here with the file's content, written
                                // under counters that dominate both
    KeepBoth,   // two different edits: one side keeps the id, the other becomes a new memo
    RemoveBoth, // each side outlived a deletion of the other's content: the memo goes, under
                // both sides' counters
};

struct Decision {
    Action action = Action::Nothing;
    VersionVector versions; // the memo's counters to keep here and to write
    // Of the content kept under the id: the counters it was written under, and the deletions
    // both sides outlived.
    VersionVector written;
    VersionVector removed;
    // KeepBoth: whether this PC's edit keeps the id; the other side's values go on as
    // ConflictValues under conflictId and conflictVersions, a new memo made alike on every PC
    // that meets that side losing.
    bool localKeepsId = true;
    std::string conflictId;
    VersionVector conflictVersions;
};

Decision Decide(const LocalSide& local, const MemoFile& file, std::string_view device);

// The id of the memo that a conflict's losing side becomes, from the memo's id and the losing
// content: the same on every PC that sees that content lose, whatever counters it lost under
// there (a version that won a conflict elsewhere carries more than it was written with), so
// they make one memo, not one each.
std::string ConflictId(std::string_view loserId, std::string_view loserFingerprint);
// Its counters: one, counted on the copy's own id, so every PC makes it alike, and a deletion
// of it has seen every copy any PC makes later.
VersionVector ConflictVersions(std::string_view conflictId);

// The losing side's values under a title that begins with "競合: ". The prefix is always
// added, so a copy of a copy says so twice and every PC writes the same title.
std::vector<store::NamedValue> ConflictValues(std::vector<store::NamedValue> values);

} // namespace petarino::sync
