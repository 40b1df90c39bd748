// Sync through a folder that another program replicates between PCs: each memo mirrored to
// one file named after its id, the other PCs' files merged memo by memo by their version
// counters. The registry stays the store of record; the folder is only ever added to,
// never trusted to tell a deletion by a file's absence.
#pragma once

#include "macro_memos/macro_expander.h"
#include "memos/memo_table.h"
#include "platform/files.h"
#include "platform/kernel.h"
#include "platform/window_system.h"
#include "store/sync_settings.h"
#include "sync/engine_state.h"
#include "sync/folder_look.h"
#include "sync/merge_decision.h"
#include "sync/version_vector.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace petarino::sync {

struct SyncServices {
    platform::Files& files;
    platform::Kernel& kernel;
    platform::WindowSystem& windows;
    store::SyncSettings& settings;
    MemoTable& memos;
    MacroExpander& expander;
    MacroHost& host;
    int pixelsPerInch;
    // The store saved: the settings changed.
    std::function<void()> save;
    // The backup written before the folder's changes replace or remove memos here.
    std::function<void()> backUp;
    // A short notice from the notification icon.
    std::function<void(std::string_view)> tell;
    // A memo's dialog or a question is open: the folder's changes wait until it closes.
    std::function<bool()> busy;
    // A look found the folder: whatever watches it may check that it still watches the folder
    // that lies at its path now, and not one that was replaced there.
    std::function<void()> foundFolder;
};

class FolderSync {
public:
    explicit FolderSync(SyncServices services);

    bool On() const { return !settings_.folder.units.empty(); }
    const platform::FilePath& Folder() const { return settings_.folder; }
    // Sync is on and the folder was there at the last look (or none was taken yet): worth
    // watching for changes.
    bool Reachable() const { return On() && reachable_; }
    // One line for the page "同期": the last sync, or the present problem in plain words.
    std::string StatusLine() const;

    // The folder the user picked: joined when it has its header, made a sync folder when it
    // has none. A folder that cannot be used is refused with a message and nothing changes.
    void Join(const platform::FilePath& folder);
    void Stop();
    // "今すぐ同期", and a resume from sleep: also ends a pause the user chose.
    void LookNow();
    // The system reported a change in the folder: gathered, then one look.
    void FolderChanged();
    // A change that may travel: its file is written within seconds.
    void MemoChanged() { editSeenAt_ = Now(); }
    // A restore or an import replaced the memos: every memo it brought wins over the folder,
    // tombstones included, also when the folder is reached only in a later run, and those it
    // removed are deleted everywhere. With sync off it does nothing.
    void MemosReplaced();
    // Every second: writes that are due, and the looks.
    void Tick();
    // Every change of this run written, before the exit's save.
    void BeforeExit();

private:
    enum class Pause { None, Declined };
    using Here = std::map<std::string, Memo*>;

    std::uint64_t Now() { return kernel_.UptimeMilliseconds(); }
    void SettingsChanged();
    void ForgetState();
    void Look(bool everyMemo);
    bool Usable(const sync::Look& look);
    void PauseFor(std::string reason);
    void LoadState();
    void KeepState();
    // The memos as they are now, their destructions since the last time noted. Called again
    // after anything that may run a message loop (a question, the backup): a memo found
    // before may be gone, and the user may have typed meanwhile.
    Here MemosNow();
    Here MemosById();
    void NoteEdits(const Here& here);
    void WinAfterReplace(const Here& here);
    // True when it asked: the answer may have come after the memos changed.
    std::optional<bool> AskBeforeRemoving(const sync::Look& look, const Here& here);
    bool BackUpBeforeReplacing(const sync::Look& look, const Here& here);
    // True when the file's version is now kept here or in the memo's own file.
    bool Merge(const std::string& id, const MemoFile& file, Here& here);
    // The file's content kept under the decision's counters.
    bool Take(const std::string& id, const MemoFile& file, const Decision& kept, Here& here);
    Memo* Make(const std::string& id, const std::vector<store::NamedValue>& values,
               const Decision& kept, Here& here);
    void Remove(const std::string& id, Here& here);
    void Publish(const std::string& id, const Memo& memo);
    // False when it was not written: the folder refused it, or it has not seen the file there.
    bool Write(const std::string& id, MemoFile file);
    // A memo's own file as read at this look.
    void Know(const MemoFile& file, const Here& here);
    // A memo's own file as last read or written, its values read again when this run has not
    // yet; nullopt when the file no longer holds that version.
    std::optional<MemoFile> KnownFileOf(const std::string& id);
    void NoteDestroyed(const Here& here);
    void WriteTombstone(const std::string& id, const VersionVector& versions);
    void MarkTaken(Memo& memo, const std::string& id, const Decision& kept);
    std::string LocalUpdated(const std::string& id, const VersionVector& versions) const;
    void Finish(const sync::Look& look, const Here& here);

    SyncServices services_;
    platform::Files& files_;
    platform::Kernel& kernel_;
    store::SyncSettings& settings_;
    MemoTable& memos_;
    FolderLook folderLook_;
    // Each memo's own file as last read or written; the values only of those read or written
    // in this run, the others' read when a decision needs them.
    // The sync folder all of the below is about.
    std::string stateFolderId_;
    std::map<std::string, KnownFile> known_;
    std::map<std::string, std::vector<store::NamedValue>> knownValues_;
    // The ids of this PC's memos at the last look, and their versions then: a memo gone since
    // was destroyed here, and its tombstone is written over them.
    std::map<std::string, VersionVector> present_;
    // The local side of memos destroyed here whose tombstones are not written yet.
    std::map<std::string, VersionVector> tombstonedHere_;
    // When this PC made each version it holds: which side of a conflict keeps the id is
    // decided by the stamps in the files, the same on every PC, across restarts too.
    std::map<std::string, Stamp> stamps_;
    std::set<std::string> ownFiles_;
    std::set<std::string> unreadable_;
    // The files this look wrote, by name, with their sizes.
    std::map<std::string, std::uint64_t> written_;
    std::optional<std::uint64_t> lastBackup_;
    bool tableChanged_ = false;
    // This PC counted a version up that the store does not hold yet.
    bool counted_ = false;
    // The files as they were before the look under way: until it has merged what it listed,
    // the store keeps these, so what was listed but not merged is read again after a loss of
    // power.
    struct BeforeLook {
        std::map<std::string, SeenFile> seen;
        std::map<std::string, KnownFile> known;
    };
    std::optional<BeforeLook> beforeLook_;
    std::optional<std::uint64_t> editSeenAt_;
    std::optional<std::uint64_t> changeReportedAt_;
    std::optional<std::uint64_t> lastLookAt_;
    std::uint64_t nextLook_ = 0;
    bool lookWaiting_ = false;
    bool editsWaiting_ = true;
    bool stateLoaded_ = false;
    bool reachable_ = true;
    bool looking_ = false;
    Pause pause_ = Pause::None;
    std::string problem_;
    std::string lastSync_;
    int shownCount_ = 0;
    // Memos of the folder this PC had no room for, counted once each.
    std::set<std::string> notShown_;
    bool notShownTold_ = false;
};

} // namespace petarino::sync
