// What a memo window asks of the rest of the program: the properties window, which owns the
// memo table, and the memo properties dialog. The memo window knows nothing else of them.
#pragma once

#include "memos/memo.h"

#include <string_view>

namespace petarino::forms {

class MemoWindowOwner {
public:
    // A double-click in the text: a new memo through the memo table.
    virtual void CreateMemo() = 0;
    // The destroy command: asks with the memo's title, destroys it on Yes.
    virtual void ConfirmAndDestroy(int slot) = 0;
    virtual void RefreshStatusList() = 0;
    // "表示/非表示の変更(&S)": the properties window shown on its page "メモの状態".
    virtual void ShowStatusPage() = 0;
    // The hidden "終了" item (Alt+F4): the program's exit sequence, which may refuse.
    virtual void Exit() = 0;
    // "ﾌﾟﾛﾊﾟﾃｨ(&R)...": the memo properties dialog for this memo.
    virtual void OpenMemoProperties(Memo& memo) = 0;
    // "アラーム(&A)...": the alarm dialog for this memo.
    virtual void OpenAlarm(Memo& memo) = 0;
    // The user changed what a memo says: sync writes it once the typing rests.
    virtual void MemoChanged() = 0;
    // A Ctrl+click on a web or mail address in a memo's text: the user's program for it.
    virtual void OpenAddress(MemoTextView address) = 0;
    // The general error report, for whatever a memo window's handlers let go.
    virtual void ReportError(std::string_view message) = 0;

protected:
    ~MemoWindowOwner() = default;
};

} // namespace petarino::forms
