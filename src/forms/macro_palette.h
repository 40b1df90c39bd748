// TMacroSet, the macro palette: labels that insert the building blocks of macros at the caret
// of the memo properties dialog's text box. Made once, hidden, after the dialog.
#pragma once

#include "forms/form_controls.h"
#include "forms/form_window.h"
#include "forms/memo_properties_dialog.h"
#include "macro/palette_blocks.h"
#include "platform/window_system.h"

#include <windows.h>
#include <array>

namespace petarino::forms {

class TMacroSet final : public MacroPalette {
public:
    // `owner` is the application's hidden window. The palette attaches itself to the dialog,
    // which shows and hides it, and detaches when it goes.
    TMacroSet(HWND owner, platform::WindowSystem& windows, TMemoSet& memoSet);
    TMacroSet(const TMacroSet&) = delete;
    TMacroSet& operator=(const TMacroSet&) = delete;
    ~TMacroSet();

    HWND Handle() const override { return window_.get(); }
    void Show() override;
    void Hide() override;

private:
    friend class FormWindow<TMacroSet>;
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    platform::WindowSystem& Windows() const { return windows_; }

    void CreateControls();
    void CreateTooltips();
    void FormShow();
    void FormPaint();
    // Every block's click: the hint, or for the three that build it, the text made from the
    // fields, replaces the selection of the dialog's text box, which then takes the focus.
    void MacroClick(const PaletteBlock& block);
    LRESULT LabelColors(HDC dc, HWND label);

    platform::WindowSystem& windows_;
    TMemoSet& memoSet_;
    win32::UniqueFont font_;
    UniqueWindow window_;
    UniqueWindow tooltips_; // owned by the palette, so it goes first
    HWND edit1_ = nullptr;
    HWND edit2_ = nullptr;
    std::array<HWND, kPaletteBlocks.size()> labels_{};
};

} // namespace petarino::forms
