#include "sync/folder_sync.h"

#include "memos/sync_mark.h"
#include "store/error_report.h"
#include "store/start_up_load.h"
#include "sync/memo_values.h"
#include "sync/merge_decision.h"
#include "sync/pending_deletions.h"
#include "sync/travelling_values.h"

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
    const bool hasHeader =
        std::any_of(entries->begin(), entries->end(), [](const platform::FolderEntry& entry) {
            return !entry.folder && entry.name == kFolderHeaderName;
        });
    const platform::FilePath header = files_.InFolder(folder, kFolderHeaderName);
    std::string folderId;
    try {
        if (hasHeader) {
            const auto id = ReadFolderHeader(files_.ReadWhole(header, kMostMemoFileBytes));
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
            files_.WriteWhole(header, FolderHeaderText(folderId));
        }
    } catch (const std::exception& error) {
        ReportGeneralError(services_.windows, error.what());
        return;
    }
    settings_.folder = folder;
    settings_.folderId = folderId;
    if (settings_.device.empty()) settings_.device = kernel_.NewGuid();
    SettingsChanged();
    Look(true);
}

// Another folder, or none: nothing known of the last one carries over, and the settings are
// saved at once.
void FolderSync::SettingsChanged() {
    known_.clear();
    present_.clear();
    tombstonedHere_.clear();
    settings_.pendingDeletions.clear();
    pendingLoaded_ = true;
    folderLook_.Forget();
    pause_ = Pause::None;
    problem_.clear();
    lastSync_.clear();
    services_.save();
}

void FolderSync::Stop() {
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

void FolderSync::MemosReplaced() {
    for (int slot = 0; slot <= memos_.MaxForm(); ++slot)
        if (const std::string& id = memos_.Memos(slot).Sync().id; IsSyncId(id))
            replaced_.insert(id);
    everyMemoNext_ = true;
    Look(true);
}

void FolderSync::Tick() {
    if (!On() || pause_ == Pause::Declined) return;
    const std::uint64_t now = Now();
    if (lookWaiting_ || now >= nextLook_ ||
        (changeReportedAt_ && now >= *changeReportedAt_ + kGathering) ||
        (editSeenAt_ && now >= *editSeenAt_ + kEditSettles))
        Look(false);
}

void FolderSync::BeforeExit() {
    if (!On() || pause_ == Pause::Declined) return;
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
        // Brought back by a restore or an import.
        tombstonedHere_.erase(mark.id);
    }
    return here;
}

// An edit since the memo's versions were last written or taken counts one on this PC's
// counter. A memo never synced that holds just what its file holds takes the file's versions.
void FolderSync::NoteEdits(const Here& here) {
    for (const auto& [id, memo] : here) {
        const std::string fingerprint =
            ContentFingerprint(MemoKeyValues(*memo, services_.pixelsPerInch));
        const SyncMark mark = memo->Sync();
        if (fingerprint == mark.base) continue;
        VersionVector versions = VersionsOf(*memo);
        const auto file = known_.find(id);
        if (mark.base.empty() && file != known_.end() && !file->second.deleted &&
            ContentFingerprint(file->second.values) == fingerprint)
            versions = Merged(versions, file->second.versions);
        else
            versions = Bumped(versions, settings_.device);
        memo->SetSync({id, VersionsText(versions), fingerprint});
    }
}

// What a restore or an import brought counts as a change made after everything the folder
// holds of it, its tombstones too.
void FolderSync::WinAfterReplace(const Here& here) {
    for (const std::string& id : replaced_) {
        const auto memo = here.find(id);
        if (memo == here.end()) continue;
        VersionVector versions = VersionsOf(*memo->second);
        if (const auto file = known_.find(id); file != known_.end())
            versions = Merged(versions, file->second.versions);
        SyncMark mark = memo->second->Sync();
        mark.versions = VersionsText(Bumped(versions, settings_.device));
        memo->second->SetSync(mark);
    }
    replaced_.clear();
}

void FolderSync::Look(bool everyMemo) {
    if (looking_) return;
    if (services_.busy && services_.busy()) {
        lookWaiting_ = true;
        return;
    }
    looking_ = true;
    struct Done {
        bool& looking;
        ~Done() { looking = false; }
    } done{looking_};
    lookWaiting_ = false;
    changeReportedAt_.reset();
    nextLook_ = Now() + kRegularLook;

    if (!pendingLoaded_) {
        for (const auto& [id, versions] : ParsePendingDeletions(settings_.pendingDeletions))
            tombstonedHere_.emplace(id, versions);
        pendingLoaded_ = true;
    }
    Here here = MemosById();
    // Before the folder is looked at: a memo destroyed while it is away is deleted everywhere
    // once it is back, whatever ends this run meanwhile.
    NoteDestroyed(here);
    settings_.pendingDeletions = PendingDeletionsText(tombstonedHere_);

    const sync::Look look = folderLook_.Take(settings_.folder);
    if (!Usable(look)) return;
    if (services_.foundFolder) services_.foundFolder();
    const bool edits = everyMemo || everyMemoNext_ || editSeenAt_.has_value();
    editSeenAt_.reset();
    problem_.clear();
    ownFiles_ = look.ownFiles;
    for (const FoundFile& found : look.changed)
        if (found.own) known_[found.file.id] = found.file;
    if (edits) NoteEdits(here);
    everyMemoNext_ = false;
    WinAfterReplace(here);
    if (!AskBeforeRemoving(look, here)) {
        pause_ = Pause::Declined;
        PauseFor(kDeclined);
        return;
    }
    BackUpBeforeReplacing(look, here);

    for (const FoundFile& found : look.changed)
        if (found.own) Merge(found.file.id, found.file, here);
    for (const FoundFile& found : look.changed)
        if (!found.own) {
            Merge(found.file.id, found.file, here);
            files_.MoveIntoFolder(found.path,
                                  files_.InFolder(settings_.folder, kHandledFolderName));
        }
    // Every memo here against its own file: a missing file is written again, never taken for
    // a deletion; an edit is written.
    for (const auto& [id, memo] : Here(here)) {
        const auto file = known_.find(id);
        if (file == known_.end() || !ownFiles_.contains(id))
            Publish(id, *memo);
        else
            Merge(id, MemoFile(file->second), here); // a copy: the merge may write over it
    }
    for (const auto& [id, versions] : PendingDeletions(tombstonedHere_))
        WriteTombstone(id, versions);
    Finish(look, here);
}

bool FolderSync::AskBeforeRemoving(const sync::Look& look, const Here& here) {
    int removals = 0;
    for (const FoundFile& found : look.changed)
        if (const auto memo = here.find(found.file.id);
            found.file.deleted && memo != here.end() &&
            Compare(VersionsOf(*memo->second), found.file.versions) == Order::Before)
            ++removals;
    if (removals < kRemovalsAsked || removals * 2 <= static_cast<int>(here.size())) return true;
    const std::string question = "同期フォルダの変更で、" + std::to_string(removals) +
                                 " 枚のメモが削除されます。適用しますか？";
    return services_.windows.ShowMessageBox(question, "確認", YesNo | IconQuestion) ==
           platform::DialogResult::Yes;
}

// Once in a while at most: a busy folder would otherwise push every older backup out.
void FolderSync::BackUpBeforeReplacing(const sync::Look& look, const Here& here) {
    constexpr std::uint64_t kBackupSpacing = 15 * 60'000;
    const bool replacing =
        std::any_of(look.changed.begin(), look.changed.end(), [&](const auto& f) {
            const auto memo = here.find(f.file.id);
            return memo != here.end() &&
                   Compare(VersionsOf(*memo->second), f.file.versions) != Order::After &&
                   Compare(VersionsOf(*memo->second), f.file.versions) != Order::Equal;
        });
    if (!replacing || !services_.backUp) return;
    if (lastBackup_ && Now() < *lastBackup_ + kBackupSpacing) return;
    lastBackup_ = Now();
    services_.backUp();
}

void FolderSync::Merge(const std::string& id, const MemoFile& file, Here& here) {
    const auto found = here.find(id);
    Memo* memo = found != here.end() ? found->second : nullptr;
    LocalSide local;
    if (memo) {
        local.exists = true;
        local.versions = VersionsOf(*memo);
        local.fingerprint = memo->Sync().base;
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
    switch (decision.action) {
    case Action::Nothing: return;
    case Action::TakeFile: Take(id, file, file.versions, here); return;
    case Action::WriteLocal:
    case Action::MergeCounters:
    case Action::LocalWinsOverTombstone: {
        if (!memo) {
            tombstonedHere_[id] = decision.versions;
            return WriteTombstone(id, decision.versions);
        }
        SyncMark mark = memo->Sync();
        mark.versions = VersionsText(decision.versions);
        memo->SetSync(mark);
        Publish(id, *memo);
        return;
    }
    case Action::FileWinsOverLocalTombstone:
        tombstonedHere_.erase(id);
        if (Memo* made = Make(id, file.values, decision.versions, here)) Publish(id, *made);
        return;
    case Action::KeepBoth: {
        // The losing version lives on as a memo of its own, with an id every PC derives alike.
        const bool localLoses = !decision.localKeepsId;
        if (!here.contains(decision.conflictId)) {
            const auto loserValues = localLoses
                                         ? FileValues(MemoKeyValues(*memo, services_.pixelsPerInch))
                                         : file.values;
            if (Memo* copy = Make(decision.conflictId, ConflictValues(loserValues),
                                  decision.conflictVersions, here))
                Publish(decision.conflictId, *copy);
        }
        if (localLoses) {
            Take(id, file, decision.versions, here);
        } else {
            SyncMark mark = memo->Sync();
            mark.versions = VersionsText(decision.versions);
            memo->SetSync(mark);
            Publish(id, *memo);
        }
        return;
    }
    }
}

// The file's content in place of this PC's: its travelling values into a memo here, a new
// memo made with its place and size, or the memo removed for a tombstone. What this PC holds
// afterwards is written when it is ahead of the memo's own file.
void FolderSync::Take(const std::string& id, const MemoFile& file, const VersionVector& versions,
                      Here& here) {
    const auto found = here.find(id);
    if (file.deleted) {
        if (found != here.end()) Remove(id, here);
        MemoFile tombstone = file;
        tombstone.versions = versions;
        Write(id, std::move(tombstone));
        return;
    }
    Memo* memo = found != here.end() ? found->second : Make(id, file.values, versions, here);
    if (!memo) return;
    if (found != here.end()) {
        store::StoredMemo stored = StoredMemoOf(file.values);
        // Where a memo lies and whether it shows belong to each PC.
        stored.bounds.reset();
        stored.visible.reset();
        stored.stayOnTop.reset();
        store::RestoreMemo(stored, *memo, services_.expander, services_.host,
                           services_.pixelsPerInch);
        MarkTaken(*memo, id, versions);
    }
    Publish(id, *memo);
}

Memo* FolderSync::Make(const std::string& id, const std::vector<store::NamedValue>& values,
                       const VersionVector& versions, Here& here) {
    const store::StoredMemo stored = StoredMemoOf(values);
    Memo* memo = memos_.AddHidden(stored.bounds);
    if (!memo) {
        ++notShown_;
        return nullptr;
    }
    store::RestoreMemo(stored, *memo, services_.expander, services_.host, services_.pixelsPerInch);
    MarkTaken(*memo, id, versions);
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
void FolderSync::MarkTaken(Memo& memo, const std::string& id, const VersionVector& versions) {
    memo.SetSync({id, VersionsText(versions),
                  ContentFingerprint(MemoKeyValues(memo, services_.pixelsPerInch))});
}

void FolderSync::Publish(const std::string& id, const Memo& memo) {
    Write(id, MemoFile{.id = id,
                       .versions = VersionsOf(memo),
                       .device = settings_.device,
                       .updated = {},
                       .deleted = false,
                       .values = FileValues(MemoKeyValues(memo, services_.pixelsPerInch))});
}

// Equal versions hold equal content: a file already at them is not written again.
bool FolderSync::Write(const std::string& id, MemoFile file) {
    const auto known = known_.find(id);
    if (ownFiles_.contains(id) && known != known_.end()) {
        if (known->second.versions == file.versions && known->second.deleted == file.deleted)
            return true;
        // A file is only ever replaced by a version that has seen it.
        if (Compare(file.versions, known->second.versions) != Order::After) return false;
    }
    file.device = settings_.device;
    file.updated = UpdatedText(kernel_.UtcNow());
    try {
        files_.WriteWhole(files_.InFolder(settings_.folder, id + ".json"),
                          MemoFileText(file, kernel_));
    } catch (const std::exception& error) {
        problem_ = std::string("同期フォルダに書き込めません：") + error.what();
        return false;
    }
    ownFiles_.insert(id);
    ownStamps_[id] = {file.versions, file.updated};
    known_[id] = std::move(file);
    return true;
}

// A memo that was here at the last look and is gone without the folder removing it was
// destroyed here: its file stays, marked deleted, one up on this PC's counter. Noted before
// anything of the folder is merged, so a file read again cannot bring it back.
void FolderSync::NoteDestroyed(const Here& here) {
    for (const auto& [id, versions] : present_) {
        const auto file = known_.find(id);
        if (here.contains(id) || file == known_.end() || file->second.deleted) continue;
        tombstonedHere_[id] = Bumped(Merged(versions, file->second.versions), settings_.device);
    }
}

// The values are those of the memo's last file.
// Once written, the tombstone is the file's: its own file stands for the deletion from then on.
void FolderSync::WriteTombstone(const std::string& id, const VersionVector& versions) {
    const auto file = known_.find(id);
    if (file == known_.end()) return;
    if (Write(id, MemoFile{.id = id,
                           .versions = versions,
                           .device = settings_.device,
                           .updated = {},
                           .deleted = true,
                           .values = file->second.values}))
        tombstonedHere_.erase(id);
}

std::string FolderSync::LocalUpdated(const std::string& id, const VersionVector& versions) const {
    if (const auto own = ownStamps_.find(id);
        own != ownStamps_.end() && own->second.first == versions)
        return own->second.second;
    if (const auto file = known_.find(id);
        file != known_.end() && file->second.versions == versions)
        return file->second.updated;
    return UpdatedText(kernel_.UtcNow());
}

void FolderSync::Finish(const sync::Look& look, const Here& here) {
    settings_.pendingDeletions = PendingDeletionsText(tombstonedHere_);
    present_.clear();
    for (const auto& [id, memo] : here)
        present_[id] = VersionsOf(*memo);
    shownCount_ = static_cast<int>(here.size());
    lastSync_ = ClockText(kernel_.Now());
    if (tableChanged_) memos_.RefreshStatusList();
    tableChanged_ = false;
    for (const BadFile& bad : look.stillBad)
        if (services_.tell)
            services_.tell("同期フォルダの " + bad.name +
                           " を読めないため、そのままにしています（" + bad.reason + "）");
    if (notShown_ > 0 && !notShownTold_) {
        notShownTold_ = true;
        services_.windows.ShowMessageBox(
            "同期フォルダのメモのうち " + std::to_string(notShown_) +
                " 枚は、メモが 101 "
                "枚を超えるため表示できません。同期フォルダにそのまま残してあります。",
            "ペタリノ", platform::MessageBoxStyle::IconInformation);
    }
}

} // namespace petarino::sync
