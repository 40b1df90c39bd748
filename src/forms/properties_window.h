// TDouguForm, the properties window and the program's main form: never shown at start, it
// shows the desk (the memos and the engines around them) on its pages, routes its messages,
// the notification icon's and the system's broadcasts to it, and its close is the end of the
// program.
#pragma once

#include "desk/desk_view.h"
#include "forms/backup_list.h"
#include "forms/control_bindings.h"
#include "forms/memo_window_owner.h"
#include "forms/notify_icon.h"
#include "forms/properties_window_layout.h"
#include "macro/format_settings.h"
#include "macro/macro_replacements.h"
#include "memos/hotkey_settings.h"
#include "memos/memo_factory.h"
#include "platform/choosers.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/registry.h"
#include "platform/win32/folder_watch.h"
#include "platform/window_system.h"
#include "store/stored_state.h"

#include <windows.h>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>

namespace petarino {
class Desk;
}

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

class TDouguForm final : private MemoWindowOwner, private DeskView {
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
    petarino::Desk& Desk() { return *desk_; }
    // WM_HOTKEY of the application window.
    void HotkeyPressed(int id);
    // Every route to the end: the desk's exit sequence decides; on yes the icon goes and the
    // window closes, which ends the message loop.
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
    // The memo of the row shown, raised and given the keyboard, the first word found in its
    // text selected.
    void ShowFoundMemo(int row);
    void bRestoreClick();
    void bExportClick();
    void bImportClick();
    void SyncBrowseClick();
    void SyncButtonClick(void (petarino::Desk::*action)());
    // The folder watched while sync is on and the folder is there.
    void WatchSyncFolder();
    void RefreshBackups();
    void RefreshSyncPage();
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

    // DeskView
    void ShowBalloon(std::string_view title, std::string_view text) override;
    void SyncFolderFound() override;

    HWND application_;
    HICON icon_;
    platform::WindowSystem& windows_;
    platform::Choosers& choosers_;
    std::function<void()> closed_;
    std::shared_future<store::StoredState> storeReadAhead_;
    HWND window_ = nullptr;
    std::unique_ptr<DouguFormControls> controls_;
    ListBoxStatusList statusList_;
    UpDownAutosaveSettings autosave_;
    CheckBoxExitSettings exitSettings_;
    HotkeyControlSettings hotkeySettings_;
    BackupList backupList_;
    std::unique_ptr<MemoFactory> memoFactory_;
    std::unique_ptr<petarino::Desk> desk_;
    std::optional<win32::FolderWatch> folderWatch_;
    std::optional<platform::FilePath> watchedFolder_;
    std::optional<NotifyIcon> notifyIcon_;
    std::string shownLabel3_;
    bool shownBefore_ = false;
    bool endSessionAgreed_ = false;
};

} // namespace petarino::forms
