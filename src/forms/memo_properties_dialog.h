// TMemoSet, the memo properties dialog: one modal dialog, made once and reused for every
// memo, whose controls are the working copy of the memo it was opened for.
#pragma once

#include "forms/form_controls.h"
#include "forms/form_window.h"
#include "forms/modal_loop.h"
#include "macro/tick_timer.h"
#include "memos/memo.h"
#include "memos/memo_properties.h"
#include "memos/memo_table.h"
#include "platform/choosers.h"
#include "platform/files.h"
#include "platform/win32/color_win32.h"
#include "platform/win32/font_win32.h"
#include "platform/window_system.h"

#include <windows.h>
#include <array>

namespace petarino::forms {

// The macro palette as the dialog sees it: shown by "マクロツール", hidden with the dialog,
// and taking input while the dialog runs.
class MacroPalette {
public:
    virtual HWND Handle() const = 0;
    // Placed below the dialog each time.
    virtual void Show() = 0;
    virtual void Hide() = 0;

protected:
    ~MacroPalette() = default;
};

class TMemoSet final : private MemoPropertiesView {
public:
    // Created hidden. `owner` is the application's hidden window; `timer1` the clock's timer,
    // enabled on OK; `table` lists the memo anew on OK.
    TMemoSet(HWND owner, platform::WindowSystem& windows, platform::Choosers& choosers,
             platform::Files& files, TickTimer& timer1, MemoTable& table);
    TMemoSet(const TMemoSet&) = delete;
    TMemoSet& operator=(const TMemoSet&) = delete;
    ~TMemoSet();

    // Fills the dialog from the memo and runs it modally: the other windows of the program
    // take no input, while messages, the clock's ticks among them, go on being dispatched.
    // OK (1) applies the dialog to the memo; Cancel, Esc and the close box (2) leave it as it
    // was. A call while the dialog runs, from a memo made meanwhile, is refused with 2.
    int Execute(Memo& memo);

    HWND Handle() const { return window_.get(); }
    // The text box Macro, where the palette inserts.
    HWND MacroBox() const { return macro_; }
    // The palette registers itself here when it is made, and leaves when it goes.
    void AttachPalette(MacroPalette* palette) { palette_ = palette; }

private:
    friend class FormWindow<TMemoSet>;
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    platform::WindowSystem& Windows() const { return windows_; }

    void CreateControls();
    void Click(int id);
    LRESULT EditColors(HDC dc, HWND edit);
    void Activated(WPARAM state);

    void Button1Click() { properties_.PickMacroFont(); }
    void Button2Click() { properties_.PickMacroColor(); }
    void Button3Click() { properties_.LoadText(); }
    void Button4Click() { properties_.SaveText(); }
    void Button7Click() { properties_.PickTitleTextColor(); }
    void Button8Click() { properties_.PickTitleColor(); }
    void Button9Click();
    void FormHide();

    std::string MacroText() const override;
    void SetMacroText(std::string_view text) override;
    std::string Title() const override;
    void SetTitle(std::string_view title) override;
    int TitleBarItem() const override;
    void SetTitleBarItem(int item) override;
    bool WordWrap() const override;
    void SetWordWrap(bool wordWrap) override;
    Font MacroFont() const override { return macroFont_; }
    void SetMacroFont(const Font& font) override;
    Color MacroColor() const override { return macroColor_; }
    void SetMacroColor(Color color) override;
    Color TitleColor() const override { return titleColor_; }
    void SetTitleColor(Color color) override;
    Color TitleTextColor() const override { return titleTextColor_; }
    void SetTitleTextColor(Color color) override;

    HWND owner_;
    platform::WindowSystem& windows_;
    MemoProperties properties_;
    MacroPalette* palette_ = nullptr;

    // The colours and the font of Macro and Title: the edit controls ask their parent for them.
    Font macroFont_;
    Color macroColor_ = clWindow;
    Color titleColor_ = clWindow;
    Color titleTextColor_ = clWindowText;
    win32::ColorBrush macroBrush_;
    win32::ColorBrush titleBrush_;
    win32::UniqueFont formFont_;
    win32::UniqueFont macroFontHandle_;

    UniqueWindow window_;
    HWND macro_ = nullptr;
    HWND title_ = nullptr;
    HWND wordWrap_ = nullptr;
    std::array<HWND, kTitleBarItems> titleBarItems_{};
    HWND ok_ = nullptr;

    ModalRun modal_;
    // The control that had the focus when the dialog was last deactivated.
    HWND focus_ = nullptr;
};

} // namespace petarino::forms
