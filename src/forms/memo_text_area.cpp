#include "forms/memo_text_area.h"

#include "memos/memo_defaults.h"
#include "platform/win32/font_win32.h"

#include <algorithm>
#include <cwchar>
#include <stdexcept>

namespace petarino::forms {
namespace {

// The selection stays highlighted while another window has the focus.
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
constexpr int kEditId = 1;

// The control ends its text at a NUL, and so does what is kept of it.
std::wstring UpToNul(std::wstring text) {
    text.resize(std::wcslen(text.c_str()));
    return text;
}

// The characters from..to of the shown text that give way to inserted.
struct Replacement {
    DWORD from = 0;
    DWORD to = 0;
    std::wstring inserted;

    // Where a place in the shown text is after the replacing; one inside what went, after
    // what came.
    DWORD Moved(DWORD at) const {
        if (at <= from) return at;
        const auto insertedEnd = static_cast<DWORD>(from + inserted.size());
        return at >= to ? at - to + insertedEnd : insertedEnd;
    }
};

Replacement ReplacementBetween(const std::wstring& shown, const std::wstring& wanted) {
    const size_t shorter = std::min(shown.size(), wanted.size());
    size_t head = 0;
    while (head < shorter && shown[head] == wanted[head])
        ++head;
    size_t tail = 0;
    while (tail < shorter - head &&
           shown[shown.size() - 1 - tail] == wanted[wanted.size() - 1 - tail])
        ++tail;
    return {static_cast<DWORD>(head), static_cast<DWORD>(shown.size() - tail),
            wanted.substr(head, wanted.size() - tail - head)};
}

} // namespace

MemoTextArea::MemoTextArea(HWND parent, const Bounds& bounds, TextAreaHandler& handler)
    : parent_(parent), handler_(handler), place_(bounds), background_(new_memo::kMemoColor) {
    edit_ = Make(bounds, kEditStyle);
    try {
        SetTextFont(font_);
    } catch (...) {
        // Its messages would come to an area that is not made.
        DestroyWindow(edit_);
        throw;
    }
}

LRESULT MemoTextArea::CallControl(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcW(control_, edit, message, wParam, lParam);
}

LRESULT MemoTextArea::ToControl(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallControl(edit_, message, wParam, lParam);
}

LRESULT CALLBACK MemoTextArea::SubclassProc(HWND edit, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept {
    auto* area = reinterpret_cast<MemoTextArea*>(GetWindowLongPtrW(edit, GWLP_USERDATA));
    if (!area->writing_) area->ForgetWhatChanges(message);
    return area->handler_.TextAreaMessage(*area, edit, message, wParam, lParam);
}

HWND MemoTextArea::Make(const Bounds& bounds, DWORD style) {
    HWND edit = CreateWindowExW(0, L"EDIT", L"", style, bounds.left, bounds.top, bounds.width,
                                bounds.height, parent_, reinterpret_cast<HMENU>(kEditId),
                                GetModuleHandleW(nullptr), nullptr);
    if (!edit) throw std::runtime_error("メモの本文を作成できません");
    SetWindowLongPtrW(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    shown_.reset();
    limit_.reset();
    control_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
    return edit;
}

DWORD MemoTextArea::Style() const {
    return static_cast<DWORD>(GetWindowLongPtrW(edit_, GWL_STYLE));
}

std::wstring MemoTextArea::ControlText() const {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit_)) + 1, L'\0');
    GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()));
    return UpToNul(std::move(text));
}

void MemoTextArea::ForgetWhatChanges(UINT message) {
    if (message == WM_SETTEXT) shown_.reset();
    if (message == EM_SETLIMITTEXT) limit_.reset();
}

void MemoTextArea::Write(MemoTextView text) {
    std::wstring wide = UpToNul(std::wstring(text.begin(), text.end()));
    if (!shown_) shown_ = ControlText();
    if (!limit_) limit_ = static_cast<size_t>(ToControl(EM_GETLIMITTEXT, 0, 0));
    const Replacement replacement = ReplacementBetween(*shown_, wide);
    const auto [start, end] = Selection();
    const LRESULT firstLine = ToControl(EM_GETFIRSTVISIBLELINE, 0, 0);
    writing_ = true;
    // Written whole when there is no selection or view of the user's to keep, which is the
    // cheapest write, or when the text passes the control's limit, which a replacing keeps to
    // (a write from the store may).
    if ((start == 0 && end == 0 && firstLine == 0) || wide.size() > *limit_) {
        ToControl(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    } else if (replacement.from != replacement.to || !replacement.inserted.empty()) {
        // The replacing scrolls to what it wrote; the view goes back where the user had it.
        ToControl(EM_SETSEL, replacement.from, replacement.to);
        ToControl(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(replacement.inserted.c_str()));
        ToControl(EM_SETSEL, replacement.Moved(start), replacement.Moved(end));
        ScrollBackTo(firstLine);
    }
    writing_ = false;
    // What the control shows, which is what is saved and exported.
    text_.assign(wide.begin(), wide.end());
    shown_ = std::move(wide);
}

void MemoTextArea::ScrollBackTo(LRESULT firstLine) {
    const LRESULT scrolled = firstLine - ToControl(EM_GETFIRSTVISIBLELINE, 0, 0);
    if (scrolled != 0) ToControl(EM_LINESCROLL, 0, scrolled);
}

void MemoTextArea::Edit(const TextEdit& edit) {
    const auto before = Selection();
    const LRESULT firstLine = ToControl(EM_GETFIRSTVISIBLELINE, 0, 0);
    ToControl(EM_SETSEL, edit.from, edit.to);
    ToControl(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(edit.inserted.c_str()));
    ToControl(EM_SETSEL, edit.selectionStart, edit.selectionEnd);
    if (before == std::pair<DWORD, DWORD>(edit.selectionStart, edit.selectionEnd))
        ScrollBackTo(firstLine);
    else
        ToControl(EM_SCROLLCARET, 0, 0);
}

std::optional<std::size_t> MemoTextArea::CharacterAt(POINT point) const {
    const auto found =
        static_cast<DWORD>(ToControl(EM_CHARFROMPOS, 0, MAKELPARAM(point.x, point.y)));
    if (found == DWORD(-1)) return std::nullopt;
    // The answer has 16 bits for the unit and 16 for the line: the unit is found again from
    // the line's start, so a text longer than that still gives the right one.
    const auto lineStart = static_cast<std::size_t>(ToControl(EM_LINEINDEX, HIWORD(found), 0));
    std::size_t offset = lineStart + static_cast<WORD>(LOWORD(found) - lineStart);
    // The nearest boundary between two characters: the cell is the one left of it when the
    // point lies left of the boundary.
    const auto cellOf = [&](std::size_t unit) -> std::optional<POINT> {
        if (unit >= text_.size()) return std::nullopt;
        const LRESULT at = ToControl(EM_POSFROMCHAR, unit, 0);
        if (at == -1) return std::nullopt;
        return POINT{static_cast<int16_t>(LOWORD(at)), static_cast<int16_t>(HIWORD(at))};
    };
    std::optional<POINT> cell = cellOf(offset);
    if ((!cell || point.x < cell->x) && offset > lineStart) cell = cellOf(--offset);
    if (!cell || text_[offset] == u'\r' || text_[offset] == u'\n') return std::nullopt;
    TEXTMETRICW metrics{};
    if (HDC dc = GetDC(edit_)) {
        const HGDIOBJ old = SelectObject(dc, hfont_.get());
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(edit_, dc);
    }
    // A character alone on its line ends where a wide one would.
    const std::optional<POINT> next =
        cellOf(offset + CharacterUnits(MemoTextView(text_).substr(offset)));
    const LONG right = next && next->y == cell->y ? next->x : cell->x + metrics.tmHeight;
    const bool inside = point.x >= cell->x && point.x < right && point.y >= cell->y &&
                        point.y < cell->y + metrics.tmHeight;
    return inside ? std::optional(offset) : std::nullopt;
}

bool MemoTextArea::TextChanged() {
    if (writing_) return false;
    shown_ = ControlText();
    text_.assign(shown_->begin(), shown_->end());
    return true;
}

bool MemoTextArea::ReadOnly() const {
    return (Style() & ES_READONLY) != 0;
}

void MemoTextArea::SetReadOnly(bool readOnly) {
    SendMessageW(edit_, EM_SETREADONLY, readOnly, 0);
}

bool MemoTextArea::WordWrap() const {
    return (Style() & ES_AUTOHSCROLL) == 0;
}

void MemoTextArea::SetWordWrap(bool wordWrap) {
    if (wordWrap == WordWrap()) return;
    RECT place;
    GetWindowRect(edit_, &place);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&place), 2);
    const auto [start, end] = Selection();
    const bool focused = GetFocus() == edit_;
    const DWORD style = (Style() & ~ES_AUTOHSCROLL) | (wordWrap ? 0 : ES_AUTOHSCROLL);

    HWND old = edit_;
    edit_ =
        Make({place.left, place.top, place.right - place.left, place.bottom - place.top}, style);
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(hfont_.get()), FALSE);
    SetWindowTextW(edit_, reinterpret_cast<const wchar_t*>(text_.c_str()));
    SendMessageW(edit_, EM_SETSEL, start, end);
    SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
    if (focused) SetFocus(edit_);
    DestroyWindow(old);
}

void MemoTextArea::Select(std::size_t offset, std::size_t length) {
    SendMessageW(edit_, EM_SETSEL, offset, offset + length);
    SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
}

void MemoTextArea::SetBackgroundColor(Color color) {
    background_ = color;
    InvalidateRect(edit_, nullptr, TRUE);
}

void MemoTextArea::SetTextFont(const Font& font) {
    const LOGFONTW logFont = win32::LogFontOf(font);
    win32::SharedFont hfont = win32::SharedFont::Of(logFont);
    if (!hfont) throw std::runtime_error("フォントを作成できません");
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(hfont.get()), TRUE);
    // The control has let go of the old font only now.
    hfont_ = std::move(hfont);
    font_ = font;
}

void MemoTextArea::Place(const Bounds& bounds) {
    if (bounds == place_) return;
    place_ = bounds;
    SetWindowPos(edit_, nullptr, bounds.left, bounds.top, bounds.width, bounds.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void MemoTextArea::SetSwapped(bool swapped) {
    swapped_ = swapped;
    InvalidateRect(edit_, nullptr, TRUE);
}

HBRUSH MemoTextArea::Colors(HDC dc) {
    const COLORREF background = win32::ColorRefOf(swapped_ ? font_.color : background_);
    if (!brush_ || brushColor_ != background) {
        brush_ = win32::UniqueBrush(CreateSolidBrush(background));
        brushColor_ = background;
    }
    SetTextColor(dc, win32::ColorRefOf(swapped_ ? background_ : font_.color));
    SetBkColor(dc, background);
    return brush_.get();
}

std::pair<DWORD, DWORD> MemoTextArea::Selection() const {
    DWORD start = 0, end = 0;
    ToControl(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

TextAreaState MemoTextArea::State() const {
    const auto [start, end] = Selection();
    return {.canUndo = SendMessageW(edit_, EM_CANUNDO, 0, 0) != 0,
            .hasSelection = start != end,
            .readOnly = ReadOnly()};
}

void MemoTextArea::Run(MemoCommand command) {
    switch (command) {
    // A read-only control refuses typing, cut, paste and clear by itself, but not every
    // system's refuses undo.
    case MemoCommand::Undo:
        if (!ReadOnly()) SendMessageW(edit_, EM_UNDO, 0, 0);
        break;
    case MemoCommand::Cut: SendMessageW(edit_, WM_CUT, 0, 0); break;
    case MemoCommand::Copy: SendMessageW(edit_, WM_COPY, 0, 0); break;
    case MemoCommand::Paste: SendMessageW(edit_, WM_PASTE, 0, 0); break;
    case MemoCommand::Delete: SendMessageW(edit_, WM_CLEAR, 0, 0); break;
    case MemoCommand::SelectAll: SendMessageW(edit_, EM_SETSEL, 0, -1); break;
    default: break;
    }
}

} // namespace petarino::forms
