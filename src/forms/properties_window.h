// TDouguForm, the properties window and the program's main form: never shown at start, it
// owns the memo table, the clock with its one-second tick, the store, the notification icon
// and its menu, and its close is the end of the program.
#pragma once

#include "clock/alarm_bell.h"
#include "clock/expand_macros.h"
#include "clock/heartbeat.h"
#include "clock/running_clock.h"
#include "forms/backup_list.h"
#include "forms/control_bindings.h"
#include "forms/memo_window_owner.h"
#include "forms/notify_icon.h"
#include "forms/properties_window_layout.h"
#include "forms/sync_page.h"
#include "memos/global_hotkeys.h"
#include "memos/memo_factory.h"
#include "memos/memo_search.h"
#include "memos/memo_table.h"
#include "memos/screen_keeper.h"
#include "platform/choosers.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/registry.h"
#include "platform/win32/folder_watch.h"
#include "platform/win32/unique_handle.h"
#include "platform/window_system.h"
#include "store/exit_sequence.h"
#include "store/memo_backups.h"
#include "store/registry_store.h"
#include "store/sync_settings.h"
#include "sync/folder_sync.h"

#include <windows.h>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>

namespace petarino::forms {

// What the properties window works with, made before it.
struct DouguFormServices {
    HWND application; // the hidden owner of every window of the program
    HICON icon;       // MAINICON
    platform::WindowSystem& windows;
    platform::Kernel& kernel;
    platform::Registry& registry;
    platform::Graphics& graphics;
    platform::Files& files;
    platform::Choosers& choosers;
    FormatLocale& locale;
    MacroServices macro;
    // The window has closed: the program's end.
    std::function<void()> closed;
    // The store's reading, begun as the program started; without it the load reads.
    std::shared_future<store::StoredState> storeReadAhead = {};
};

// Makes the memo windows for the table, owned by the application window and asking the
// properties window for what they need.
using MemoFactoryMaker =
    std::function<std::unique_ptr<MemoFactory>(HWND application, MemoWindowOwner& owner)>;

class TDouguForm final : private MemoWindowOwner {
public:
    static constexpr wchar_t kClassName[] = L"TDouguForm";
    // Once a process; the single-instance guard of other copies looks for this class.
    static void RegisterWindowClass(HICON icon);

    // Creates the window hidden and runs the creation handler: the day names, the clock's
    // start values, the notification icon, the store's load, the timer.
    TDouguForm(const DouguFormServices& services, const MemoFactoryMaker& makeMemoFactory);
    ~TDouguForm();
    TDouguForm(const TDouguForm&) = delete;
    TDouguForm& operator=(const TDouguForm&) = delete;

    HWND Handle() const { return window_; }
    MemoTable& Table() { return table_; }
    RunningClock& Clock() { return clock_; }
    // The memo properties dialog, made after this window.
    void SetMemoPropertiesDialog(std::function<void(Memo&)> open) {
        openMemoProperties_ = std::move(open);
    }
    // The alarm dialog, made when first needed.
    void SetAlarmDialog(std::function<void(Memo&)> open) { openAlarm_ = std::move(open); }
    // WM_HOTKEY of the application window.
    void HotkeyPressed(int id);
    // The sync engine's side of the page "同期", shown at once.
    void SetSyncPage(SyncPageActions actions);
    // The folder and the status anew from the actions, once the page is made; the engine calls
    // it on the window's thread when a sync ends.
    void RefreshSyncPage();

    // Every route to the end: the exit sequence decides; on yes the icon goes and the window
    // closes, which ends the message loop.
    void Close();

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wp, LPARAM lp);
    platform::WindowSystem& Windows() { return windows_; }

private:
    DouguFormControls& Controls();
    void FormCreate();
    void FormShow();
    void FormClose();
    void Timer1Timer();
    void MenuCommand(UINT id);
    void ControlCommand(UINT id, UINT notification);
    void NotifyIconEvent(LPARAM event);
    void ShowMainPop();
    void ShowVersion();
    void SelectPage(int page);
    void bShowClick();
    void ExtendedPageShown();
    void HotkeyChanged(GlobalHotkey which);
    void ShowTakenHotkeys();
    void NewMemoFromAnywhere();
    void AllMemosToFront();
    void SearchFromAnywhere();
    // The list anew with the memos the box's words find.
    void SearchChanged();
    // The memo of the row shown, raised and given the keyboard, the first word found in its
    // text selected.
    void ShowFoundMemo(int row);
    void bRestoreClick();
    void bExportClick();
    void bImportClick();
    void SyncBrowseClick();
    // The folder watched while sync is on, after every change of its settings.
    void WatchSyncFolder();
    // A memo's dialog or question: the folder's changes wait for it, and a restore or an
    // import, which would free its memo, is refused meanwhile.
    template <typename Open> void WithDialog(Open open);
    void RefreshBackups();
    void SyncButtonClick(std::function<void()> action);
    static LRESULT CALLBACK StatusListProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR,
                                                DWORD_PTR) noexcept;
    static LRESULT CALLBACK SearchBoxProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR,
                                               DWORD_PTR) noexcept;

    // MemoWindowOwner
    void CreateMemo() override;
    void ConfirmAndDestroy(int slot) override;
    void RefreshStatusList() override;
    void ShowStatusPage() override;
    void Exit() override;
    void OpenMemoProperties(Memo& memo) override;
    void OpenAlarm(Memo& memo) override;
    void ReportError(std::string_view message) override;
    void MemoChanged() override;

    HWND application_;
    HICON icon_;
    platform::WindowSystem& windows_;
    platform::Kernel& kernel_;
    platform::Choosers& choosers_;
    FormatLocale& locale_;
    MacroServices macroServices_;
    std::function<void()> closed_;
    std::shared_future<store::StoredState> storeReadAhead_;
    HWND window_ = nullptr;
    std::unique_ptr<DouguFormControls> controls_;
    ListBoxStatusList statusList_;
    UpDownAutosaveSettings autosave_;
    CheckBoxExitSettings exitSettings_;
    HotkeyControlSettings hotkeySettings_;
    store::SyncSettings syncSettings_;
    GlobalHotkeys hotkeys_;
    std::unique_ptr<MemoFactory> memoFactory_;
    MemoTable table_;
    ScreenKeeper screenKeeper_;
    MemoSearch search_{kernel_};
    RunningClock clock_;
    MacroExpander expander_;
    store::RegistryStore store_;
    store::MemoBackups backups_;
    AlarmBell alarmBell_;
    BackupList backupList_;
    Heartbeat heartbeat_;
    sync::FolderSync sync_;
    store::ExitSequence exitSequence_;
    std::optional<win32::FolderWatch> folderWatch_;
    std::optional<platform::FilePath> watchedFolder_;
    int dialogsOpen_ = 0;
    std::optional<NotifyIcon> notifyIcon_;
    std::function<void(Memo&)> openMemoProperties_;
    std::function<void(Memo&)> openAlarm_;
    SyncPageActions syncPage_;
    std::string shownLabel3_;
    bool shownBefore_ = false;
    bool created_ = false; // the creation handler has finished
    bool endSessionAgreed_ = false;
};

} // namespace petarino::forms
