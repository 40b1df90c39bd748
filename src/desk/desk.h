// The program's life as one object: the memo table and every engine around it (the store,
// backups, the one-second tick, alarms, sync, the exit sequence, global hotkeys, the screen
// keeper and search), wired to each other here and nowhere else. The windows route their
// events to it and show what it says; tests drive the same object on the fakes.
#pragma once

#include "alarms/alarm_bell.h"
#include "desk/desk_services.h"
#include "desk/desk_view.h"
#include "macro/format_settings.h"
#include "macro_memos/macro_expander.h"
#include "memos/global_hotkeys.h"
#include "memos/memo_factory.h"
#include "memos/memo_table.h"
#include "memos/screen_keeper.h"
#include "platform/choosers.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/registry.h"
#include "platform/shift_state.h"
#include "platform/window_system.h"
#include "search/memo_search.h"
#include "store/exit_sequence.h"
#include "store/exit_settings.h"
#include "store/memo_backups.h"
#include "store/registry_store.h"
#include "store/start_with_windows.h"
#include "store/sync_settings.h"
#include "sync/folder_sync.h"
#include "tick/heartbeat.h"
#include "tick/running_clock.h"

#include <functional>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace petarino {

class Desk {
public:
    Desk(const DeskServices& services, const DeskControls& controls, MemoFactory& memoFactory,
         DeskView& view);
    Desk(const Desk&) = delete;
    Desk& operator=(const Desk&) = delete;

    // The start: the day names, the store's load (a first start's balloon), the hotkeys, and
    // the start with Windows following a program that was moved.
    // A reading of the store begun before is taken when given.
    void Start(const std::shared_future<store::StoredState>& readAhead = {});
    // Until the load has ended nothing of this run can be lost, and a save would write a
    // half-loaded table over the user's memos: the exit and the end of a session wait for it.
    bool Started() const { return started_; }

    // Timer1: the running time, autosave, the macro memos, the alarms, then sync, which goes
    // on whatever stops the macros and ends with the exit sequence's tick.
    void Tick();

    // The memos' own roads. Each change tells sync; a question or a dialog counts as open for
    // as long as it stands, so nothing replaces the memo it holds meanwhile.
    Memo* CreateMemo();
    void MemoChanged();
    void ConfirmAndDestroy(int slot);
    void DestroySelected();
    void ToggleSelected() { table_.ToggleSelected(); }
    void StatusListMouseUp(platform::ShiftState shift);
    void SetMemoPropertiesDialog(std::function<void(Memo&)> open) {
        openMemoProperties_ = std::move(open);
    }
    void SetAlarmDialog(std::function<void(Memo&)> open) { openAlarm_ = std::move(open); }
    void OpenMemoProperties(Memo& memo);
    void OpenAlarm(Memo& memo);
    bool QuestionOpen() const { return questionsOpen_ > 0; }

    // The page "拡張": the backups and the roads that put one in place, write one or read one.
    // True when the memos were replaced.
    std::vector<store::BackupEntry> Backups() { return backups_.List(); }
    bool RestoreBackup(const platform::FilePath& path);
    bool ImportBackup();
    void ExportBackup() { backups_.Export(); }

    // The global hotkeys: which key the system's id names, a key set anew (refused, and the
    // refusal given, when another row holds it), those another program held tried again.
    static std::optional<GlobalHotkey> HotkeyOfId(int id);
    std::optional<std::string> HotkeyChanged(GlobalHotkey which) { return hotkeys_.Choose(which); }
    void RetryTakenHotkeys() { hotkeys_.RetryTaken(); }
    bool HotkeyTaken(GlobalHotkey which) const { return hotkeys_.Taken(which); }

    // The search box's words narrow the list; the memo of a row shown with the first word
    // found in its text.
    void SearchTyped(MemoTextView typed);
    Memo* ShowRow(int row) { return table_.ShowRow(row); }
    std::optional<platform::TextSpan> FoundInText(const Memo& memo) const {
        return search_.FirstInText(memo);
    }

    // The check box of the page "設定": whether Windows starts the program at sign-in.
    bool StartsWithWindows() { return startWithWindows_.On(); }
    void SetStartWithWindows(bool on) { startWithWindows_.Set(on); }

    // The monitors or their work areas changed; the system's format settings changed.
    void DisplayChanged() { screenKeeper_.DisplayChanged(); }
    void FormatSettingsChanged();

    // The page "同期" and the folder's events.
    const sync::FolderSync& Sync() const { return sync_; }
    void JoinSyncFolder(const platform::FilePath& folder) { sync_.Join(folder); }
    void StopSync() { sync_.Stop(); }
    void SyncNow() { sync_.LookNow(); }
    void SyncFolderChanged() { sync_.FolderChanged(); }
    // The folder worth watching for changes now, if any.
    std::optional<platform::FilePath> FolderToWatch() const;

    // Every route to the end asks first: true when the program may close, everything saved.
    bool CloseQuery();
    // The close the query allowed did not happen (the end of the session was cancelled).
    void CloseCancelled() { exitSequence_.CloseCancelled(); }
    // The program closes: the keys go back to the system.
    void Closed() { hotkeys_.UnregisterAll(); }

    MemoTable& Table() { return table_; }
    RunningClock& Clock() { return clock_; }
    sync::FolderSync& Sync() { return sync_; }
    // What the store saves, and the store itself: for those who read the store as it lies.
    store::ProgramState State() {
        return {table_, clock_, autosave_, exitSettings_, hotkeySettings_, syncSettings_};
    }
    store::RegistryStore& Store() { return store_; }

private:
    // A memo's dialog or a question: the folder's changes wait for it, and a restore or an
    // import, which would free its memo, is refused meanwhile.
    template <typename Open> void WithQuestion(Open open);
    // What sync does when the folder replaces memos here: a backup of them as they are.
    void BackUpBeforeSync();

    platform::WindowSystem& windows_;
    platform::Kernel& kernel_;
    FormatLocale& locale_;
    DeskView& view_;
    AutosaveSettings& autosave_;
    ExitSettings& exitSettings_;
    HotkeySettings& hotkeySettings_;
    store::SyncSettings syncSettings_;
    MemoTable table_;
    ScreenKeeper screenKeeper_;
    MemoSearch search_;
    RunningClock clock_;
    MacroExpander expander_;
    store::RegistryStore store_;
    store::MemoBackups backups_;
    AlarmBell alarmBell_;
    Heartbeat heartbeat_;
    sync::FolderSync sync_;
    store::ExitSequence exitSequence_;
    GlobalHotkeys hotkeys_;
    store::StartWithWindows startWithWindows_;
    std::function<void(Memo&)> openMemoProperties_;
    std::function<void(Memo&)> openAlarm_;
    int questionsOpen_ = 0;
    bool started_ = false;
};

} // namespace petarino
