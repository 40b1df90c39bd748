#include "forms/macro_palette.h"

#include "platform/win32/cp932_win32.h"
#include "platform/win32/window_system_win32.h"

#include <algorithm>
#include <commctrl.h>
#include <imm.h>

namespace petarino::forms {
namespace {

constexpr SIZE kClient{448, 199};

enum ControlId : int { kEdit1 = 101, kEdit2, kLabel1, kFirstBlock };

// The frames: boxes around the blocks and the date field, lines between groups of blocks.
constexpr std::array<RECT, 2> kBoxes{{{8, 8, 8 + 281, 8 + 185}, {296, 8, 296 + 145, 8 + 73}}};
constexpr std::array<RECT, 3> kLines{
    {{16, 32, 16 + 265, 32 + 9}, {16, 104, 16 + 265, 104 + 9}, {16, 168, 16 + 265, 168 + 9}}};

constexpr std::string_view kLabel1Text =
    "白地の文字をクリックすると、本文のカーソルの位置にマクロが追加されます。括弧の中の文字は例"
    "です。 ";

} // namespace

TMacroSet::TMacroSet(HWND owner, platform::WindowSystem& windows, TMemoSet& memoSet)
    : windows_(windows), memoSet_(memoSet), font_(CreateFormFont()) {
    FormWindow<TMacroSet>::RegisterClassOnce(L"TMacroSet", 0,
                                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    window_ =
        CreateForm(L"TMacroSet", this, owner, "マクロツール", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                   WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, kClient);
    CreateControls();
    CreateTooltips();
    memoSet_.AttachPalette(this);
}

TMacroSet::~TMacroSet() {
    memoSet_.AttachPalette(nullptr);
}

void TMacroSet::CreateControls() {
    const HWND parent = window_.get();
    const HFONT font = font_.get();
    edit1_ = CreateControl(parent, L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, {160, 144, 121, 20},
                           kEdit1, font, WS_EX_CLIENTEDGE);
    edit2_ = CreateControl(parent, L"EDIT", "1996/01/01", ES_AUTOHSCROLL | WS_TABSTOP,
                           {360, 53, 73, 20}, kEdit2, font, WS_EX_CLIENTEDGE);
    // A date is typed in ASCII: no input method in this field.
    ImmAssociateContextEx(edit2_, nullptr, 0);
    CreateControl(parent, L"STATIC", kLabel1Text, SS_LEFT, {296, 136, 144, 48}, kLabel1, font);
    for (std::size_t index = 0; index < kPaletteBlocks.size(); ++index) {
        const PaletteBlock& block = kPaletteBlocks[index];
        const HWND label = CreateControl(parent, L"STATIC", block.caption, SS_LEFT | SS_NOTIFY,
                                         {block.left, block.top, 0, 0},
                                         kFirstBlock + static_cast<int>(index), font);
        FitToCaption(label);
        labels_[index] = label;
    }
}

// A block whose text is its hint shows it as its tooltip, also while the dialog has the focus.
void TMacroSet::CreateTooltips() {
    const HWND parent = window_.get();
    tooltips_ = UniqueWindow(win32::CreateTooltips(parent, windows_));
    for (std::size_t index = 0; index < kPaletteBlocks.size(); ++index) {
        if (kPaletteBlocks[index].text != BlockText::Hint) continue;
        std::wstring hint = win32::ToWide(kPaletteBlocks[index].hint);
        TTTOOLINFOW tool{
            .cbSize = TTTOOLINFOW_V2_SIZE,
            .uFlags = TTF_IDISHWND | TTF_SUBCLASS,
            .hwnd = parent,
            .uId = reinterpret_cast<UINT_PTR>(labels_[index]),
            .lpszText = hint.data(),
        };
        SendMessageW(tooltips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void TMacroSet::Show() {
    FormShow();
    ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
}

void TMacroSet::Hide() {
    ShowWindow(window_.get(), SW_HIDE);
}

// Its top left corner at the bottom left corner of the dialog's frame, wherever that is.
void TMacroSet::FormShow() {
    RECT dialog{};
    GetWindowRect(memoSet_.Handle(), &dialog);
    SetWindowPos(window_.get(), nullptr, dialog.left, dialog.bottom, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMacroSet::FormPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(window_.get(), &paint);
    for (RECT box : kBoxes)
        DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
    for (RECT line : kLines)
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    EndPaint(window_.get(), &paint);
}

LRESULT TMacroSet::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const int block = LOWORD(wParam) - kFirstBlock;
        if (HIWORD(wParam) == STN_CLICKED && block >= 0 &&
            block < static_cast<int>(kPaletteBlocks.size()))
            MacroClick(kPaletteBlocks[static_cast<size_t>(block)]);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        return LabelColors(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_PAINT: FormPaint(); return 0;
    case WM_CLOSE: Hide(); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TMacroSet::MacroClick(const PaletteBlock& block) {
    const HWND macro = memoSet_.MacroBox();
    const std::wstring text = win32::ToWide(InsertedText(block, TextOf(edit1_), TextOf(edit2_)));
    SendMessageW(macro, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SetFocus(macro);
}

// The blocks stand out white on the form's face.
LRESULT TMacroSet::LabelColors(HDC dc, HWND label) {
    const bool block = std::ranges::find(labels_, label) != labels_.end();
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, block ? RGB(255, 255, 255) : GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(block ? GetStockObject(WHITE_BRUSH)
                                           : GetSysColorBrush(COLOR_BTNFACE));
}

} // namespace petarino::forms
