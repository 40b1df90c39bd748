// The memo record: everything of a memo window that the table, the store, the macro
// engine, the export and the dialogs read or write. The memo window implements it over
// its real window and text area; InMemoryMemo holds it in plain fields.
#pragma once

#include "appearance/color.h"
#include "appearance/font.h"
#include "memos/memo_alarm.h"
#include "memos/sync_mark.h"
#include "text/memo_text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace petarino {

class Memo {
public:
    virtual ~Memo() = default;

    // The title: drawn in the title strip, listed, and the name of the exported file.
    virtual MemoText Hint() const = 0;
    virtual void SetHint(MemoTextView hint) = 0;
    // The memo's slot in the table; the table keeps it equal to the slot.
    virtual int32_t Tag() const = 0;
    virtual void SetTag(int32_t tag) = 0;
    // Title-strip layout 0..5; other values come only from a damaged store.
    virtual int32_t TitleBar() const = 0;
    virtual void SetTitleBar(int32_t titleBar) = 0;
    // The macro source; read only while the text area is read-only (macro mode).
    virtual const MemoText& MacroText() const = 0;
    virtual void SetMacroText(MemoTextView macroText) = 0;

    // Where the last mouse button went down, in client pixels of the pressed control.
    virtual int32_t DragX() const = 0;
    virtual int32_t DragY() const = 0;
    virtual void SetDrag(int32_t x, int32_t y) = 0;

    // The title strip's colour: the window's background, visible only in the strip.
    virtual Color WindowColor() const = 0;
    virtual void SetWindowColor(Color color) = 0;
    // The colour of the window's drawing font, in which the title is written.
    virtual Color TitleTextColor() const = 0;
    virtual void SetTitleTextColor(Color color) = 0;

    // Outer bounds in screen pixels, sizing frame included.
    virtual int32_t Left() const = 0;
    virtual int32_t Top() const = 0;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    virtual void SetLeft(int32_t left) = 0;
    virtual void SetTop(int32_t top) = 0;
    virtual void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) = 0;

    virtual bool Visible() const = 0;
    // Showing keeps the window inside the work area.
    virtual void SetVisible(bool visible) = 0;

    // A topmost window, above other programs' windows, through hiding, showing and moves.
    virtual bool StayOnTop() const = 0;
    virtual void SetStayOnTop(bool stayOnTop) = 0;
    // In percent (memos/memo_opacity.h); below 100 what lies behind shows through, except
    // while the user points at the memo or types in it.
    virtual int32_t Opacity() const = 0;
    virtual void SetOpacity(int32_t percent) = 0;
    virtual const MemoAlarm& Alarm() const = 0;
    virtual void SetAlarm(const MemoAlarm& alarm) = 0;
    // The alarm has rung: shown if it was hidden, above every window, its title strip and text
    // flashing for a while or until the user clicks or types in it. The keyboard stays where
    // the user is typing, in another program or in another memo.
    virtual void RaiseAndFlash() = 0;

    // The text area: its text, in macro mode the latest expansion of MacroText.
    virtual MemoText Text() const = 0;
    // An equal text is not written: rewriting a text area costs, and would lose the
    // user's selection and scroll position on every tick.
    void SetText(MemoTextView text) {
        if (Text() != text) WriteText(text);
    }
    // True exactly in macro mode.
    virtual bool ReadOnly() const = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    virtual bool WordWrap() const = 0;
    virtual void SetWordWrap(bool wordWrap) = 0;
    virtual Color MemoColor() const = 0;
    virtual void SetMemoColor(Color color) = 0;
    virtual Font MemoFont() const = 0;
    virtual void SetMemoFont(const Font& font) = 0;

    // Closes the window, which frees it, at once or once the current event has been
    // handled. Only the table calls it, and never touches the memo afterwards.
    virtual void Close() = 0;

    // Plain data of the record, never shown: both kinds of memo keep it alike.
    const SyncMark& Sync() const { return sync_; }
    void SetSync(SyncMark mark) { sync_ = std::move(mark); }

protected:
    virtual void WriteText(MemoTextView text) = 0;

private:
    SyncMark sync_;
};

} // namespace petarino
