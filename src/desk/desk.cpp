#include "desk/desk.h"

#include "store/error_report.h"

#include <exception>
#include <utility>

namespace petarino {
namespace {

// A first start shows no window: the balloon tells where the program went and how to begin.
constexpr char kFirstStartTitle[] = "ペタリノ";
constexpr char kFirstStartText[] = "ペタリノが起動しました。通知領域のアイコンを右クリックして"
                                   "「新規メモ」を選ぶと、メモを貼れます。";

} // namespace

Desk::Desk(const DeskServices& services, const DeskControls& controls, MemoFactory& memoFactory,
           DeskView& view)
    : windows_(services.windows), kernel_(services.kernel), locale_(services.locale), view_(view),
      autosave_(controls.autosave), exitSettings_(controls.exitSettings),
      hotkeySettings_(controls.hotkeys),
      table_(memoFactory, controls.statusList, windows_, [this] { return kernel_.NewGuid(); }),
      screenKeeper_(table_, windows_), search_(kernel_), clock_(kernel_, controls.autosave),
      expander_(services.macro, windows_),
      store_(services.registry, services.graphics, State(), expander_, windows_,
             [this] { return kernel_.NewGuid(); }),
      backups_(store_, services.files, kernel_, windows_, services.choosers,
               [this] { return QuestionOpen(); }),
      alarmBell_(
          table_, kernel_, windows_,
          [this](const AlarmBalloon& balloon) { view_.ShowBalloon(balloon.title, balloon.text); }),
      heartbeat_(
          clock_, table_, expander_,
          [this] {
              store_.SaveDatas();
              backups_.AfterAutosave();
          },
          [this] { alarmBell_.RingDue(); }),
      sync_(sync::SyncServices{
          .files = services.files,
          .kernel = kernel_,
          .windows = windows_,
          .settings = syncSettings_,
          .memos = table_,
          .expander = expander_,
          .host = clock_,
          .pixelsPerInch = services.graphics.ScreenPixelsPerInch(),
          .save = [this] { store_.SaveDatas(); },
          .backUp = [this] { BackUpBeforeSync(); },
          .tell = [this](std::string_view text) { view_.ShowBalloon("ペタリノ", text); },
          .busy = [this] { return QuestionOpen(); },
          .foundFolder = [this] { view_.SyncFolderFound(); },
      }),
      exitSequence_(
          State(), store_, windows_, services.files, kernel_, [this] { backups_.AfterExitSave(); },
          [this] {
              // Whatever sync meets, the exit goes on to its save.
              try {
                  sync_.BeforeExit();
              } catch (const std::exception& error) {
                  ReportGeneralError(windows_, error.what());
              }
          }),
      hotkeys_(controls.hotkeys, windows_), startWithWindows_(services.registry, services.files) {}

void Desk::Start(const std::shared_future<store::StoredState>& readAhead) {
    ReplaceShortDayNames(locale_.settings);
    if (store_.LoadAtStart(readAhead)) view_.ShowBalloon(kFirstStartTitle, kFirstStartText);
    try {
        hotkeys_.RegisterAll();
    } catch (const EHotkeyTaken& error) {
        ReportGeneralError(windows_, error.what());
    }
    try {
        startWithWindows_.FollowMovedProgram();
    } catch (const std::exception& error) {
        ReportGeneralError(windows_, error.what());
    }
    started_ = true;
}

// A failed autosave is told and ends what the macros would show this second; sync still runs.
void Desk::Tick() {
    try {
        heartbeat_.Timer1Timer();
    } catch (const std::exception& error) {
        ReportGeneralError(windows_, error.what());
    }
    if (!clock_.Timer1().Detached()) sync_.Tick();
}

Memo* Desk::CreateMemo() {
    Memo* made = table_.CreateMemo();
    sync_.MemoChanged();
    return made;
}

void Desk::MemoChanged() {
    sync_.MemoChanged();
}

void Desk::ConfirmAndDestroy(int slot) {
    WithQuestion([&] { table_.ConfirmAndDestroy(slot); });
    sync_.MemoChanged();
}

void Desk::DestroySelected() {
    WithQuestion([&] { table_.DestroySelected(); });
    sync_.MemoChanged();
}

// A Ctrl+click destroys with the same question as the button.
void Desk::StatusListMouseUp(platform::ShiftState shift) {
    WithQuestion([&] { table_.StatusListMouseUp(shift); });
    sync_.MemoChanged();
}

void Desk::OpenMemoProperties(Memo& memo) {
    if (openMemoProperties_) WithQuestion([&] { openMemoProperties_(memo); });
    sync_.MemoChanged();
}

void Desk::OpenAlarm(Memo& memo) {
    if (openAlarm_) WithQuestion([&] { openAlarm_(memo); });
    sync_.MemoChanged();
}

bool Desk::RestoreBackup(const platform::FilePath& path) {
    if (!backups_.Restore(path)) return false;
    sync_.MemosReplaced();
    return true;
}

bool Desk::ImportBackup() {
    if (!backups_.Import()) return false;
    sync_.MemosReplaced();
    return true;
}

std::optional<GlobalHotkey> Desk::HotkeyOfId(int id) {
    for (const GlobalHotkey which : kGlobalHotkeys)
        if (GlobalHotkeys::Id(which) == id) return which;
    return std::nullopt;
}

// The filter asks the memos anew at every refresh, so a text edited since shows then.
void Desk::SearchTyped(MemoTextView typed) {
    search_.SetTyped(typed);
    if (search_.Empty())
        table_.SetStatusFilter({});
    else
        table_.SetStatusFilter([this](const Memo& memo) { return search_.Finds(memo); });
}

void Desk::FormatSettingsChanged() {
    ReloadFormatSettings(kernel_, locale_);
}

std::optional<platform::FilePath> Desk::FolderToWatch() const {
    if (!sync_.Reachable()) return std::nullopt;
    return sync_.Folder();
}

bool Desk::CloseQuery() {
    return started_ && exitSequence_.FormCloseQuery();
}

template <typename Open> void Desk::WithQuestion(Open open) {
    ++questionsOpen_;
    struct Closed {
        int& open;
        ~Closed() { --open; }
    } closed{questionsOpen_};
    open();
}

// As before a restore: the memos as they are now, saved first; kept apart from the exit and
// daily backups.
void Desk::BackUpBeforeSync() {
    store_.SaveDatas();
    backups_.BeforeSync();
}

} // namespace petarino
