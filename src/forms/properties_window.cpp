#include "forms/properties_window.h"

#include "desk/desk.h"
#include "forms/form_controls.h"
#include "forms/form_window.h"
#include "forms/main_pop.h"
#include "forms/memo_window.h"
#include "forms/mouse_shift_state.h"
#include "forms/properties_window_layout.h"
#include "forms/refusal_balloon.h"
#include "petarino/version.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/cp932_win32.h"
#include "store/error_report.h"

#include <algorithm>
#include <array>
#include <commctrl.h>
#include <iterator>
#include <optional>
#include <utility>

namespace petarino::forms {
namespace {

constexpr UINT_PTR kTimer1 = 1;
// The folder watch's report of a change in the sync folder.
constexpr UINT kSyncFolderChanged = WM_APP + 1;
constexpr UINT kTimer1Interval = 1000;
constexpr char kVersionText[] = "ペタリノ ver " PETARINO_VERSION "\n"
                                "付箋をデスクトップに貼っておくためのプログラムです。\n"
                                "ご意見・不具合の報告は、ペタリノ開発チームまでお寄せください。";

constexpr char kNotSyncing[] = "同期していません";

// The global hotkey whose box the control is.
std::optional<GlobalHotkey> HotkeyOfBox(UINT id) {
    switch (id) {
    case khkNewMemo: return GlobalHotkey::NewMemo;
    case khkFront: return GlobalHotkey::Front;
    case khkSearch: return GlobalHotkey::Search;
    default: return std::nullopt;
    }
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

} // namespace

TDouguForm::TDouguForm(const DouguFormServices& services, const MemoFactoryMaker& makeMemoFactory)
    : application_(services.application), icon_(services.icon), windows_(services.windows),
      choosers_(services.choosers), closed_(services.closed),
      storeReadAhead_(services.storeReadAhead),
      memoFactory_(makeMemoFactory(services.application, *this)),
      desk_(std::make_unique<petarino::Desk>(
          DeskServices{.windows = services.windows,
                       .kernel = services.kernel,
                       .registry = services.registry,
                       .graphics = services.graphics,
                       .files = services.files,
                       .choosers = services.choosers,
                       .locale = services.locale,
                       .macro = services.macro},
          DeskControls{statusList_, autosave_, exitSettings_, hotkeySettings_}, *memoFactory_,
          static_cast<DeskView&>(*this))) {
    RegisterWindowClass(icon_);
    window_ =
        CreateWindowExW(kDouguFormExStyle, kClassName, L"ペタリノのプロパティ", kDouguFormStyle, 0,
                        0, 0, 0, application_, nullptr, GetModuleHandleW(nullptr), this);
    if (!window_) throw std::runtime_error("ﾌﾟﾛﾊﾟﾃｨｳｨﾝﾄﾞｳを作成できません");
    SizeClientArea(window_);
    FormCreate();
}

// Made at the first showing, before anyone can use them: a desktop whose properties window
// is never opened has no need of them, nor of the libraries and fonts they bring.
DouguFormControls& TDouguForm::Controls() {
    if (controls_) return *controls_;
    // Kept before they are made, as the controls notify the window while they are.
    controls_ = std::make_unique<DouguFormControls>();
    DouguFormControls& controls = *controls_;
    CreateDouguFormControls(window_, controls, windows_);
    statusList_.Bind(controls.lbShow);
    autosave_.Bind(controls.udSave, controls.cbSave);
    exitSettings_.Bind(controls.cbText, controls.cbAlart);
    hotkeySettings_.Bind(std::array{controls.hkNewMemo, controls.hkFront, controls.hkSearch});
    backupList_.Bind(controls.lbBackups);
    win32::SetSubclass(controls.lbShow, StatusListProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
    win32::SetSubclass(controls.eSearch, SearchBoxProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
    if (!shownLabel3_.empty()) SetWindowTextW(controls.Label3, win32::ToWide(shownLabel3_).c_str());
    return controls;
}

void TDouguForm::RegisterWindowClass(HICON icon) {
    FormWindow<TDouguForm>::RegisterClassOnce(kClassName, 0,
                                              reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon);
}

TDouguForm::~TDouguForm() {
    // The memo windows go first: they may still ask this window for something as they close.
    memoFactory_.reset();
    if (window_) DestroyWindow(window_);
}

void TDouguForm::FormCreate() {
    notifyIcon_.emplace(window_, icon_);
    desk_->Start(std::exchange(storeReadAhead_, {}));
    folderWatch_.emplace(window_, kSyncFolderChanged);
    SetTimer(window_, kTimer1, kTimer1Interval, nullptr);
}

LRESULT TDouguForm::HandleMessage(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
    case WM_TIMER:
        if (wp == kTimer1) Timer1Timer();
        return 0;
    case WM_COMMAND:
        // A menu's command comes without a control; a control's names itself and what
        // happened to it.
        if (lp == 0)
            MenuCommand(LOWORD(wp));
        else
            ControlCommand(LOWORD(wp), HIWORD(wp));
        return 0;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lp)->code == TCN_SELCHANGE)
            SelectPage(TabCtrl_GetCurSel(Controls().PageControl1));
        return 0;
    case kNotifyIconMessage: NotifyIconEvent(lp); return 0;
    case kSyncFolderChanged: desk_->SyncFolderChanged(); return 0;
    case WM_POWERBROADCAST:
        if (wp == PBT_APMRESUMEAUTOMATIC) desk_->SyncNow();
        return TRUE;
    case WM_CLOSE: Close(); return 0;
    case WM_QUERYENDSESSION:
        // Until the store is loaded nothing of this run can be lost.
        if (!desk_->Started()) return TRUE;
        endSessionAgreed_ = desk_->CloseQuery();
        return endSessionAgreed_ ? TRUE : FALSE;
    case WM_ENDSESSION:
        if (wp) ExitProcess(0); // everything was saved by the query
        if (endSessionAgreed_) desk_->CloseCancelled();
        endSessionAgreed_ = false;
        return 0;
    // This window always exists and gets the system's broadcasts hidden or shown, so the memos
    // are kept on the screen in one place, whatever they and this window show.
    case WM_DISPLAYCHANGE: desk_->DisplayChanged(); return 0;
    case WM_SETTINGCHANGE:
        if (wp == SPI_SETWORKAREA) desk_->DisplayChanged();
        desk_->FormatSettingsChanged();
        return 0;
    case WM_HELP: return TRUE; // the help contexts name a help file the program does not have
    case WM_DESTROY:
        KillTimer(window, kTimer1);
        window_ = nullptr;
        if (closed_) closed_();
        return 0;
    default:
        if (message == TaskbarCreatedMessage() && notifyIcon_) notifyIcon_->AddAgain();
        return DefWindowProcW(window, message, wp, lp);
    }
}

void TDouguForm::MenuCommand(UINT id) {
    switch (id) {
    case kKN1: CreateMemo(); break;
    case kKF1: SetForegroundWindow(window_); break;
    case kProperties: FormShow(); break;
    case kAbout1: ShowVersion(); break;
    case kExit1: Close(); break;
    default: break;
    }
}

void TDouguForm::ControlCommand(UINT id, UINT notification) {
    if (notification == EN_CHANGE && id == keSearch) desk_->SearchTyped(TextOf(Controls().eSearch));
    if (const auto hotkey = HotkeyOfBox(id); hotkey && notification == EN_CHANGE)
        HotkeyChanged(*hotkey);
    if (notification == LBN_DBLCLK && id == klbShow) ShowFoundMemo(statusList_.SelectedRow());
    if (notification != BN_CLICKED) return;
    switch (id) {
    case kbShow: bShowClick(); break;
    case kbDestroy: desk_->DestroySelected(); break;
    case kButton3: CreateMemo(); break;
    case kbOk: ShowWindow(window_, SW_HIDE); break;
    case kButton1: Close(); break;
    case kbRestore: bRestoreClick(); break;
    case kbExport: bExportClick(); break;
    case kbImport: bImportClick(); break;
    case kbSyncBrowse: SyncBrowseClick(); break;
    case kbSyncStop: SyncButtonClick(&petarino::Desk::StopSync); break;
    case kbSyncNow: SyncButtonClick(&petarino::Desk::SyncNow); break;
    default: break;
    }
}

void TDouguForm::Timer1Timer() {
    desk_->Tick();
    WatchSyncFolder();
    if (desk_->Clock().Label3Caption() != shownLabel3_) {
        shownLabel3_ = desk_->Clock().Label3Caption();
        if (controls_) SetWindowTextW(controls_->Label3, win32::ToWide(shownLabel3_).c_str());
    }
}

void TDouguForm::FormShow() {
    if (!shownBefore_) {
        CentreOnScreen(window_);
        shownBefore_ = true;
    }
    const HWND pages = Controls().PageControl1;
    ShowWindow(window_, SW_SHOW);
    desk_->Table().RefreshStatusList();
    if (TabCtrl_GetCurSel(pages) == kExtendedPage) ExtendedPageShown();
    if (TabCtrl_GetCurSel(pages) == kSyncPage) RefreshSyncPage();
}

void TDouguForm::Close() {
    // Messages sent to the window while it is being made (a close request from another
    // program, say) arrive before the store is loaded: the exit sequence would save a
    // half-loaded table.
    if (!desk_->CloseQuery()) return;
    FormClose();
    DestroyWindow(window_);
}

void TDouguForm::FormClose() {
    folderWatch_.reset();
    desk_->Closed();
    notifyIcon_.reset();
}

void TDouguForm::NotifyIconEvent(LPARAM event) {
    switch (LOWORD(event)) {
    case WM_LBUTTONUP:
        FormShow();
        SetForegroundWindow(window_);
        break;
    case WM_RBUTTONUP: ShowMainPop(); break;
    default: break;
    }
}

void TDouguForm::ShowMainPop() {
    POINT at{};
    GetCursorPos(&at);
    // Without the foreground the menu would stay open when the user clicks elsewhere, and
    // the posted message lets it close at once after a choice.
    SetForegroundWindow(window_);
    PopUpMainPop(window_, at);
    PostMessageW(window_, WM_NULL, 0, 0);
}

void TDouguForm::ShowVersion() {
    windows_.ShowMessageBox(kVersionText, "ﾊﾞｰｼﾞｮﾝ情報", platform::MessageBoxStyle::Ok);
}

void TDouguForm::SelectPage(int page) {
    const DouguFormControls& controls = Controls();
    TabCtrl_SetCurSel(controls.PageControl1, page);
    const HWND sheets[] = {controls.TabSheet1, controls.TabSheet2, controls.TabSheet3,
                           controls.TabSheet4};
    for (int sheet = 0; sheet < std::ssize(sheets); ++sheet)
        ShowWindow(sheets[sheet], sheet == page ? SW_SHOW : SW_HIDE);
    if (page == kExtendedPage) ExtendedPageShown();
    if (page == kSyncPage) RefreshSyncPage();
}

// The backups anew, and the keys another program held tried again: they may be free by now.
void TDouguForm::ExtendedPageShown() {
    RefreshBackups();
    desk_->RetryTakenHotkeys();
    ShowTakenHotkeys();
}

// A key another program holds shows as in use in its box, and one of ours is refused in a
// balloon, with no message box: one opened while the user presses a combination would take the
// keys' releases from the box.
void TDouguForm::HotkeyChanged(GlobalHotkey which) {
    const DouguFormControls& controls = Controls();
    const HWND boxes[] = {controls.hkNewMemo, controls.hkFront, controls.hkSearch};
    if (const auto refusal = desk_->HotkeyChanged(which))
        ShowRefusal(controls.hotkeyRefusal, boxes[static_cast<size_t>(which)], *refusal);
    else if (hotkeySettings_.Key(which) != 0)
        HideRefusal(controls.hotkeyRefusal);
    ShowTakenHotkeys();
}

void TDouguForm::ShowTakenHotkeys() {
    const DouguFormControls& controls = Controls();
    const HWND marks[] = {controls.lNewMemoInUse, controls.lFrontInUse, controls.lSearchInUse};
    static_assert(std::size(marks) == kGlobalHotkeyCount);
    for (const GlobalHotkey which : kGlobalHotkeys)
        ShowWindow(marks[static_cast<size_t>(which)],
                   desk_->HotkeyTaken(which) ? SW_SHOW : SW_HIDE);
}

void TDouguForm::HotkeyPressed(int id) {
    const auto which = petarino::Desk::HotkeyOfId(id);
    if (!which) return;
    switch (*which) {
    case GlobalHotkey::NewMemo: NewMemoFromAnywhere(); break;
    case GlobalHotkey::Front: AllMemosToFront(); break;
    case GlobalHotkey::Search: SearchFromAnywhere(); break;
    default: break;
    }
}

// As the notification icon's item makes one, then typed in at once: the program that had
// the keyboard gives it up to the key's receiver.
void TDouguForm::NewMemoFromAnywhere() {
    if (auto* form = dynamic_cast<TMemoForm*>(desk_->CreateMemo()))
        SetForegroundWindow(form->Handle());
}

void TDouguForm::AllMemosToFront() {
    const MemoTable& table = desk_->Table();
    for (int slot = 0; slot <= table.MaxForm(); ++slot)
        if (auto* form = dynamic_cast<TMemoForm*>(&table.Memos(slot)); form && form->Visible())
            form->BringToFront();
}

// The box's text stays as it was, selected, so the next words typed replace it.
void TDouguForm::SearchFromAnywhere() {
    ShowStatusPage();
    SetForegroundWindow(window_);
    const HWND box = Controls().eSearch;
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
}

void TDouguForm::ShowFoundMemo(int row) {
    Memo* memo = desk_->ShowRow(row);
    auto* form = dynamic_cast<TMemoForm*>(memo);
    if (!form) return;
    form->BringToFront();
    SetForegroundWindow(form->Handle());
    if (const auto found = desk_->FoundInText(*memo)) form->SelectText(*found);
}

void TDouguForm::RefreshBackups() {
    backupList_.Show(desk_->Backups());
}

// Restoring and reading write a backup of the memos they replace, which the list shows at
// once.
void TDouguForm::bRestoreClick() {
    if (const auto path = backupList_.Selected()) desk_->RestoreBackup(*path);
    RefreshBackups();
}

void TDouguForm::bExportClick() {
    desk_->ExportBackup();
    RefreshBackups();
}

void TDouguForm::bImportClick() {
    desk_->ImportBackup();
    RefreshBackups();
}

void TDouguForm::SyncBrowseClick() {
    const sync::FolderSync& sync = desk_->Sync();
    const auto start = sync.On() ? std::optional(sync.Folder()) : std::nullopt;
    if (const auto folder = choosers_.PickFolder(start)) desk_->JoinSyncFolder(*folder);
    WatchSyncFolder();
    RefreshSyncPage();
}

void TDouguForm::SyncButtonClick(void (petarino::Desk::*action)()) {
    (desk_.get()->*action)();
    WatchSyncFolder();
    RefreshSyncPage();
}

void TDouguForm::WatchSyncFolder() {
    if (!folderWatch_) return;
    const auto wanted = desk_->FolderToWatch();
    if (wanted == watchedFolder_) return;
    watchedFolder_.reset();
    folderWatch_->Stop();
    if (wanted && folderWatch_->Watch(*wanted)) watchedFolder_ = wanted;
}

void TDouguForm::RefreshSyncPage() {
    if (!controls_) return;
    const sync::FolderSync& sync = desk_->Sync();
    const std::wstring folder =
        sync.On() ? std::wstring(sync.Folder().units.begin(), sync.Folder().units.end())
                  : std::wstring();
    SetWindowTextW(controls_->eSyncFolder, folder.c_str());
    SetText(controls_->lSyncStatus, sync.On() ? sync.StatusLine() : kNotSyncing);
}

void TDouguForm::bShowClick() {
    desk_->ToggleSelected();
    SetFocus(window_);
}

LRESULT CALLBACK TDouguForm::StatusListProcedure(HWND listBox, UINT message, WPARAM wp, LPARAM lp,
                                                 UINT_PTR, DWORD_PTR self) noexcept {
    const LRESULT result = win32::DefSubclass(listBox, message, wp, lp);
    if (message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP) {
        auto& form = *reinterpret_cast<TDouguForm*>(self);
        ReportingErrors(
            [&] {
                form.desk_->StatusListMouseUp(MouseShiftState(wp));
                return LRESULT{0};
            },
            [&](std::string_view error) { ReportGeneralError(form.windows_, error); });
    }
    return result;
}

// Enter shows the selected memo, or the first the box found. A single-line box keeps Enter to
// itself, and its character would only beep.
LRESULT CALLBACK TDouguForm::SearchBoxProcedure(HWND box, UINT message, WPARAM wp, LPARAM lp,
                                                UINT_PTR, DWORD_PTR self) noexcept {
    if (wp != VK_RETURN || (message != WM_KEYDOWN && message != WM_CHAR))
        return win32::DefSubclass(box, message, wp, lp);
    auto& form = *reinterpret_cast<TDouguForm*>(self);
    if (message == WM_KEYDOWN)
        ReportingErrors(
            [&] {
                form.ShowFoundMemo(std::max(form.statusList_.SelectedRow(), 0));
                return LRESULT{0};
            },
            [&](std::string_view error) { ReportGeneralError(form.windows_, error); });
    return 0;
}

void TDouguForm::CreateMemo() {
    desk_->CreateMemo();
}

void TDouguForm::ConfirmAndDestroy(int slot) {
    desk_->ConfirmAndDestroy(slot);
}

void TDouguForm::RefreshStatusList() {
    desk_->Table().RefreshStatusList();
}

void TDouguForm::ShowStatusPage() {
    SelectPage(0);
    FormShow();
}

void TDouguForm::Exit() {
    Close();
}

void TDouguForm::OpenMemoProperties(Memo& memo) {
    desk_->OpenMemoProperties(memo);
}

void TDouguForm::OpenAlarm(Memo& memo) {
    desk_->OpenAlarm(memo);
}

void TDouguForm::MemoChanged() {
    desk_->MemoChanged();
}

void TDouguForm::ReportError(std::string_view message) {
    ReportGeneralError(windows_, message);
}

void TDouguForm::ShowBalloon(std::string_view title, std::string_view text) {
    if (notifyIcon_) notifyIcon_->ShowBalloon(title, text);
}

// A folder that took the watched one's place is watched from the next tick on.
void TDouguForm::SyncFolderFound() {
    if (folderWatch_ && !folderWatch_->Current()) watchedFolder_.reset();
}

} // namespace petarino::forms
