#include "forms/properties_window_layout.h"

#include "forms/form_controls.h"
#include "forms/refusal_balloon.h"
#include "memos/hotkey_settings.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/cp932_win32.h"
#include "platform/win32/window_system_win32.h"

#include <commctrl.h>

namespace petarino::forms {
namespace {

constexpr int kClientWidth = 280;
constexpr int kClientHeight = 222;
constexpr wchar_t kTabSheetClass[] = L"TTabSheet";

// A page passes its controls' notifications on to the window, where the handlers are.
LRESULT CALLBACK TabSheetProcedure(HWND page, UINT message, WPARAM wp, LPARAM lp) noexcept {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY: return SendMessageW(GetParent(page), message, wp, lp);
    default: return DefWindowProcW(page, message, wp, lp);
    }
}

void RegisterTabSheetClass() {
    static const ATOM atom = [] {
        const WNDCLASSEXW windowClass{.cbSize = sizeof(WNDCLASSEXW),
                                      .lpfnWndProc = TabSheetProcedure,
                                      .hInstance = GetModuleHandleW(nullptr),
                                      .hCursor = LoadCursorW(nullptr, IDC_ARROW),
                                      .hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                      .lpszClassName = kTabSheetClass};
        return RegisterClassExW(&windowClass);
    }();
    (void)atom;
}

// Controls with their tooltips, all in the window's font.
class ControlMaker {
public:
    ControlMaker(HWND parent, HFONT font, HWND tooltips)
        : parent_(parent), font_(font), tooltips_(tooltips) {}

    HWND Make(const wchar_t* windowClass, std::string_view caption, DWORD style, Place at, UINT id,
              std::string_view tooltip = {}, DWORD exStyle = 0) const {
        const HWND control = CreateControl(parent_, windowClass, caption, style, at,
                                           static_cast<int>(id), font_, exStyle);
        if (!tooltip.empty()) AddTooltip(control, tooltip);
        return control;
    }
    HFONT Font() const { return font_; }

private:
    void AddTooltip(HWND control, std::string_view text) const {
        std::wstring wide = win32::ToWide(text);
        TOOLINFOW tool{.cbSize = sizeof(TOOLINFOW),
                       .uFlags = TTF_IDISHWND | TTF_SUBCLASS,
                       .hwnd = parent_,
                       .uId = reinterpret_cast<UINT_PTR>(control),
                       .lpszText = wide.data()};
        SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    HWND parent_;
    HFONT font_;
    HWND tooltips_;
};

HWND MakePage(HWND form, const RECT& area) {
    const HWND page =
        CreateWindowExW(WS_EX_CONTROLPARENT, kTabSheetClass, nullptr, WS_CHILD | WS_CLIPSIBLINGS,
                        area.left, area.top, area.right - area.left, area.bottom - area.top, form,
                        nullptr, GetModuleHandleW(nullptr), nullptr);
    // Above the page control, which would otherwise paint its body over the page.
    SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return page;
}

void AddPage(HWND pageControl, int index, std::string_view caption) {
    std::wstring text = win32::ToWide(caption);
    TCITEMW item{.mask = TCIF_TEXT, .pszText = text.data()};
    SendMessageW(pageControl, TCM_INSERTITEMW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&item));
}

// The search box takes its height from the top of the list; the buttons stay where they were.
void CreateStatusPage(const ControlMaker& page, DouguFormControls& c) {
    c.eSearch = page.Make(WC_EDITW, "", WS_TABSTOP | ES_AUTOHSCROLL, {8, 8, 241, 20}, keSearch,
                          "題名や本文に含まれる語でメモを絞り込みます。", WS_EX_CLIENTEDGE);
    // Shown also while the box has the keyboard, as it has after the hotkey.
    SendMessageW(c.eSearch, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(L"検索"));
    c.lbShow =
        page.Make(WC_LISTBOXW, "", WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                  {8, 32, 241, 89}, klbShow, "メモの状態を表示しています。", WS_EX_CLIENTEDGE);
    SendMessageW(c.lbShow, LB_SETITEMHEIGHT, 0, 12);
    c.bShow = page.Make(WC_BUTTONW, "表示/非表示", WS_TABSTOP | BS_PUSHBUTTON, {8, 120, 81, 25},
                        kbShow, "選択されたメモの表示状態を変更します。");
    c.bDestroy = page.Make(WC_BUTTONW, "メモの破棄", WS_TABSTOP | BS_PUSHBUTTON, {88, 120, 81, 25},
                           kbDestroy, "選択されたメモを破棄します。");
    c.Button3 = page.Make(WC_BUTTONW, "新規メモ作成", WS_TABSTOP | BS_PUSHBUTTON,
                          {168, 120, 81, 25}, kButton3, "新しいメモを作成します。");
}

void CreateSettingsPage(const ControlMaker& page, DouguFormControls& c) {
    c.cbSave = page.Make(WC_BUTTONW, "自動保存を", WS_TABSTOP | BS_AUTOCHECKBOX, {8, 9, 81, 17},
                         kcbSave, "ペタリノや、環境設定を自動的に保存します");
    c.eSave = page.Make(WC_EDITW, "10", WS_TABSTOP | ES_AUTOHSCROLL, {90, 8, 25, 20}, keSave,
                        "自動保存する周期を決めます", WS_EX_CLIENTEDGE);
    c.udSave = page.Make(UPDOWN_CLASSW, "", UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                         {115, 8, 15, 20}, kudSave);
    SendMessageW(c.udSave, UDM_SETBUDDY, reinterpret_cast<WPARAM>(c.eSave), 0);
    SendMessageW(c.udSave, UDM_SETRANGE32, 1, 60);
    SendMessageW(c.udSave, UDM_SETPOS32, 0, 10);
    // Attaching the buddy may widen the up-down to the system's own size.
    SetWindowPos(c.udSave, nullptr, 115, 8, 15, 20, SWP_NOZORDER | SWP_NOACTIVATE);
    c.Label1 = page.Make(WC_STATICW, "分毎にする", SS_LEFT | SS_NOPREFIX, {134, 11, 60, 12}, 0);
    FitToCaption(c.Label1);
    c.cbText = page.Make(WC_BUTTONW, "終了時にメモをテキスト化", WS_TABSTOP | BS_AUTOCHECKBOX,
                         {8, 32, 161, 17}, kcbText,
                         "終了するときにメモの題名をファイル名として保存します。");
    c.cbAlart = page.Make(WC_BUTTONW, "終了の確認を出す", WS_TABSTOP | BS_AUTOCHECKBOX,
                          {8, 56, 129, 17}, kcbAlart, "終了しようとすると、終了するかを確認します");
    // Only the top line of the bevel shows.
    c.Bevel1 = page.Make(WC_STATICW, "", SS_ETCHEDHORZ, {8, 80, 233, 2}, 0);
    c.Label3 =
        page.Make(WC_STATICW, "Label3", SS_LEFT | SS_NOPREFIX, {8, 93, 233, 12}, 0, "トータル時間");
    c.cbStartWithWindows =
        page.Make(WC_BUTTONW, "Windows の起動時にペタリノを起動する", WS_TABSTOP | BS_AUTOCHECKBOX,
                  {8, 112, 233, 17}, kcbStartWithWindows,
                  "サインインするとペタリノが起動し、メモを表示します");
}

// The backups, three rows high: the hotkeys' rows below take the rest of the page.
void CreateExtendedPage(const ControlMaker& page, DouguFormControls& c) {
    c.lbBackups =
        page.Make(WC_LISTBOXW, "", WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                  {8, 8, 241, 40}, klbBackups, "メモのバックアップです。新しいものが上にあります。",
                  WS_EX_CLIENTEDGE);
    SendMessageW(c.lbBackups, LB_SETITEMHEIGHT, 0, 12);
    c.bRestore = page.Make(WC_BUTTONW, "元に戻す", WS_TABSTOP | BS_PUSHBUTTON, {8, 48, 81, 25},
                           kbRestore, "選択されたバックアップの内容にメモを戻します。");
    c.bExport = page.Make(WC_BUTTONW, "書き出し...", WS_TABSTOP | BS_PUSHBUTTON, {88, 48, 81, 25},
                          kbExport, "現在のメモをバックアップファイルに書き出します。");
    c.bImport = page.Make(WC_BUTTONW, "読み込み...", WS_TABSTOP | BS_PUSHBUTTON, {168, 48, 81, 25},
                          kbImport, "バックアップファイルを読み込んで、メモをその内容にします。");
}

// The box's own colours for the mark inside it, greyed as a note beside the key; and the
// refusal of a key goes once the user leaves the box.
LRESULT CALLBACK HotkeyBoxProcedure(HWND box, UINT message, WPARAM wp, LPARAM lp, UINT_PTR,
                                    DWORD_PTR refusal) noexcept {
    HideRefusalOnLeaving(reinterpret_cast<HWND>(refusal), message);
    if (message != WM_CTLCOLORSTATIC) return win32::DefSubclass(box, message, wp, lp);
    const auto dc = reinterpret_cast<HDC>(wp);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

// A hotkey box that takes only keys with Ctrl or Alt: a key alone, or with Shift alone, gets
// Ctrl+Alt in place of what was held. The replacement must hold a modifier: with none, Wine's
// control keeps the bare key.
HWND MakeHotkeyBox(const ControlMaker& page, Place at, UINT id, std::string_view tooltip,
                   HWND refusal) {
    // Its painting leaves out the mark inside it.
    const HWND box = page.Make(HOTKEY_CLASSW, "", WS_TABSTOP | WS_CLIPCHILDREN, at, id, tooltip);
    SendMessageW(box, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                 MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    win32::SetSubclass(box, HotkeyBoxProcedure, 0, reinterpret_cast<DWORD_PTR>(refusal));
    return box;
}

// At the right end of the box, after the key, shown only while another program holds the key:
// the page has no room for a line of its own beside the rows.
HWND MakeInUseMark(const ControlMaker& page, HWND box) {
    const HWND mark = CreateControl(box, WC_STATICW, "（使用中）", SS_LEFT | SS_NOPREFIX,
                                    {0, 0, 0, 0}, 0, page.Font());
    ShowWindow(mark, SW_HIDE);
    FitToCaption(mark);
    RECT area{};
    GetClientRect(box, &area);
    RECT caption{};
    GetClientRect(mark, &caption);
    // Level with the key, which the box writes one border below its top.
    SetWindowPos(mark, nullptr, area.right - caption.right - GetSystemMetrics(SM_CXBORDER),
                 GetSystemMetrics(SM_CYBORDER), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return mark;
}

// One global hotkey's row of the page "拡張": its label, its box and the box's mark.
struct HotkeyRow {
    HWND& label;
    HWND& box;
    HWND& inUse;
};

void MakeHotkeyRow(const ControlMaker& page, const HotkeyRow& row, int top,
                   std::string_view caption, UINT id, std::string_view tooltip, HWND refusal) {
    row.label = page.Make(WC_STATICW, caption, SS_LEFT | SS_NOPREFIX, {8, top + 3, 73, 12}, 0);
    FitToCaption(row.label);
    row.box = MakeHotkeyBox(page, {88, top, 161, 20}, id, tooltip, refusal);
    row.inUse = MakeInUseMark(page, row.box);
}

void CreateHotkeyRows(const ControlMaker& page, DouguFormControls& c) {
    MakeHotkeyRow(page, {c.Label4, c.hkNewMemo, c.lNewMemoInUse}, 77, kGlobalHotkeyLabels[0],
                  khkNewMemo, "どこからでも新しいメモを作るキーです。", c.hotkeyRefusal);
    MakeHotkeyRow(page, {c.Label5, c.hkFront, c.lFrontInUse}, 101, kGlobalHotkeyLabels[1], khkFront,
                  "表示中のメモをすべて前面に出すキーです。", c.hotkeyRefusal);
    MakeHotkeyRow(page, {c.Label7, c.hkSearch, c.lSearchInUse}, 125, kGlobalHotkeyLabels[2],
                  khkSearch, "どこからでもメモの検索を開くキーです。", c.hotkeyRefusal);
}

// The folder the memos are synchronised through. Its path is set as UTF-16, so a folder
// whose name CP932 cannot write still shows as it is; the status is filled when shown.
void CreateSyncPage(const ControlMaker& page, DouguFormControls& c) {
    c.Label6 = page.Make(WC_STATICW, "同期フォルダ:", SS_LEFT | SS_NOPREFIX, {8, 11, 241, 12}, 0);
    c.eSyncFolder =
        page.Make(WC_EDITW, "", WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, {8, 26, 241, 20},
                  keSyncFolder, "メモを同期するフォルダです。", WS_EX_CLIENTEDGE);
    c.bSyncBrowse = page.Make(WC_BUTTONW, "参照...", WS_TABSTOP | BS_PUSHBUTTON, {8, 52, 81, 25},
                              kbSyncBrowse, "同期に使うフォルダを選びます。");
    c.bSyncStop = page.Make(WC_BUTTONW, "同期をやめる", WS_TABSTOP | BS_PUSHBUTTON,
                            {88, 52, 81, 25}, kbSyncStop, "このフォルダとの同期をやめます。");
    c.bSyncNow = page.Make(WC_BUTTONW, "今すぐ同期", WS_TABSTOP | BS_PUSHBUTTON, {168, 52, 81, 25},
                           kbSyncNow, "すぐにフォルダと同期します。");
    c.Bevel2 = page.Make(WC_STATICW, "", SS_ETCHEDHORZ, {8, 84, 233, 2}, 0);
    c.lSyncStatus = page.Make(WC_STATICW, "", SS_LEFT | SS_NOPREFIX, {8, 92, 241, 52}, 0,
                              "最後の同期の結果です。");
}

} // namespace

void SizeClientArea(HWND form) {
    RECT bounds{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&bounds, kDouguFormStyle, FALSE, kDouguFormExStyle);
    SetWindowPos(form, nullptr, 0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CreateDouguFormControls(HWND form, DouguFormControls& c,
                             const platform::WindowSystem& windows) {
    win32::LoadCommonControls(ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES);
    RegisterTabSheetClass();
    c.font = CreateFormFont();
    c.tooltips = win32::CreateTooltips(form, windows);
    SendMessageW(c.tooltips, TTM_SETMAXTIPWIDTH, 0, 400);

    const ControlMaker onForm(form, c.font.get(), c.tooltips);
    c.PageControl1 =
        onForm.Make(WC_TABCONTROLW, "", WS_TABSTOP | WS_CLIPSIBLINGS, {8, 8, 265, 177}, 0);
    AddPage(c.PageControl1, 0, "メモの状態");
    AddPage(c.PageControl1, 1, "設定");
    AddPage(c.PageControl1, kExtendedPage, "拡張");
    AddPage(c.PageControl1, kSyncPage, "同期");
    RECT area{8, 8, 8 + 265, 8 + 177};
    TabCtrl_AdjustRect(c.PageControl1, FALSE, &area);
    // The pages added later are made first, the last of them first: each lies below the pages
    // before it, whose controls come first in a search of the window's children as they did.
    c.TabSheet4 = MakePage(form, area);
    c.TabSheet3 = MakePage(form, area);
    c.TabSheet1 = MakePage(form, area);
    c.TabSheet2 = MakePage(form, area);
    CreateStatusPage(ControlMaker(c.TabSheet1, c.font.get(), c.tooltips), c);
    CreateSettingsPage(ControlMaker(c.TabSheet2, c.font.get(), c.tooltips), c);
    CreateExtendedPage(ControlMaker(c.TabSheet3, c.font.get(), c.tooltips), c);
    c.hotkeyRefusal = CreateRefusalBalloon(form);
    CreateHotkeyRows(ControlMaker(c.TabSheet3, c.font.get(), c.tooltips), c);
    CreateSyncPage(ControlMaker(c.TabSheet4, c.font.get(), c.tooltips), c);
    ShowWindow(c.TabSheet1, SW_SHOW);

    c.bOk = onForm.Make(WC_BUTTONW, "&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, {192, 192, 81, 25}, kbOk,
                        "プロパティウィンドウを閉じます。");
    c.Button1 = onForm.Make(WC_BUTTONW, "終了(&X)", WS_TABSTOP | BS_PUSHBUTTON, {8, 192, 75, 25},
                            kButton1, "ペタリノを終了します。");
}

} // namespace petarino::forms
