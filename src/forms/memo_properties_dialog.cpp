#include "forms/memo_properties_dialog.h"

#include "forms/modal_loop.h"

namespace petarino::forms {
namespace {

namespace DialogResult = platform::DialogResult;

constexpr SIZE kClient{505, 166};

enum ControlId : int {
    kButton1 = 101,
    kButton2,
    kButton3,
    kButton4,
    kButton7,
    kButton8,
    kButton9,
    kWordWrap,
    kMacro,
    kTitle,
    kLabel2,
    kRgTitleBar,
    kFirstTitleBarItem,
};

constexpr std::array<std::string_view, kTitleBarItems> kTitleBarCaptions{
    "上端 横書き", "右端 横書き", "右端 縦書き", "左端 横書き", "左端 縦書き", "なし (&N)"};

// The radio group's items in one column inside its frame, below its caption, as far right as
// the title box that shares the frame with them.
constexpr Place kTitleBarFrame{264, 8, 233, 121};
constexpr Place TitleBarItemPlace(int item) {
    return {kTitleBarFrame.left + 8, kTitleBarFrame.top + 14 + item * 17, 80, 17};
}

} // namespace

TMemoSet::TMemoSet(HWND owner, platform::WindowSystem& windows, platform::Choosers& choosers,
                   platform::Files& files, TickTimer& timer1, MemoTable& table)
    : owner_(owner), windows_(windows), properties_(*this, choosers, files, timer1, table),
      formFont_(CreateFormFont()) {
    FormWindow<TMemoSet>::RegisterClassOnce(L"TMemoSet", 0,
                                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    window_ = CreateForm(L"TMemoSet", this, owner_, "メモのプロパティ",
                         WS_POPUP | WS_CAPTION | WS_SYSMENU,
                         WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP | WS_EX_CONTROLPARENT, kClient);
    CreateControls();
}

TMemoSet::~TMemoSet() = default;

// In the order of the tab key; a label comes right before the control its mnemonic focuses.
void TMemoSet::CreateControls() {
    const HWND parent = window_.get();
    const HFONT font = formFont_.get();
    const auto button = [&](std::string_view caption, const Place& place, int id,
                            DWORD style = BS_PUSHBUTTON) {
        return CreateControl(parent, L"BUTTON", caption, style | WS_TABSTOP | WS_GROUP, place, id,
                             font);
    };
    ok_ = button("OK", {352, 136, 73, 25}, IDOK, BS_DEFPUSHBUTTON);
    button("ｷｬﾝｾﾙ", {424, 136, 73, 25}, IDCANCEL);
    button("フォント(&F)", {120, 136, 65, 25}, kButton1);
    button("背景色(&B)", {184, 136, 65, 25}, kButton2);
    CreateControl(parent, L"BUTTON", "タイトルバー", BS_GROUPBOX, kTitleBarFrame, kRgTitleBar,
                  font);
    for (int item = 0; item < kTitleBarItems; ++item)
        titleBarItems_[static_cast<size_t>(item)] =
            CreateControl(parent, L"BUTTON", kTitleBarCaptions[static_cast<size_t>(item)],
                          BS_AUTORADIOBUTTON | (item == 0 ? WS_GROUP | WS_TABSTOP : 0),
                          TitleBarItemPlace(item), kFirstTitleBarItem + item, font);
    button("文字色", {360, 67, 65, 25}, kButton7);
    button("背景色", {424, 67, 65, 25}, kButton8);
    title_ = CreateControl(parent, L"EDIT", "Title", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP,
                           {360, 40, 129, 20}, kTitle, font, WS_EX_CLIENTEDGE);
    wordWrap_ = button("右端で折り返す", {133, 5, 105, 17}, kWordWrap, BS_AUTOCHECKBOX);
    FitToCaption(CreateControl(parent, L"STATIC", "本文(マクロ)(&M):", SS_LEFT, {8, 8, 82, 12},
                               kLabel2, font));
    macro_ = CreateControl(parent, L"EDIT", "Macro",
                           ES_MULTILINE | ES_WANTRETURN | ES_NOHIDESEL | ES_AUTOVSCROLL |
                               WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                           {8, 24, 241, 113}, kMacro, font, WS_EX_CLIENTEDGE);
    SendMessageW(macro_, EM_SETLIMITTEXT, kMacroTextLimit, 0);
    button("マクロツール", {248, 136, 81, 25}, kButton9);
    button("開く(&O)...", {8, 136, 57, 25}, kButton3);
    button("保存(&S)...", {64, 136, 57, 25}, kButton4);

    SetMacroFont(macroFont_);
    SetTitleBarItem(0);
    focus_ = ok_;
}

int TMemoSet::Execute(Memo& memo) {
    if (modal_.Running()) return DialogResult::Cancel;
    properties_.Open(memo);
    focus_ = ok_;
    const int result = modal_.Run(window_.get(), ok_, DialogResult::Cancel,
                                  palette_ ? palette_->Handle() : nullptr);
    if (result == DialogResult::Ok) properties_.Apply(memo);
    return result;
}

LRESULT TMemoSet::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) Click(LOWORD(wParam));
        return 0;
    case WM_CTLCOLOREDIT:
        if (reinterpret_cast<HWND>(lParam) == macro_ || reinterpret_cast<HWND>(lParam) == title_)
            return EditColors(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        break;
    case WM_ACTIVATE: Activated(wParam); return 0;
    case WM_SHOWWINDOW:
        if (!wParam) FormHide();
        break;
    case WM_CLOSE:
        if (modal_.Running()) modal_.End(DialogResult::Cancel);
        return 0;
    case DM_GETDEFID: return MAKELRESULT(IDOK, DC_HASDEFID);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TMemoSet::Click(int id) {
    switch (id) {
    case IDOK: modal_.End(DialogResult::Ok); break;
    case IDCANCEL: modal_.End(DialogResult::Cancel); break;
    case kButton1: Button1Click(); break;
    case kButton2: Button2Click(); break;
    case kButton3: Button3Click(); break;
    case kButton4: Button4Click(); break;
    case kButton7: Button7Click(); break;
    case kButton8: Button8Click(); break;
    case kButton9: Button9Click(); break;
    }
}

// The title box in the strip's colours, the text box in the memo's.
LRESULT TMemoSet::EditColors(HDC dc, HWND edit) {
    const bool isMacro = edit == macro_;
    const Color text = isMacro ? macroFont_.color : titleTextColor_;
    const Color back = isMacro ? macroColor_ : titleColor_;
    SetTextColor(dc, win32::ColorRefOf(text));
    SetBkColor(dc, win32::ColorRefOf(back));
    return reinterpret_cast<LRESULT>((isMacro ? macroBrush_ : titleBrush_).For(back));
}

// A window of our own class has no dialog manager to give the focus back on activation.
void TMemoSet::Activated(WPARAM state) {
    const HWND dialog = window_.get();
    if (LOWORD(state) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(dialog, focus)) focus_ = focus;
    } else if (focus_ && IsWindow(focus_)) {
        SetFocus(focus_);
    }
}

// The palette comes up below the dialog without taking the focus from it.
void TMemoSet::Button9Click() {
    if (palette_) palette_->Show();
}

void TMemoSet::FormHide() {
    if (palette_) palette_->Hide();
}

std::string TMemoSet::MacroText() const {
    return TextOf(macro_);
}

void TMemoSet::SetMacroText(std::string_view text) {
    SetText(macro_, text);
}

std::string TMemoSet::Title() const {
    return TextOf(title_);
}

void TMemoSet::SetTitle(std::string_view title) {
    SetText(title_, title);
}

int TMemoSet::TitleBarItem() const {
    for (int item = 0; item < kTitleBarItems; ++item)
        if (SendMessageW(titleBarItems_[static_cast<size_t>(item)], BM_GETCHECK, 0, 0) ==
            BST_CHECKED)
            return item;
    return -1;
}

// A radio button that is checked takes the tab stop from the others; with none checked the
// first keeps it, so the group can still be reached with the tab key.
void TMemoSet::SetTitleBarItem(int item) {
    for (int each = 0; each < kTitleBarItems; ++each)
        SendMessageW(titleBarItems_[static_cast<size_t>(each)], BM_SETCHECK,
                     each == item ? BST_CHECKED : BST_UNCHECKED, 0);
    if (item < 0) {
        const HWND first = titleBarItems_[0];
        SetWindowLongPtrW(first, GWL_STYLE, GetWindowLongPtrW(first, GWL_STYLE) | WS_TABSTOP);
    }
}

bool TMemoSet::WordWrap() const {
    return SendMessageW(wordWrap_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TMemoSet::SetWordWrap(bool wordWrap) {
    SendMessageW(wordWrap_, BM_SETCHECK, wordWrap ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TMemoSet::SetMacroFont(const Font& font) {
    win32::UniqueFont handle = win32::CreateFontOf(font);
    SendMessageW(macro_, WM_SETFONT, reinterpret_cast<WPARAM>(handle.get()), TRUE);
    macroFontHandle_ = std::move(handle);
    macroFont_ = font;
}

void TMemoSet::SetMacroColor(Color color) {
    macroColor_ = color;
    InvalidateRect(macro_, nullptr, TRUE);
}

void TMemoSet::SetTitleColor(Color color) {
    titleColor_ = color;
    InvalidateRect(title_, nullptr, TRUE);
}

void TMemoSet::SetTitleTextColor(Color color) {
    titleTextColor_ = color;
    InvalidateRect(title_, nullptr, TRUE);
}

} // namespace petarino::forms
