// The memo properties dialog without its window: it fills its controls from a memo, runs the
// buttons' commands on them, and on OK hands them back to the memo. While the dialog is open
// its controls are the working copy of the memo, so Cancel has nothing to undo.
#pragma once

#include "appearance/color.h"
#include "appearance/font.h"
#include "macro/tick_timer.h"
#include "memos/memo.h"
#include "memos/memo_table.h"
#include "platform/choosers.h"
#include "platform/files.h"
#include "platform/kernel.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace petarino {

// The dialog's controls, read and written where they are.
class MemoPropertiesView {
public:
    virtual MemoText MacroText() const = 0; // the text box Macro
    virtual void SetMacroText(MemoTextView text) = 0;
    virtual MemoText Title() const = 0;
    virtual void SetTitle(MemoTextView title) = 0;
    virtual int TitleBarItem() const = 0; // -1 when no item is selected
    virtual void SetTitleBarItem(int item) = 0;
    virtual bool WordWrap() const = 0;
    virtual void SetWordWrap(bool wordWrap) = 0;
    virtual Font MacroFont() const = 0;
    virtual void SetMacroFont(const Font& font) = 0;
    virtual Color MacroColor() const = 0;
    virtual void SetMacroColor(Color color) = 0;
    virtual Color TitleColor() const = 0; // the title box's background: the strip's colour
    virtual void SetTitleColor(Color color) = 0;
    virtual Color TitleTextColor() const = 0;
    virtual void SetTitleTextColor(Color color) = 0;

protected:
    ~MemoPropertiesView() = default;
};

// The radio group of layouts has six items: a value below them selects none (-1), one above
// them the last.
inline constexpr int kTitleBarItems = 6;
constexpr int TitleBarItem(int32_t titleBar) {
    return titleBar < -1 ? -1 : titleBar >= kTitleBarItems ? kTitleBarItems - 1 : titleBar;
}

// As many characters as an edit control lets a user type, so a loaded text is never one the
// user could not have typed, and a macro source stays within what the expansion is sized for.
inline constexpr std::size_t kMacroTextLimit = 32'767;

// A loaded text longer than the text box takes.
class ETextTooLarge : public std::runtime_error {
public:
    ETextTooLarge() : std::runtime_error("文字列の大きさが ﾒﾓ の制限を越えました") {}
};

class MemoProperties {
public:
    MemoProperties(MemoPropertiesView& view, platform::Choosers& choosers, platform::Files& files,
                   platform::Kernel& kernel, TickTimer& timer, MemoTable& table)
        : view_(view), choosers_(choosers), files_(files), kernel_(kernel), timer_(timer),
          table_(table) {}

    // The memo's state into the controls: its macro source in macro mode, else its text.
    void Open(const Memo& memo);
    // OK: enables the clock, which a macro's date error may have stopped, then the controls
    // go into the memo and it is listed anew. The text decides the mode: one that holds "#}"
    // becomes the macro source, shown from the next tick on; any other the plain text. A memo
    // destroyed while the dialog was open (the properties window can be reached through the
    // notification icon) is no longer in the table and is left alone.
    void Apply(Memo& memo);

    void PickMacroFont();      // "フォント(&F)"
    void PickMacroColor();     // "背景色(&B)" of the text
    void PickTitleTextColor(); // "文字色"
    void PickTitleColor();     // "背景色" of the title
    // "開く(&O)...": a file's text into the text box. Throws EFOpenError or ETextTooLarge and
    // then leaves the text box as it was.
    void LoadText();
    // "保存(&S)...": the text box as a text file (memos/memo_text_code_page.h), the title
    // proposed as the name. Throws
    // EFCreateError or EWriteError, and then the file is as it was.
    void SaveText();

private:
    MemoPropertiesView& view_;
    platform::Choosers& choosers_;
    platform::Files& files_;
    platform::Kernel& kernel_;
    TickTimer& timer_;
    MemoTable& table_;
    // The id of the memo the dialog was opened for: OK writes to no other.
    std::string openedFor_;
};

} // namespace petarino
