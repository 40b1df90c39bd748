#include "sync/folder_sync.h"

#include "memos/sync_mark.h"
#include "store/error_report.h"
#include "store/start_up_load.h"
#include "sync/memo_values.h"
#include "sync/merge_decision.h"
#include "sync/pending_deletions.h"
#include "sync/travelling_values.h"
#include "text/ascii.h"

#include <algorithm>
#include <cstdio>
#include <exception>

namespace petarino::sync {
namespace {

using platform::MessageBoxStyle::IconQuestion;
using platform::MessageBoxStyle::YesNo;

// Change reports miss changes on network shares and in cloud placeholders: the folder is
// looked at this often whatever they say.
constexpr std::uint64_t kRegularLook = 60'000;
// A sync engine writes a file in several steps, each reported.
constexpr std::uint64_t kGathering = 2'000;
// Typing goes on: its file is written once it rests.
constexpr std::uint64_t kEditSettles = 2'000;
// A look that would remove at least this many memos, and more than half, asks first.
constexpr int kRemovalsAsked = 5;
// Whatever asks for looks, and however often: a listing of a network share can take seconds.
constexpr std::uint64_t kLeastBetweenLooks = 1'000;

constexpr char kMissing[] = "同期フォルダが見つかりません。フォルダが戻ると自動で再開します。";
constexpr char kNoHeader[] = "同期フォルダに petarino-sync.json がありません。"
                             "元のフォルダが戻ると自動で再開します。";
constexpr char kOtherFolder[] = "同期フォルダの petarino-sync.json が別の同期フォルダのものです。"
                                "元のフォルダが戻ると自動で再開します。";
constexpr char kDeclined[] = "メモの削除を適用しなかったため、同期を止めています。"
                             "「今すぐ同期」で再開します。";

std::string ClockText(const platform::LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

VersionVector VersionsOf(const Memo& memo) {
    return ParseVersions(memo.Sync().versions).value_or(VersionVector{});
}

Lineage LineageOf(const Memo& memo) {
    return ParseLineage(memo.Sync().lineage);
}

void KeepUnder(SyncMark& mark, const VersionVector& versions, const VersionVector& written,
               const VersionVector& removed) {
    mark.versions = VersionsText(versions);
    mark.lineage = LineageText({written, removed}, versions);
}

void KeepUnder(Memo& memo, const Decision& decision) {
    SyncMark mark = memo.Sync();
    KeepUnder(mark, decision.versions, decision.written, decision.removed);
    memo.SetSync(mark);
}

} // namespace

FolderSync::FolderSync(SyncServices services)
    : services_(std::move(services)), files_(services_.files), kernel_(services_.kernel),
      settings_(services_.settings), memos_(services_.memos), folderLook_(files_, kernel_) {}

std::string FolderSync::StatusLine() const {
    if (!On()) return "同期していません";
    if (!problem_.empty()) return problem_;
    if (lastSync_.empty()) return "同期の準備をしています";
    return "最終同期 " + lastSync_ + " - " + std::to_string(shownCount_) + " 枚";
}

void FolderSync::Join(const platform::FilePath& folder) {
    const std::string shown = files_.Display(folder);
    const auto entries = files_.ListFolder(folder);
    if (!entries) {
        ReportGeneralError(services_.windows, "フォルダ " + shown + " を開けません");
        return;
    }
    // Named in any case, as a look finds it.
    const auto header =
        std::find_if(entries->begin(), entries->end(), [](const platform::FolderEntry& entry) {
            return !entry.folder && EqualIgnoringAsciiCase(entry.name, kFolderHeaderName);
        });
    // A listing may leave an entry out: a header is never made over one that is there.
    const platform::FilePath headerPath =
        header != entries->end() ? header->path : files_.InFolder(folder, kFolderHeaderName);
    std::string folderId;
    try {
        if (header != entries->end() || files_.FileSize(headerPath)) {
            const auto id = ReadFolderHeader(files_.ReadWhole(headerPath, kMostMemoFileBytes));
            if (!id) {
                ReportGeneralError(services_.windows,
                                   "フォルダ " + shown +
                                       " の petarino-sync.json は、ペタリノの同期フォルダの"
                                       "ものとして読めません");
                return;
            }
            folderId = *id;
        } else {
            folderId = kernel_.NewGuid();
            files_.WriteWhole(headerPath, FolderHeaderText(folderId));
        }
    } catch (const std::exception& error) {
        ReportGeneralError(services_.windows, error.what());
        return;
    }
    LoadState();
    // The folder this PC synced with before, joined again: what it knows of it still holds,
    // and a memo destroyed meanwhile is deleted there too. Its files are all read again.
    if (folderId != stateFolderId_) ForgetState();
    stateFolderId_ = folderId;
    folderLook_.Forget();
    settings_.folder = folder;
    settings_.folderId = folderId;
    if (settings_.device.empty()) settings_.device = kernel_.NewGuid();
    SettingsChanged();
    Look(true);
}

void FolderSync::ForgetState() {
    known_.clear();
    knownValues_.clear();
    present_.clear();
    tombstonedHere_.clear();
    stamps_.clear();
    folderLook_.Forget();
}

// The settings are saved at once.
void FolderSync::SettingsChanged() {
    KeepState();
    pause_ = Pause::None;
    problem_.clear();
    lastSync_.clear();
    services_.save();
}

// What the engine knows is kept: sync turned on again with the same folder goes on from it.
void FolderSync::Stop() {
    if (On() && !looking_) MemosNow();
    settings_.folder = {};
    settings_.folderId.clear();
    SettingsChanged();
}

void FolderSync::LookNow() {
    if (!On()) return;
    if (pause_ == Pause::Declined) {
        pause_ = Pause::None;
        problem_.clear();
    }
    Look(true);
}

void FolderSync::FolderChanged() {
    if (!changeReportedAt_) changeReportedAt_ = Now();
}

// The win is counted now, against what this PC knows of the folder when the user chooses: an
// edit another PC makes later, or that reaches this PC only later, is made apart from the
// restore and stays beside it.
void FolderSync::MemosReplaced() {
    if (!On()) return;
    const Here here = MemosNow();
    WinAfterReplace(here);
    for (const auto& [id, memo] : here)
        present_[id] = VersionsOf(*memo);
    editsWaiting_ = true;
    KeepState();
    // A restart before the folder is reached must not let its older versions win.
    services_.save();
    Look(true);
}

void FolderSync::Tick() {
    if (!On()) return;
    const std::uint64_t now = Now();
    if (pause_ == Pause::Declined) {
        // Paused, destructions are still noted: they go out when sync resumes, whenever.
        if (!looking_) {
            MemosNow();
            KeepState();
        }
        return;
    }
    if (lastLookAt_ && now < *lastLookAt_ + kLeastBetweenLooks) return;
    if (lookWaiting_ || now >= nextLook_ ||
        (changeReportedAt_ && now >= *changeReportedAt_ + kGathering) ||
        (editSeenAt_ && now >= *editSeenAt_ + kEditSettles))
        Look(false);
}

void FolderSync::BeforeExit() {
    if (!On()) return;
    if (pause_ == Pause::Declined) {
        if (!looking_) {
            MemosNow();
            KeepState();
        }
        return;
    }
    Look(true);
}

void FolderSync::PauseFor(std::string reason) {
    if (problem_ != reason) {
        problem_ = std::move(reason);
        if (services_.tell) services_.tell(problem_);
    }
    // Everything is read anew when the folder is back: it may have changed in every way.
    folderLook_.Forget();
}

bool FolderSync::Usable(const sync::Look& look) {
    reachable_ = look.state != FolderState::Missing;
    switch (look.state) {
    case FolderState::Missing: PauseFor(kMissing); return false;
    case FolderState::NoHeader: PauseFor(kNoHeader); return false;
    case FolderState::OtherFolder: PauseFor(kOtherFolder); return false;
    case FolderState::Ready: break;
    }
    if (look.folderId != settings_.folderId) {
        PauseFor(kOtherFolder);
        return false;
    }
    return true;
}

void FolderSync::LoadState() {
    if (stateLoaded_) return;
    stateLoaded_ = true;
    EngineState state = ParseEngineState(settings_.engineState);
    stateFolderId_ = state.folderId;
    // A memo's own file seen without what it held is read again.
    std::erase_if(state.seen, [&](const auto& entry) {
        return entry.second.kind == SeenKind::Memo && entry.second.own &&
               !state.known.contains(entry.second.id);
    });
    folderLook_.Resume(std::move(state.seen));
    known_ = std::move(state.known);
    stamps_ = std::move(state.stamps);
    present_ = std::move(state.present);
    for (const auto& [id, versions] : ParsePendingDeletions(settings_.pendingDeletions))
        tombstonedHere_.emplace(id, versions);
}

void FolderSync::KeepState() {
    settings_.engineState =
        EngineStateText(EngineState{.folderId = stateFolderId_,
                                    .seen = beforeLook_ ? beforeLook_->seen : folderLook_.Seen(),
                                    .known = beforeLook_ ? beforeLook_->known : known_,
                                    .stamps = stamps_,
                                    .present = present_});
    settings_.pendingDeletions = PendingDeletionsText(tombstonedHere_);
}

FolderSync::Here FolderSync::MemosNow() {
    LoadState();
    Here here = MemosById();
    NoteDestroyed(here);
    for (const auto& [id, memo] : here)
        present_[id] = VersionsOf(*memo);
    return here;
}

// Memos without an id get theirs now, as a save would give it.
FolderSync::Here FolderSync::MemosById() {
    Here here;
    for (int slot = 0; slot <= memos_.MaxForm(); ++slot) {
        Memo& memo = memos_.Memos(slot);
        SyncMark mark = memo.Sync();
        if (!IsSyncId(mark.id) || here.contains(mark.id)) {
            mark = {kernel_.NewGuid(), "", ""};
            memo.SetSync(mark);
        }
        here[mark.id] = &memo;
        // Brought back by a restore or an import over its deletion here, whose tombstone the
        // folder has not seen yet: a change after that deletion, counted past it.
        if (const auto deletion = tombstonedHere_.find(mark.id);
            deletion != tombstonedHere_.end()) {
            const VersionVector versions =
                Bumped(Merged(VersionsOf(memo), deletion->second), settings_.device);
            KeepUnder(mark, versions, {}, LineageOf(memo).removed);
            memo.SetSync(mark);
            stamps_[mark.id] = {versions, UpdatedText(kernel_.UtcNow())};
            counted_ = true;
            tombstonedHere_.erase(deletion);
        }
    }
    return here;
}

// An edit since the memo's versions were last written or taken counts one on this PC's
// counter, stamped with when it was found. A memo never synced that holds just what its file
// holds takes the file's versions: also the content a tombstone removed, which reached the
// deleting PC apart from sync (an import) and stays deleted.
void FolderSync::NoteEdits(const Here& here) {
    for (const auto& [id, memo] : here) {
        const std::string fingerprint =
            ContentFingerprint(MemoKeyValues(*memo, services_.pixelsPerInch, kernel_));
        const SyncMark mark = memo->Sync();
        if (fingerprint == mark.base) continue;
        VersionVector versions = VersionsOf(*memo);
        VersionVector written;
        const auto file = known_.find(id);
        if (mark.base.empty() && file != known_.end() && file->second.content == fingerprint) {
            versions = Merged(versions, file->second.versions);
            written = WrittenUnder(file->second.versions, file->second.written);
        } else {
            // Past every count of this PC's that the folder holds for the memo: one put back by
            // a restore that the power cut short carries counts since used for other content.
            if (file != known_.end())
                if (const auto own = file->second.versions.find(settings_.device);
                    own != file->second.versions.end())
                    versions[own->first] = std::max(versions[own->first], own->second);
            versions = Bumped(versions, settings_.device);
            stamps_[id] = {versions, UpdatedText(kernel_.UtcNow())};
            counted_ = true;
        }
        SyncMark counted = mark;
        counted.base = fingerprint;
        KeepUnder(counted, versions, written, LineageOf(*memo).removed);
        memo->SetSync(counted);
    }
}

// What a restore or an import brought counts as a change made after everything this PC knows
// the folder holds of it, its tombstones too.
void FolderSync::WinAfterReplace(const Here& here) {
    for (const auto& [id, memo] : here) {
        const auto file = known_.find(id);
        const std::string fingerprint =
            ContentFingerprint(MemoKeyValues(*memo, services_.pixelsPerInch, kernel_));
        // Put back as its file holds it: no change, so no version of its own that could meet
        // another PC's edit as a conflict.
        if (file != known_.end() && !file->second.deleted && file->second.content == fingerprint) {
            const KnownFile& known = file->second;
            SyncMark mark{.id = id, .versions = {}, .base = fingerprint};
            KeepUnder(mark, known.versions, known.written, known.removed);
            memo->SetSync(mark);
            continue;
        }
        VersionVector versions = VersionsOf(*memo);
        if (file != known_.end()) versions = Merged(versions, file->second.versions);
        versions = Bumped(versions, settings_.device);
        stamps_[id] = {versions, UpdatedText(kernel_.UtcNow())};
        counted_ = true;
        KeepUnder(*memo, {.versions = versions, .removed = LineageOf(*memo).removed});
    }
}

void FolderSync::Look(bool everyMemo) {
    if (!On() || looking_) return;
    if (services_.busy && services_.busy()) {
        lookWaiting_ = true;
        return;
    }
    looking_ = true;
    struct Done {
        FolderSync& sync;
        ~Done() {
            sync.looking_ = false;
            sync.beforeLook_.reset();
        }
    } done{*this};
    lookWaiting_ = false;
    changeReportedAt_.reset();
    lastLookAt_ = Now();
    nextLook_ = Now() + kRegularLook;
    // Edits wait for the folder without asking for a look at every tick.
    if (everyMemo || editSeenAt_) editsWaiting_ = true;
    editSeenAt_.reset();

    // Before the folder is looked at: a memo destroyed while it is away is deleted everywhere
    // once it is back, whatever ends this run meanwhile.
    Here here = MemosNow();
    KeepState();

    beforeLook_ = {folderLook_.Seen(), known_};
    const sync::Look look = folderLook_.Take(settings_.folder);
    if (!Usable(look)) {
        beforeLook_.reset();
        return KeepState();
    }
    if (services_.foundFolder) services_.foundFolder();
    problem_.clear();
    ownFiles_ = look.ownFiles;
    unreadable_ = look.unreadable;
    written_.clear();
    for (const FoundFile& found : look.changed)
        if (found.own) Know(found.file, here);
    const auto settle = [&] {
        NoteEdits(here);
        editsWaiting_ = false;
    };
    if (editsWaiting_) settle();
    const std::optional<bool> apply = AskBeforeRemoving(look, here);
    if (apply == false) {
        pause_ = Pause::Declined;
        PauseFor(kDeclined);
        MemosNow();
        return KeepState();
    }
    // Anything may have happened while the question or the backup ran.
    const auto again = [&] {
        here = MemosNow();
        settle();
    };
    if (apply.has_value()) again();
    if (BackUpBeforeReplacing(look, here)) again();

    // A version that could not be kept (no room for its memo) is read again at the next look,
    // and an engine's copy stays in the folder until it is.
    for (const FoundFile& found : look.changed)
        if (found.own && !Merge(found.file.id, found.file, here)) folderLook_.ReadAgain(found.name);
    for (const FoundFile& found : look.changed) {
        if (found.own) continue;
        if (Merge(found.file.id, found.file, here))
            files_.MoveIntoFolder(found.path,
                                  files_.InFolder(settings_.folder, kHandledFolderName));
        else
            folderLook_.ReadAgain(found.name);
    }
    // Every memo here against its own file: a missing file is written again, never taken for
    // a deletion; an edit is written. A file at the memo's versions holds the memo.
    for (const auto& [id, memo] : Here(here)) {
        const auto file = known_.find(id);
        if (unreadable_.contains(id)) continue;
        if (file == known_.end() || !ownFiles_.contains(id))
            Publish(id, *memo);
        else if (file->second.deleted || file->second.versions != VersionsOf(*memo))
            if (const auto known = KnownFileOf(id)) Merge(id, *known, here);
    }
    for (const auto& [id, versions] : PendingDeletions(tombstonedHere_))
        WriteTombstone(id, versions);
    if (!written_.empty()) folderLook_.Wrote(settings_.folder, written_);
    Finish(look, here);
}

std::optional<bool> FolderSync::AskBeforeRemoving(const sync::Look& look, const Here& here) {
    int removals = 0;
    for (const FoundFile& found : look.changed)
        if (const auto memo = here.find(found.file.id);
            found.file.deleted && memo != here.end() &&
            Compare(VersionsOf(*memo->second), found.file.versions) == Order::Before)
            ++removals;
    if (removals < kRemovalsAsked || removals * 2 <= static_cast<int>(here.size()))
        return std::nullopt;
    const std::string question = "同期フォルダの変更で、" + std::to_string(removals) +
                                 " 枚のメモが削除されます。適用しますか？";
    return services_.windows.ShowMessageBox(question, "確認", YesNo | IconQuestion) ==
           platform::DialogResult::Yes;
}

// Once in a while at most: a busy folder would otherwise push every older backup out.
bool FolderSync::BackUpBeforeReplacing(const sync::Look& look, const Here& here) {
    constexpr std::uint64_t kBackupSpacing = 15 * 60'000;
    const bool replacing =
        std::any_of(look.changed.begin(), look.changed.end(), [&](const auto& f) {
            const auto memo = here.find(f.file.id);
            return memo != here.end() &&
                   Compare(VersionsOf(*memo->second), f.file.versions) != Order::After &&
                   Compare(VersionsOf(*memo->second), f.file.versions) != Order::Equal;
        });
    if (!replacing || !services_.backUp) return false;
    if (lastBackup_ && Now() < *lastBackup_ + kBackupSpacing) return false;
    lastBackup_ = Now();
    services_.backUp();
    return true;
}

bool FolderSync::Merge(const std::string& id, const MemoFile& file, Here& here) {
    if (unreadable_.contains(id)) return false;
    const auto found = here.find(id);
    Memo* memo = found != here.end() ? found->second : nullptr;
    LocalSide local;
    if (memo) {
        local.exists = true;
        local.versions = VersionsOf(*memo);
        // Edits are counted up before: a memo at the file's versions holds that version, as
        // taking it left it, whatever values this PC fills in that the file lacks.
        local.fingerprint =
            local.versions == file.versions ? ContentFingerprint(file.values) : memo->Sync().base;
        const Lineage lineage = LineageOf(*memo);
        local.written = lineage.written;
        local.removed = lineage.removed;
    } else if (const auto tombstone = tombstonedHere_.find(id);
               tombstone != tombstonedHere_.end()) {
        local.deleted = true;
        local.versions = tombstone->second;
    } else if (const auto own = known_.find(id); own != known_.end() && own->second.deleted) {
        // Deleted, here as in its own file: a copy from before that is no news.
        local.deleted = true;
        local.versions = own->second.versions;
    }
    local.updated = LocalUpdated(id, local.versions);
    const Decision decision = Decide(local, file, settings_.device);
    // Counted up on this PC, under counters larger than both sides: saved before the memo's
    // own file carries them (a conflict's copy may have been written first).
    const auto counted = [&] {
        counted_ |= decision.action == Action::LocalWinsOverTombstone ||
                    decision.action == Action::FileWinsOverLocalTombstone ||
                    decision.action == Action::KeepBoth;
    };
    switch (decision.action) {
    case Action::Nothing: return true;
    case Action::TakeFile: return Take(id, file, decision, here);
    case Action::RemoveBoth: {
        MemoFile tombstone = file;
        tombstone.deleted = true;
        return Take(id, tombstone, decision, here);
    }
    case Action::WriteLocal:
    case Action::MergeCounters:
    case Action::LocalWinsOverTombstone: {
        if (!memo) {
            tombstonedHere_[id] = decision.versions;
            WriteTombstone(id, decision.versions);
            return !tombstonedHere_.contains(id);
        }
        KeepUnder(*memo, decision);
        counted();
        Publish(id, *memo);
        return true;
    }
    case Action::FileWinsOverLocalTombstone: {
        Memo* made = Make(id, file.values, decision, here);
        if (!made) return false;
        tombstonedHere_.erase(id);
        counted();
        Publish(id, *made);
        return true;
    }
    case Action::KeepBoth: {
        // The losing version lives on as a memo of its own, with an id every PC derives alike.
        // Without room for it neither version goes: this PC's stays here, the other in the
        // folder, until there is room. A copy deleted, here or elsewhere, had that very
        // content: it is not made again.
        const bool localLoses = !decision.localKeepsId;
        const auto copyFile = known_.find(decision.conflictId);
        const bool copyDeleted = tombstonedHere_.contains(decision.conflictId) ||
                                 (copyFile != known_.end() && copyFile->second.deleted);
        if (!here.contains(decision.conflictId) && !copyDeleted) {
            const auto loserValues =
                localLoses ? FileValues(MemoKeyValues(*memo, services_.pixelsPerInch, kernel_))
                           : file.values;
            Memo* copy = Make(decision.conflictId, ConflictValues(loserValues),
                              {.versions = decision.conflictVersions}, here);
            if (!copy) return false;
            Publish(decision.conflictId, *copy);
        }
        counted();
        if (localLoses) return Take(id, file, decision, here);
        KeepUnder(*memo, decision);
        Publish(id, *memo);
        return true;
    }
    }
    return false;
}

// The file's content in place of this PC's: its travelling values into a memo here, a new
// memo made with its place and size, or the memo removed for a tombstone. What this PC holds
// afterwards is written when it is ahead of the memo's own file.
bool FolderSync::Take(const std::string& id, const MemoFile& file, const Decision& kept,
                      Here& here) {
    const auto found = here.find(id);
    if (file.deleted) {
        if (found != here.end()) Remove(id, here);
        MemoFile tombstone = file;
        tombstone.versions = kept.versions;
        tombstone.written.clear();
        tombstone.removed.clear();
        Write(id, std::move(tombstone));
        return true;
    }
    Memo* memo = found != here.end() ? found->second : Make(id, file.values, kept, here);
    if (!memo) return false;
    if (found != here.end()) {
        store::StoredMemo stored = StoredMemoOf(file.values, kernel_);
        // Where a memo lies and whether it shows belong to each PC.
        stored.bounds.reset();
        stored.visible.reset();
        stored.stayOnTop.reset();
        store::RestoreMemo(stored, *memo, services_.expander, services_.host,
                           services_.pixelsPerInch);
        MarkTaken(*memo, id, kept);
    }
    Publish(id, *memo);
    return true;
}

Memo* FolderSync::Make(const std::string& id, const std::vector<store::NamedValue>& values,
                       const Decision& kept, Here& here) {
    const store::StoredMemo stored = StoredMemoOf(values, kernel_);
    Memo* memo = memos_.AddHidden(stored.bounds);
    if (!memo) {
        notShown_.insert(id);
        return nullptr;
    }
    store::RestoreMemo(stored, *memo, services_.expander, services_.host, services_.pixelsPerInch);
    MarkTaken(*memo, id, kept);
    here[id] = memo;
    tableChanged_ = true;
    return memo;
}

void FolderSync::Remove(const std::string& id, Here& here) {
    const Memo* memo = here.at(id);
    here.erase(id);
    present_.erase(id);
    for (int slot = 0; slot <= memos_.MaxForm(); ++slot)
        if (&memos_.Memos(slot) == memo) {
            memos_.DestForm(slot);
            tableChanged_ = true;
            return;
        }
}

// The fingerprint is of the memo as this PC shows it, so a font size rounded at another
// screen density does not read as an edit here.
void FolderSync::MarkTaken(Memo& memo, const std::string& id, const Decision& kept) {
    SyncMark mark{.id = id,
                  .versions = {},
                  .base =
                      ContentFingerprint(MemoKeyValues(memo, services_.pixelsPerInch, kernel_))};
    KeepUnder(mark, kept.versions, kept.written, kept.removed);
    memo.SetSync(mark);
}

void FolderSync::Publish(const std::string& id, const Memo& memo) {
    Lineage lineage = LineageOf(memo);
    Write(id, MemoFile{.id = id,
                       .versions = VersionsOf(memo),
                       .device = settings_.device,
                       .updated = {},
                       .deleted = false,
                       .values = FileValues(MemoKeyValues(memo, services_.pixelsPerInch, kernel_)),
                       .written = std::move(lineage.written),
                       .removed = std::move(lineage.removed)});
}

// Equal versions hold equal content: a file already at them is not written again. A file
// that does not read, or that is there though the listing did not show it, is never written
// over: it is read first, at the next look.
bool FolderSync::Write(const std::string& id, MemoFile file) {
    if (unreadable_.contains(id)) return false;
    const std::string name = id + ".json";
    const platform::FilePath path = files_.InFolder(settings_.folder, name);
    const auto known = known_.find(id);
    if (ownFiles_.contains(id) && known != known_.end()) {
        if (known->second.versions == file.versions && known->second.deleted == file.deleted)
            return true;
        // A file is only ever replaced by a version that has seen it.
        if (Compare(file.versions, known->second.versions) != Order::After) return false;
    } else if (files_.FileSize(path)) {
        return false;
    }
    file.device = settings_.device;
    const auto stamp = stamps_.find(id);
    if (stamp != stamps_.end() && stamp->second.versions == file.versions) {
        file.updated = stamp->second.updated;
    } else {
        file.updated = UpdatedText(kernel_.UtcNow());
        stamps_[id] = {file.versions, file.updated};
    }
    const std::string text = MemoFileText(file, kernel_);
    // What this PC counted is in the store before any file carries it: a PC that loses power
    // after the write never counts the same number again for another content.
    if (counted_) {
        counted_ = false;
        // The memos here now, as the store will hold them: one destroyed after the power is
        // back is still found destroyed.
        for (int slot = 0; slot <= memos_.MaxForm(); ++slot)
            if (const SyncMark mark = memos_.Memos(slot).Sync();
                IsSyncId(mark.id) && !mark.versions.empty())
                present_[mark.id] = VersionsOf(memos_.Memos(slot));
        KeepState();
        services_.save();
    }
    try {
        files_.WriteWhole(path, text);
    } catch (const std::exception& error) {
        problem_ = std::string("同期フォルダに書き込めません：") + error.what();
        return false;
    }
    written_[name] = text.size();
    ownFiles_.insert(id);
    known_[id] = {
        file.versions, file.device, file.updated, file.deleted, ContentFingerprint(file.values),
        file.written,  file.removed};
    knownValues_[id] = std::move(file.values);
    return true;
}

// A deletion of this PC's (its tombstone written, or waiting) meets its memo's own file
// replaced by a version that has not seen it: one that an engine keeping the later of two
// writes put over the tombstone (another PC's tombstone among them), or one made apart from
// it. The deletion is this PC's side again when the file is merged: it stands and is written
// over a version it has seen the content of (merged with another deletion), and an edit made
// apart from it brings the memo back under counters past both.
void FolderSync::Know(const MemoFile& file, const Here& here) {
    const std::string content = ContentFingerprint(file.values);
    const auto last = known_.find(file.id);
    if (last != known_.end() && !here.contains(file.id)) {
        const KnownFile& before = last->second;
        std::optional<VersionVector> deletion;
        if (const auto waiting = tombstonedHere_.find(file.id); waiting != tombstonedHere_.end())
            deletion = waiting->second;
        else if (before.deleted)
            deletion = before.versions;
        if (deletion && Compare(file.versions, *deletion) != Order::After)
            tombstonedHere_[file.id] = *deletion;
    }
    known_[file.id] = {file.versions, file.device,  file.updated, file.deleted,
                       content,       file.written, file.removed};
    knownValues_[file.id] = file.values;
}

std::optional<MemoFile> FolderSync::KnownFileOf(const std::string& id) {
    const KnownFile& known = known_.at(id);
    MemoFile file{.id = id,
                  .versions = known.versions,
                  .device = known.device,
                  .updated = known.updated,
                  .deleted = known.deleted,
                  .values = {},
                  .written = known.written,
                  .removed = known.removed};
    if (const auto values = knownValues_.find(id); values != knownValues_.end()) {
        file.values = values->second;
        return file;
    }
    try {
        MemoFileRead read = ReadMemoFile(
            files_.ReadWhole(files_.InFolder(settings_.folder, id + ".json"), kMostMemoFileBytes),
            kernel_);
        if (read.kind != MemoFileKind::Memo || read.memo.versions != known.versions ||
            read.memo.deleted != known.deleted)
            return std::nullopt;
        knownValues_[id] = read.memo.values;
        file.values = std::move(read.memo.values);
        return file;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// A memo that was here at the last look and is gone without the folder removing it was
// destroyed here: its file stays, marked deleted, one up on this PC's counter. Noted before
// anything of the folder is merged, so a file read again cannot bring it back.
void FolderSync::NoteDestroyed(const Here& here) {
    for (auto entry = present_.begin(); entry != present_.end();) {
        const auto& [id, versions] = *entry;
        if (here.contains(id)) {
            ++entry;
            continue;
        }
        // A memo counted here whose file this PC does not know yet (written in a run the power
        // cut before its save) is deleted once the file is read.
        const auto file = known_.find(id);
        if (file == known_.end() ? !versions.empty() : !file->second.deleted) {
            tombstonedHere_[id] =
                Bumped(file == known_.end() ? versions : Merged(versions, file->second.versions),
                       settings_.device);
            counted_ = true;
        }
        entry = present_.erase(entry);
    }
}

// The values are those of the memo's last file.
// Once written, the tombstone is the file's: its own file stands for the deletion from then on.
void FolderSync::WriteTombstone(const std::string& id, const VersionVector& versions) {
    if (!known_.contains(id)) return;
    const auto last = KnownFileOf(id);
    if (!last) return;
    if (Write(id, MemoFile{.id = id,
                           .versions = versions,
                           .device = settings_.device,
                           .updated = {},
                           .deleted = true,
                           .values = last->values}))
        tombstonedHere_.erase(id);
}

std::string FolderSync::LocalUpdated(const std::string& id, const VersionVector& versions) const {
    if (const auto stamp = stamps_.find(id);
        stamp != stamps_.end() && stamp->second.versions == versions)
        return stamp->second.updated;
    if (const auto file = known_.find(id);
        file != known_.end() && file->second.versions == versions)
        return file->second.updated;
    return UpdatedText(kernel_.UtcNow());
}

void FolderSync::Finish(const sync::Look& look, const Here& here) {
    beforeLook_.reset();
    present_.clear();
    for (const auto& [id, memo] : here)
        present_[id] = VersionsOf(*memo);
    // Kept while its memo is here or its deletion is to be written: the memo's own file may
    // yet be replaced by another PC's version before this one meets it.
    std::erase_if(stamps_, [&](const auto& entry) {
        return !present_.contains(entry.first) && !tombstonedHere_.contains(entry.first);
    });
    KeepState();
    shownCount_ = static_cast<int>(here.size());
    lastSync_ = ClockText(kernel_.Now());
    if (tableChanged_) memos_.RefreshStatusList();
    tableChanged_ = false;
    for (const BadFile& bad : look.stillBad)
        if (services_.tell)
            services_.tell("同期フォルダの " + bad.name +
                           " を読めないため、そのままにしています（" + bad.reason + "）");
    if (!notShown_.empty() && !notShownTold_) {
        notShownTold_ = true;
        services_.windows.ShowMessageBox(
            "同期フォルダのメモのうち " + std::to_string(notShown_.size()) +
                " 枚は、メモが 101 "
                "枚を超えるため表示できません。同期フォルダにそのまま残してあります。",
            "ペタリノ", platform::MessageBoxStyle::IconInformation);
    }
}

} // namespace petarino::sync
