#include "forms/properties_window.h"

#include "desk/desk.h"
#include "forms/form_controls.h"
#include "forms/form_window.h"
#include "forms/main_pop.h"
#include "forms/memos_from_anywhere.h"
#include "forms/properties_window_layout.h"
#include "store/error_report.h"

#include <array>
#include <commctrl.h>
#include <iterator>
#include <utility>

namespace petarino::forms {
namespace {

constexpr UINT_PTR kTimer1 = 1;
// The folder watch's report of a change in the sync folder.
constexpr UINT kSyncFolderChanged = WM_APP + 1;
constexpr UINT kTimer1Interval = 1000;

} // namespace

TDouguForm::TDouguForm(const DouguFormServices& services, const MemoFactoryMaker& makeMemoFactory)
    : application_(services.application), icon_(services.icon), windows_(services.desk.windows),
      closed_(services.closed), storeReadAhead_(services.storeReadAhead),
      memoOwner_(
          windows_, [this] { ShowStatusPage(); }, [this] { Close(); }),
      memoFactory_(makeMemoFactory(services.application, memoOwner_)),
      desk_(std::make_unique<petarino::Desk>(
          services.desk, DeskControls{statusList_, autosave_, exitSettings_, hotkeySettings_},
          *memoFactory_, static_cast<DeskView&>(*this))),
      statusPage_(*desk_, windows_, statusList_), settingsPage_(*desk_), extendedPage_(*desk_),
      syncPage_(*desk_, services.desk.choosers) {
    memoOwner_.Serve(*desk_);
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
    statusPage_.Bind(controls.lbShow, controls.eSearch);
    extendedPage_.Bind(controls.lbBackups,
                       {controls.hkNewMemo, controls.hkFront, controls.hkSearch},
                       {controls.lNewMemoInUse, controls.lFrontInUse, controls.lSearchInUse},
                       controls.hotkeyRefusal);
    syncPage_.Bind(controls.eSyncFolder, controls.lSyncStatus);
    settingsPage_.Bind(controls.Label3, controls.cbStartWithWindows);
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
    syncPage_.Start(window_, kSyncFolderChanged);
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
        if (message == NotifyIcon::TaskbarCreatedMessage() && notifyIcon_) notifyIcon_->AddAgain();
        return DefWindowProcW(window, message, wp, lp);
    }
}

void TDouguForm::MenuCommand(UINT id) {
    switch (id) {
    case kKN1: desk_->CreateMemo(); break;
    case kKF1: SetForegroundWindow(window_); break;
    case kProperties: FormShow(); break;
    case kAbout1: ShowVersion(windows_); break;
    case kExit1: Close(); break;
    default: break;
    }
}

void TDouguForm::ControlCommand(UINT id, UINT notification) {
    if (notification == EN_CHANGE && id == keSearch) statusPage_.SearchChanged();
    if (const auto hotkey = HotkeyOfBox(id); hotkey && notification == EN_CHANGE)
        extendedPage_.HotkeyChanged(*hotkey);
    if (notification == LBN_DBLCLK && id == klbShow)
        statusPage_.ShowFoundMemo(statusList_.SelectedRow());
    if (notification != BN_CLICKED) return;
    switch (id) {
    case kbShow: bShowClick(); break;
    case kbDestroy: desk_->DestroySelected(); break;
    case kButton3: desk_->CreateMemo(); break;
    case kbOk: ShowWindow(window_, SW_HIDE); break;
    case kButton1: Close(); break;
    case kbRestore: extendedPage_.bRestoreClick(); break;
    case kbExport: extendedPage_.bExportClick(); break;
    case kbImport: extendedPage_.bImportClick(); break;
    case kbSyncBrowse: syncPage_.BrowseClick(); break;
    case kbSyncStop: syncPage_.ButtonClick(&petarino::Desk::StopSync); break;
    case kbSyncNow: syncPage_.ButtonClick(&petarino::Desk::SyncNow); break;
    case kcbStartWithWindows: settingsPage_.StartWithWindowsClick(); break;
    default: break;
    }
}

void TDouguForm::Timer1Timer() {
    desk_->Tick();
    syncPage_.Watch();
    settingsPage_.ShowRunningTime();
}

void TDouguForm::FormShow() {
    if (!shownBefore_) {
        CentreOnScreen(window_);
        shownBefore_ = true;
    }
    const HWND pages = Controls().PageControl1;
    ShowWindow(window_, SW_SHOW);
    desk_->Table().RefreshStatusList();
    PageShown(TabCtrl_GetCurSel(pages));
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
    syncPage_.End();
    desk_->Closed();
    notifyIcon_.reset();
}

void TDouguForm::NotifyIconEvent(LPARAM event) {
    switch (LOWORD(event)) {
    case WM_LBUTTONUP:
        FormShow();
        SetForegroundWindow(window_);
        break;
    case WM_RBUTTONUP: ShowMainPop(window_); break;
    default: break;
    }
}

void TDouguForm::SelectPage(int page) {
    const DouguFormControls& controls = Controls();
    TabCtrl_SetCurSel(controls.PageControl1, page);
    const HWND sheets[] = {controls.TabSheet1, controls.TabSheet2, controls.TabSheet3,
                           controls.TabSheet4};
    for (int sheet = 0; sheet < std::ssize(sheets); ++sheet)
        ShowWindow(sheets[sheet], sheet == page ? SW_SHOW : SW_HIDE);
    PageShown(page);
}

// A page shows what may have changed while it was hidden.
void TDouguForm::PageShown(int page) {
    if (page == kSettingsPage) settingsPage_.Shown();
    if (page == kExtendedPage) extendedPage_.Shown();
    if (page == kSyncPage) syncPage_.Refresh();
}

void TDouguForm::HotkeyPressed(int id) {
    const auto which = petarino::Desk::HotkeyOfId(id);
    if (!which) return;
    switch (*which) {
    case GlobalHotkey::NewMemo: NewMemoFromAnywhere(*desk_); break;
    case GlobalHotkey::Front: AllMemosToFront(desk_->Table()); break;
    case GlobalHotkey::Search: SearchFromAnywhere(); break;
    default: break;
    }
}

void TDouguForm::SearchFromAnywhere() {
    ShowStatusPage();
    SetForegroundWindow(window_);
    statusPage_.FocusSearch();
}

void TDouguForm::bShowClick() {
    desk_->ToggleSelected();
    SetFocus(window_);
}

void TDouguForm::ShowStatusPage() {
    SelectPage(0);
    FormShow();
}

void TDouguForm::ShowBalloon(std::string_view title, std::string_view text) {
    if (notifyIcon_) notifyIcon_->ShowBalloon(title, text);
}

void TDouguForm::ShowBalloon(std::u16string_view title, std::u16string_view text) {
    if (notifyIcon_) notifyIcon_->ShowBalloon(title, text);
}

void TDouguForm::SyncFolderFound() {
    syncPage_.FolderFound();
}

} // namespace petarino::forms
