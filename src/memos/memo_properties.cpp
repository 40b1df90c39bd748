#include "memos/memo_properties.h"

#include "macro/macro_expansion.h"
#include "memos/memo_text_code_page.h"

namespace petarino {

void MemoProperties::Open(const Memo& memo) {
    openedFor_ = memo.Sync().id;
    view_.SetMacroText(memo.ReadOnly() ? memo.MacroText() : memo.Text());
    view_.SetTitle(memo.Hint());
    view_.SetWordWrap(memo.WordWrap());
    view_.SetMacroFont(memo.MemoFont());
    view_.SetMacroColor(memo.MemoColor());
    view_.SetTitleColor(memo.WindowColor());
    view_.SetTitleTextColor(memo.TitleTextColor());
    view_.SetTitleBarItem(TitleBarItem(memo.TitleBar()));
}

void MemoProperties::Apply(Memo& memo) {
    timer_.Enable();
    if (!table_.Holds(memo, openedFor_)) return;
    const MemoText text = view_.MacroText();
    if (IsMacroSource(text)) {
        memo.SetMacroText(text);
        memo.SetReadOnly(true);
    } else {
        memo.SetText(text);
        memo.SetReadOnly(false);
    }
    memo.SetHint(view_.Title());
    memo.SetTitleBar(view_.TitleBarItem());
    memo.SetWordWrap(view_.WordWrap());
    memo.SetMemoFont(view_.MacroFont());
    memo.SetMemoColor(view_.MacroColor());
    memo.SetWindowColor(view_.TitleColor());
    memo.SetTitleTextColor(view_.TitleTextColor());
    table_.RefreshStatusList();
}

void MemoProperties::PickMacroFont() {
    if (const auto font = choosers_.PickFont(view_.MacroFont())) view_.SetMacroFont(*font);
}

void MemoProperties::PickMacroColor() {
    if (const auto color = choosers_.PickColor(view_.MacroColor())) view_.SetMacroColor(*color);
}

void MemoProperties::PickTitleTextColor() {
    if (const auto color = choosers_.PickColor(view_.TitleTextColor()))
        view_.SetTitleTextColor(*color);
}

void MemoProperties::PickTitleColor() {
    if (const auto color = choosers_.PickColor(view_.TitleColor())) view_.SetTitleColor(*color);
}

void MemoProperties::LoadText() {
    const auto path = choosers_.PickFileToLoad(platform::FileKind::Text);
    if (!path) return;
    const MemoText text =
        MemoTextOfFile(kernel_, files_.ReadWhole(*path, platform::kMostBytesRead));
    if (text.size() > kMacroTextLimit) throw ETextTooLarge();
    view_.SetMacroText(text);
}

void MemoProperties::SaveText() {
    const auto path = choosers_.PickFileToSave(view_.Title(), platform::FileKind::Text);
    if (path) files_.WriteWhole(*path, TextFileBytes(kernel_, view_.MacroText()));
}

} // namespace petarino
