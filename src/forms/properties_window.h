// TDouguForm, the properties window and the program's main form: never shown at start, it
// shows the desk (the memos and the engines around them) on its pages, routes its messages,
// the notification icon's and the system's broadcasts to it, and its close is the end of the
// program.
#pragma once

#include "desk/desk_services.h"
#include "desk/desk_view.h"
#include "forms/control_bindings.h"
#include "forms/desk_memo_owner.h"
#include "forms/extended_page.h"
#include "forms/notify_icon.h"
#include "forms/properties_window_layout.h"
#include "forms/settings_page.h"
#include "forms/status_page.h"
#include "forms/sync_page.h"
#include "memos/hotkey_settings.h"
#include "memos/memo_factory.h"
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
    DeskServices desk;
    // The window has closed: the program's end.
    std::function<void()> closed;
    // The store's reading, begun as the program started; without it the load reads.
    std::shared_future<store::StoredState> storeReadAhead = {};
};

// Makes the memo windows for the table, owned by the application window and asking the
// properties window for what they need.
using MemoFactoryMaker =
    std::function<std::unique_ptr<MemoFactory>(HWND application, MemoWindowOwner& owner)>;

class TDouguForm final : private DeskView {
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
    void SelectPage(int page);
    void PageShown(int page);
    void bShowClick();
    void SearchFromAnywhere();

    // "表示/非表示の変更(&S)" of a memo's menu, and the hotkey of the search.
    void ShowStatusPage();

    // DeskView
    void ShowBalloon(std::string_view title, std::string_view text) override;
    void ShowBalloon(std::u16string_view title, std::u16string_view text) override;
    void SyncFolderFound() override;

    HWND application_;
    HICON icon_;
    platform::WindowSystem& windows_;
    std::function<void()> closed_;
    std::shared_future<store::StoredState> storeReadAhead_;
    HWND window_ = nullptr;
    std::unique_ptr<DouguFormControls> controls_;
    ListBoxStatusList statusList_;
    UpDownAutosaveSettings autosave_;
    CheckBoxExitSettings exitSettings_;
    HotkeyControlSettings hotkeySettings_;
    DeskMemoOwner memoOwner_;
    std::unique_ptr<MemoFactory> memoFactory_;
    std::unique_ptr<petarino::Desk> desk_;
    StatusPage statusPage_;
    SettingsPage settingsPage_;
    ExtendedPage extendedPage_;
    SyncPage syncPage_;
    std::optional<NotifyIcon> notifyIcon_;
    bool shownBefore_ = false;
    bool endSessionAgreed_ = false;
};

} // namespace petarino::forms
