#include "store/exit_sequence.h"

#include "store/error_report.h"
#include "store/text_export.h"

#include <exception>

namespace petarino::store {
namespace {

class UnderWay {
public:
    explicit UnderWay(bool& flag) : flag_(flag) { flag_ = true; }
    UnderWay(const UnderWay&) = delete;
    UnderWay& operator=(const UnderWay&) = delete;
    ~UnderWay() { flag_ = false; }

private:
    bool& flag_;
};

} // namespace

bool ExitSequence::FormCloseQuery() {
    // A second query would close the window under the first one's message box.
    if (underWay_) return false;
    const UnderWay underWay(underWay_);
    return Confirmed() && SaveAndExport();
}

// The box's message loop goes on running ticks, autosave included.
bool ExitSequence::Confirmed() {
    using namespace platform;
    return !state_.exitSettings.AskBeforeExit() ||
           windows_.ShowMessageBox("ペタリノを終了しますか？", "確認",
                                   MessageBoxStyle::YesNo | MessageBoxStyle::IconQuestion) ==
               DialogResult::Yes;
}

bool ExitSequence::SaveAndExport() {
    TickTimer& timer1 = state_.clock.Timer1();
    timer1.Detach(); // no tick may run into the last save
    if (beforeSave_) beforeSave_();
    try {
        store_.SaveDatas();
        if (state_.exitSettings.ExportAtExit()) ExportMemos(state_.memos, files_, kernel_);
    } catch (const std::exception& error) {
        timer1.Reattach();
        ReportGeneralError(windows_, error.what());
        return false;
    }
    if (saved_) saved_();
    return true;
}

} // namespace petarino::store
