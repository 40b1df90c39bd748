#include "forms/memo_window.h"

#include "forms/handler_errors.h"
#include "forms/memo_form_factory.h"
#include "forms/mouse_shift_state.h"
#include "memos/memo_defaults.h"
#include "memos/work_area_clamp.h"

#include <stdexcept>

namespace petarino::forms {
namespace {

using platform::ShiftState;

// What the text area is given before the first layout puts it in its place.
constexpr Bounds kInitialTextArea{0, 0, new_memo::kClientWidth, new_memo::kClientHeight};

void RegisterMemoClass(WNDPROC windowProc) {
    static const ATOM atom = [windowProc] {
        // No background brush: the paint fills the strip.
        const WNDCLASSEXW windowClass{.cbSize = sizeof windowClass,
                                      .style = CS_DBLCLKS,
                                      .lpfnWndProc = windowProc,
                                      .hInstance = GetModuleHandleW(nullptr),
                                      .hCursor = LoadCursorW(nullptr, IDC_ARROW),
                                      .lpszClassName = TMemoForm::kClassName};
        return RegisterClassExW(&windowClass);
    }();
    if (!atom) throw std::runtime_error("メモウィンドウを作成できません");
}

POINT PointOf(LPARAM lParam) {
    return {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
}

bool KeyHeld(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

// The character that the loop's TranslateMessage made of a shortcut key is already queued;
// it must not reach the text area either (Ctrl+M would otherwise type a line break).
void DropTypedCharacter(HWND edit) {
    MSG typed;
    while (PeekMessageW(&typed, edit, WM_CHAR, WM_CHAR, PM_REMOVE | PM_NOYIELD) ||
           PeekMessageW(&typed, edit, WM_SYSCHAR, WM_SYSCHAR, PM_REMOVE | PM_NOYIELD)) {
    }
}

// BeginPaint and, whatever the painting does, EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(window_, &paint_); }
    HDC Dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

constexpr UINT_PTR kFlashTimer = 1;
constexpr UINT kFlashInterval = 500;
constexpr int kFlashes = 21; // 10 seconds of swaps after the first

bool IsMouseButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

bool IsMouseButtonUp(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

} // namespace

TMemoForm::TMemoForm(MemoWindowOwner& owner, MemoFormFactory& factory)
    : owner_(owner), factory_(factory), hint_(new_memo::kHint),
      windowColor_(new_memo::kWindowColor), titleTextColor_(new_memo::kTitleTextColor) {}

TMemoForm& TMemoForm::Create(HWND application, MemoWindowOwner& owner, MemoFormFactory& factory,
                             const Bounds& bounds) {
    RegisterMemoClass(&WindowProc);
    // Freed here until the window exists.
    const auto free = [](TMemoForm* form) { delete form; };
    std::unique_ptr<TMemoForm, decltype(free)> form(new TMemoForm(owner, factory), free);
    if (!CreateWindowExW(0, kClassName, L"MemoForm", kStyle, bounds.left, bounds.top, bounds.width,
                         bounds.height, application, nullptr, GetModuleHandleW(nullptr),
                         form.get()))
        throw std::runtime_error("メモウィンドウを作成できません");
    // From here the window frees the object, also when the text area cannot be made.
    TMemoForm& made = *form.release();
    made.freedWithWindow_ = true;
    made.seeThrough_ = MemoSeeThrough(made.hwnd_);
    try {
        // Made where the layout puts it, so the first layout leaves it where it is.
        made.textArea_ = std::make_unique<MemoTextArea>(
            made.hwnd_, made.Layout().textArea.value_or(kInitialTextArea),
            static_cast<TextAreaHandler&>(made));
    } catch (...) {
        DestroyWindow(made.hwnd_);
        throw;
    }
    made.FormPaint();
    return made;
}

void TMemoForm::Close() {
    DestroyWindow(hwnd_);
}

LRESULT CALLBACK TMemoForm::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept {
    if (message == WM_GETMINMAXINFO) {
        // Sent before the window is bound; the frame around a client of the smallest size.
        RECT frame{0, 0, kMinClientSize, kMinClientSize};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {frame.right - frame.left,
                                                                 frame.bottom - frame.top};
        return 0;
    }
    if (message == WM_NCCREATE) {
        auto* form =
            static_cast<TMemoForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TMemoForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!form) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        form->factory_.Forget(*form);
        // A window that failed during CreateWindowExW leaves its object to Create.
        if (form->freedWithWindow_) delete form;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    // A handler may have freed the form when its error arrives here.
    MemoWindowOwner& owner = form->owner_;
    return ReportingErrors([&] { return form->OnMessage(message, wParam, lParam); },
                           [&](std::string_view error) { owner.ReportError(error); });
}

LRESULT TMemoForm::TextAreaMessage(MemoTextArea& area, HWND edit, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept {
    MemoWindowOwner& owner = owner_;
    return ReportingErrors([&] { return OnTextAreaMessage(area, edit, message, wParam, lParam); },
                           [&](std::string_view error) { owner.ReportError(error); });
}

LRESULT TMemoForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: FormPaint(); return 0;
    case WM_ERASEBKGND: return 1; // the paint fills the whole strip
    case WM_PAINT: {
        const PaintScope paint(hwnd_);
        PaintTitle(paint.Dc());
        return 0;
    }
    case WM_PRINTCLIENT: PaintTitle(reinterpret_cast<HDC>(wParam)); return 0;
    case WM_SYSCOLORCHANGE:
        // System colours are looked up at every paint; a new scheme needs one.
        InvalidateRect(hwnd_, nullptr, FALSE);
        if (textArea_) InvalidateRect(textArea_->Handle(), nullptr, TRUE);
        return 0;
    case WM_SHOWWINDOW:
        if (wParam) FormShow();
        return 0;
    case WM_TIMER:
        if (wParam == kFlashTimer) Flash();
        return 0;
    case WM_ACTIVATE:
        // The keyboard belongs to the text area, where the menu's shortcuts are.
        seeThrough_.SetKeyboard(LOWORD(wParam) != WA_INACTIVE);
        if (LOWORD(wParam) != WA_INACTIVE && textArea_) SetFocus(textArea_->Handle());
        return 0;
    case WM_SETFOCUS:
        if (textArea_) SetFocus(textArea_->Handle());
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        StopFlashing();
        const POINT at = PointOf(lParam);
        MemoMouseDown(*this, at.x, at.y);
        if (message == WM_LBUTTONDOWN) SetCapture(hwnd_);
        return 0;
    }
    case WM_MOUSEMOVE:
        seeThrough_.PointerOver(hwnd_);
        MemoMouseMove(DragSender::Window, wParam, lParam);
        return 0;
    case WM_MOUSELEAVE: seeThrough_.PointerLeft(hwnd_); return 0;
    case WM_NCMOUSEMOVE: seeThrough_.PointerOver(hwnd_, true); break;
    case WM_NCMOUSELEAVE: seeThrough_.PointerLeft(hwnd_, true); break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (GetCapture() == hwnd_) ReleaseCapture();
        FormMouseUp();
        return 0;
    case WM_LBUTTONDBLCLK: HideMemo(); return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (!textArea_) break;
        return reinterpret_cast<LRESULT>(textArea_->Colors(reinterpret_cast<HDC>(wParam)));
    case WM_COMMAND:
        if (textArea_ && reinterpret_cast<HWND>(lParam) == textArea_->Handle()) {
            if (HIWORD(wParam) == EN_CHANGE && textArea_->TextChanged()) owner_.MemoChanged();
            return 0;
        }
        if (lParam == 0 && HIWORD(wParam) == 0) {
            const WORD id = LOWORD(wParam);
            if (id >= WORD(MemoCommand::Undo) && id <= WORD(kLastMemoCommand))
                RunCommand(static_cast<MemoCommand>(id));
            return 0;
        }
        break;
    // Only DestForm closes a memo: a close from outside would leave the table holding a
    // destroyed window.
    case WM_CLOSE: return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) return 0;
        break;
    default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT TMemoForm::OnTextAreaMessage(MemoTextArea& area, HWND edit, UINT message, WPARAM wParam,
                                     LPARAM lParam) {
    if (IsMouseButtonDown(message) || message == WM_KEYDOWN) StopFlashing();
    if (IsMouseButtonDown(message)) {
        const POINT at = PointOf(lParam);
        MemoMouseDown(*this, at.x, at.y);
    } else if (IsMouseButtonUp(message)) {
        FormMouseUp();
    }
    if (gestures_.Take(area, message, wParam, lParam)) return message == WM_SETCURSOR ? TRUE : 0;
    switch (message) {
    case WM_MOUSEMOVE:
        seeThrough_.PointerOver(edit);
        // A move that carries the window does not select.
        if (MemoMouseMove(DragSender::TextArea, wParam, lParam)) return 0;
        break;
    case WM_MOUSELEAVE: seeThrough_.PointerLeft(edit); break;
    case WM_SETFOCUS: seeThrough_.SetKeyboard(true); break;
    case WM_KILLFOCUS: {
        const auto to = reinterpret_cast<HWND>(wParam);
        seeThrough_.SetKeyboard(to && (to == hwnd_ || IsChild(hwnd_, to)));
        break;
    }
    case WM_LBUTTONDBLCLK: {
        const LRESULT result = area.CallControl(edit, message, wParam, lParam);
        owner_.CreateMemo();
        return result;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // The item may have destroyed this memo: nothing of it is touched after a shortcut.
        if (MenuShortcut(wParam)) return 0;
        break;
    case WM_CONTEXTMENU: pMenuPopup(lParam); return 0;
    default: break;
    }
    return area.CallControl(edit, message, wParam, lParam);
}

Bounds TMemoForm::WindowBounds() const {
    RECT window;
    GetWindowRect(hwnd_, &window);
    return {window.left, window.top, window.right - window.left, window.bottom - window.top};
}

void TMemoForm::MoveTo(int32_t left, int32_t top) {
    SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMemoForm::SetHint(MemoTextView hint) {
    hint_ = hint;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void TMemoForm::SetTitleBar(int32_t titleBar) {
    titleBar_ = titleBar;
    FormPaint();
}

void TMemoForm::SetDrag(int32_t x, int32_t y) {
    dragX_ = x;
    dragY_ = y;
}

void TMemoForm::SetWindowColor(Color color) {
    windowColor_ = color;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void TMemoForm::SetTitleTextColor(Color color) {
    titleTextColor_ = color;
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void TMemoForm::SetLeft(int32_t left) {
    MoveTo(left, Top());
}

void TMemoForm::SetTop(int32_t top) {
    MoveTo(Left(), top);
}

void TMemoForm::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TMemoForm::Visible() const {
    return IsWindowVisible(hwnd_) != FALSE;
}

// A memo the user asks for while working with the program takes the focus, to be typed in; one
// restored at start, while the user works in another program, leaves the focus where it is
// (and shows no blinking caret, which costs a redraw twice a second).
void TMemoForm::SetVisible(bool visible) {
    DWORD foregroundProcess = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &foregroundProcess);
    const bool userIsHere = foregroundProcess == GetCurrentProcessId();
    ShowWindow(hwnd_, !visible ? SW_HIDE : userIsHere ? SW_SHOW : SW_SHOWNA);
}

TitleLayout TMemoForm::Layout() const {
    RECT client;
    GetClientRect(hwnd_, &client);
    return LayOutTitle(titleBar_, client.right, client.bottom);
}

// Lays out the text area and the title for TitleBar and repaints the strip; painting itself
// is WM_PAINT's. The window keeps its client at least kMinClientSize (WM_GETMINMAXINFO).
void TMemoForm::FormPaint() {
    if (!textArea_) return;
    const TitleLayout layout = Layout();
    if (layout.textArea) textArea_->Place(*layout.textArea);
    title_.Place(layout.title);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void TMemoForm::PaintTitle(HDC dc) const {
    RECT client;
    GetClientRect(hwnd_, &client);
    const bool swapped = flashes_ % 2 == 1;
    title_.Paint(dc, client, swapped ? titleTextColor_ : windowColor_,
                 swapped ? windowColor_ : titleTextColor_, hint_);
}

void TMemoForm::SetStayOnTop(bool stayOnTop) {
    stayOnTop_ = stayOnTop;
    PlaceInZOrder(stayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST);
}

void TMemoForm::PlaceInZOrder(HWND after) {
    SetWindowPos(hwnd_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Above every window: a topmost one for a moment, then back among the ordinary ones (at
// their top) unless it stays on top.
void TMemoForm::Raise() {
    PlaceInZOrder(HWND_TOPMOST);
    if (!stayOnTop_) PlaceInZOrder(HWND_NOTOPMOST);
}

void TMemoForm::BringToFront() {
    FormShow();
    Raise();
}

void TMemoForm::RaiseAndFlash() {
    if (!IsWindowVisible(hwnd_)) ShowWindow(hwnd_, SW_SHOWNA);
    Raise();
    flashes_ = kFlashes;
    SetTimer(hwnd_, kFlashTimer, kFlashInterval, nullptr);
    Flash();
}

void TMemoForm::Flash() {
    if (flashes_ <= 1) {
        StopFlashing();
        return;
    }
    --flashes_;
    textArea_->SetSwapped(flashes_ % 2 == 1);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void TMemoForm::StopFlashing() {
    if (flashes_ == 0) return;
    KillTimer(hwnd_, kFlashTimer);
    flashes_ = 0;
    textArea_->SetSwapped(false);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

// Inside the work area of the monitor nearest to the window, so a memo on a second monitor
// stays there and one saved on a monitor that is gone comes back where it can be reached.
void TMemoForm::FormShow() {
    // Hidden and shown again, the window keeps its place above other programs' windows.
    if (stayOnTop_ && !(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST))
        PlaceInZOrder(HWND_TOPMOST);
    MONITORINFO monitor{.cbSize = sizeof monitor};
    if (!GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    const Bounds now = WindowBounds();
    const Bounds inside = ClampIntoWorkArea(now, {work.left, work.top, work.right, work.bottom});
    if (inside != now) MoveTo(inside.left, inside.top);
}

bool TMemoForm::MemoMouseMove(DragSender sender, WPARAM keys, LPARAM point) {
    const POINT at = PointOf(point);
    return petarino::MemoMouseMove(*this, sender, MouseShiftState(keys), at.x, at.y);
}

void TMemoForm::FormMouseUp() {
    FormShow();
}

void TMemoForm::HideMemo() {
    SetVisible(false);
    owner_.RefreshStatusList();
}

void TMemoForm::pMenuPopup(LPARAM screenPoint) {
    POINT at = PointOf(screenPoint);
    if (screenPoint == -1) { // from the keyboard: at the text area's corner
        at = {0, 0};
        ClientToScreen(textArea_->Handle(), &at);
    }
    TextAreaState state = textArea_->State();
    state.stayOnTop = stayOnTop_;
    state.opacity = seeThrough_.Percent();
    menu_.Open(hwnd_, at, state);
}

// The enabled states are those of this moment, as when the menu opens: a selection made
// since the menu was last open counts.
bool TMemoForm::MenuShortcut(WPARAM virtualKey) {
    const MemoMenuItem* item =
        ItemForShortcut(ShortcutValue(static_cast<uint8_t>(virtualKey), KeyHeld(VK_SHIFT),
                                      KeyHeld(VK_CONTROL), KeyHeld(VK_MENU)));
    if (!item) return false;
    DropTypedCharacter(textArea_->Handle());
    if (IsEnabled(*item->command, textArea_->State())) RunCommand(*item->command);
    return true;
}

void TMemoForm::RunCommand(MemoCommand command) {
    switch (command) {
    case MemoCommand::Undo:
    case MemoCommand::Cut:
    case MemoCommand::Copy:
    case MemoCommand::Paste:
    case MemoCommand::Delete:
    case MemoCommand::SelectAll: textArea_->Run(command); return;
    case MemoCommand::Checkbox: gestures_.BoxSelectedLines(*textArea_); return;
    case MemoCommand::Destroy: owner_.ConfirmAndDestroy(tag_); return;      // pDestroyClick
    case MemoCommand::StatusPage: owner_.ShowStatusPage(); return;          // KS1Click
    case MemoCommand::Properties: owner_.OpenMemoProperties(*this); return; // pTextClick
    case MemoCommand::Exit: owner_.Exit(); return;                          // Exit1Click
    case MemoCommand::StayOnTop: SetStayOnTop(!stayOnTop_); return;
    case MemoCommand::Alarm: owner_.OpenAlarm(*this); return;
    case MemoCommand::Opacity100:
    case MemoCommand::Opacity90:
    case MemoCommand::Opacity80:
    case MemoCommand::Opacity70:
    case MemoCommand::Opacity60:
    case MemoCommand::Opacity50:
        SetOpacity(*OpacityOf(command));
        owner_.MemoChanged(); // it travels with the memo
        return;
    }
}

} // namespace petarino::forms
