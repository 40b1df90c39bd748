#include "forms/memos_from_anywhere.h"

#include "desk/desk.h"
#include "forms/memo_window.h"

namespace petarino::forms {

void NewMemoFromAnywhere(Desk& desk) {
    if (auto* form = dynamic_cast<TMemoForm*>(desk.CreateMemo()))
        SetForegroundWindow(form->Handle());
}

void AllMemosToFront(const MemoTable& table) {
    for (int slot = 0; slot <= table.MaxForm(); ++slot)
        if (auto* form = dynamic_cast<TMemoForm*>(&table.Memos(slot)); form && form->Visible())
            form->BringToFront();
}

} // namespace petarino::forms
