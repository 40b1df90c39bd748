// The memo's text area `Memo`: a multi-line EDIT without border or scroll bars whose text
// is kept as a copy, so reading it never asks the control; the tick compares it every
// second. Its messages go to the memo window's subclass procedure first.
#pragma once

#include "memos/memo_geometry.h"
#include "memos/memo_menu.h"
#include "platform/win32/color_win32.h"
#include "platform/win32/shared_font.h"
#include "text/checklist.h"
#include "text/memo_text.h"

#include <windows.h>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace petarino::forms {

class MemoTextArea;

// Gets every message of the control first and hands on what it does not take to
// area.CallControl; also while the area is being made.
class TextAreaHandler {
public:
    virtual LRESULT TextAreaMessage(MemoTextArea& area, HWND edit, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept = 0;

protected:
    ~TextAreaHandler() = default;
};

class MemoTextArea {
public:
    // The control is made at once.
    MemoTextArea(HWND parent, const Bounds& bounds, TextAreaHandler& handler);
    MemoTextArea(const MemoTextArea&) = delete;
    MemoTextArea& operator=(const MemoTextArea&) = delete;

    HWND Handle() const { return edit_; }
    LRESULT CallControl(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) const;

    const MemoText& Text() const { return text_; }
    // The user's selection and scrolled view stay: while there is one, only the characters
    // that differ are replaced (a clock changes its last digits every second), and the
    // selection outside them stays where its characters went.
    void Write(MemoTextView text);
    // EN_CHANGE: true when the user changed the text, not a write of the program's.
    bool TextChanged();
    // The units of Text() selected, and scrolled into view.
    void Select(std::size_t offset, std::size_t length);
    // Start and end in units of Text().
    std::pair<DWORD, DWORD> Selection() const;
    // An edit made for the user, as typing makes one: one step to undo, and EN_CHANGE tells
    // the memo. The view stays where it is unless the caret moved, which it then shows.
    void Edit(const TextEdit& edit);
    // The unit whose character cell holds the point (client pixels), if any.
    std::optional<std::size_t> CharacterAt(POINT point) const;

    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    bool WordWrap() const;
    // The control cannot change its wrapping once made: a new one takes the old one's place
    // with its text, selection, read-only state, font and focus.
    void SetWordWrap(bool wordWrap);
    Color BackgroundColor() const { return background_; }
    void SetBackgroundColor(Color color);
    const Font& TextFont() const { return font_; }
    void SetTextFont(const Font& font);

    void Place(const Bounds& bounds);
    // WM_CTLCOLOREDIT and WM_CTLCOLORSTATIC (read-only): the colours, resolved now.
    HBRUSH Colors(HDC dc);
    // Text and background colours trade places while an alarm flashes; the memo's own
    // colours stay as they are.
    void SetSwapped(bool swapped);
    TextAreaState State() const;
    // The edit commands of the menu; a read-only text refuses those that change it.
    void Run(MemoCommand command);

private:
    static LRESULT CALLBACK SubclassProc(HWND edit, UINT message, WPARAM wParam,
                                         LPARAM lParam) noexcept;
    HWND Make(const Bounds& bounds, DWORD style);
    // The area's own questions and writes, straight to the control's procedure: sent, each
    // would make a round through the window system's dispatch and the subclass, and a tick
    // of a hundred clocks makes hundreds.
    LRESULT ToControl(UINT message, WPARAM wParam, LPARAM lParam) const;
    DWORD Style() const;
    // Scrolls the view back to the first visible line it had.
    void ScrollBackTo(LRESULT firstLine);
    std::wstring ControlText() const;
    // A message from elsewhere that sets the text or the limit makes it be asked again.
    void ForgetWhatChanges(UINT message);

    HWND parent_;
    TextAreaHandler& handler_;
    // A child window: its parent destroys it.
    HWND edit_ = nullptr;
    // Where the control is: moving it to where it already is still costs a layout.
    Bounds place_;
    WNDPROC control_ = nullptr;
    MemoText text_;
    // What the control shows and its limit, as last written or read, so that a tick's write
    // asks the control nothing it already knows: under the window system every message to
    // the control costs more than the comparing.
    std::optional<std::wstring> shown_;
    std::optional<std::size_t> limit_;
    bool writing_ = false;
    Color background_;
    Font font_;
    win32::SharedFont hfont_;
    win32::UniqueBrush brush_;
    COLORREF brushColor_ = 0;
    bool swapped_ = false;
};

} // namespace petarino::forms
