// TMemoForm: one sticky memo on the desktop, a borderless sizable pop-up window with its
// title strip and its text area, implementing the memo record over both. It is owned by
// the application's hidden window, has no taskbar button, and frees itself when its window
// is destroyed: by Close (the memo table's DestForm), by its factory, or with its owner.
#pragma once

#include "forms/memo_popup_menu.h"
#include "forms/memo_see_through.h"
#include "forms/memo_text_area.h"
#include "forms/memo_text_gestures.h"
#include "forms/memo_title.h"
#include "forms/memo_window_owner.h"
#include "memos/memo.h"
#include "memos/memo_drag.h"
#include "platform/kernel.h"

#include <windows.h>
#include <memory>
#include <string>

namespace petarino::forms {

class MemoFormFactory;

class TMemoForm final : public Memo, private TextAreaHandler {
public:
    static constexpr const wchar_t* kClassName = L"TMemoForm";
    // No caption, system menu, or minimise and maximise boxes; the window's own drawing
    // never covers its text area.
    static constexpr DWORD kStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_THICKFRAME;

    TMemoForm(const TMemoForm&) = delete;
    TMemoForm& operator=(const TMemoForm&) = delete;

    HWND Handle() const { return hwnd_; }
    HWND TextArea() const { return textArea_->Handle(); }

    MemoText Hint() const override { return hint_; }
    void SetHint(MemoTextView hint) override;
    int32_t Tag() const override { return tag_; }
    void SetTag(int32_t tag) override { tag_ = tag; }
    int32_t TitleBar() const override { return titleBar_; }
    void SetTitleBar(int32_t titleBar) override;
    const MemoText& MacroText() const override { return macroText_; }
    void SetMacroText(MemoTextView macroText) override { macroText_ = macroText; }

    int32_t DragX() const override { return dragX_; }
    int32_t DragY() const override { return dragY_; }
    void SetDrag(int32_t x, int32_t y) override;

    Color WindowColor() const override { return windowColor_; }
    void SetWindowColor(Color color) override;
    Color TitleTextColor() const override { return titleTextColor_; }
    void SetTitleTextColor(Color color) override;

    int32_t Left() const override { return WindowBounds().left; }
    int32_t Top() const override { return WindowBounds().top; }
    int32_t Width() const override { return WindowBounds().width; }
    int32_t Height() const override { return WindowBounds().height; }
    void SetLeft(int32_t left) override;
    void SetTop(int32_t top) override;
    void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

    bool Visible() const override;
    void SetVisible(bool visible) override;
    bool StayOnTop() const override { return stayOnTop_; }
    void SetStayOnTop(bool stayOnTop) override;
    int32_t Opacity() const override { return seeThrough_.Percent(); }
    void SetOpacity(int32_t percent) override { seeThrough_.SetPercent(percent); }
    const MemoAlarm& Alarm() const override { return alarm_; }
    void SetAlarm(const MemoAlarm& alarm) override { alarm_ = alarm; }
    void RaiseAndFlash() override;
    // Inside the work area of its nearest monitor and above every window.
    void BringToFront();
    // A stretch of Text() selected, as a search found it.
    void SelectText(const platform::TextSpan& span) { textArea_->Select(span.offset, span.length); }
    bool Flashing() const { return flashes_ > 0; }

    MemoText Text() const override { return textArea_->Text(); }
    bool ReadOnly() const override { return textArea_->ReadOnly(); }
    void SetReadOnly(bool readOnly) override { textArea_->SetReadOnly(readOnly); }
    bool WordWrap() const override { return textArea_->WordWrap(); }
    void SetWordWrap(bool wordWrap) override { textArea_->SetWordWrap(wordWrap); }
    Color MemoColor() const override { return textArea_->BackgroundColor(); }
    void SetMemoColor(Color color) override { textArea_->SetBackgroundColor(color); }
    Font MemoFont() const override { return textArea_->TextFont(); }
    void SetMemoFont(const Font& font) override { textArea_->SetTextFont(font); }

    // Destroys the window at once; the object goes with it.
    void Close() override;

private:
    friend class MemoFormFactory;

    // A hidden memo window with the defaults of a new one at these outer bounds.
    static TMemoForm& Create(HWND application, MemoWindowOwner& owner, MemoFormFactory& factory,
                             const Bounds& bounds);
    TMemoForm(MemoWindowOwner& owner, MemoFormFactory& factory);
    ~TMemoForm() override = default;

    void WriteText(MemoTextView text) override { textArea_->Write(text); }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT TextAreaMessage(MemoTextArea& area, HWND edit, UINT message, WPARAM wParam,
                            LPARAM lParam) noexcept override;
    LRESULT OnTextAreaMessage(MemoTextArea& area, HWND edit, UINT message, WPARAM wParam,
                              LPARAM lParam);

    Bounds WindowBounds() const;
    void MoveTo(int32_t left, int32_t top);

    TitleLayout Layout() const;
    // The handlers, named as the design names them.
    void FormPaint();
    void PaintTitle(HDC dc) const;
    void FormShow();
    // True when the memo moved.
    bool MemoMouseMove(DragSender sender, WPARAM keys, LPARAM point);
    void FormMouseUp();
    void HideMemo();
    void PlaceInZOrder(HWND after);
    void Raise();
    void Flash();
    void StopFlashing();
    void pMenuPopup(LPARAM screenPoint);
    // Runs a key of the menu's table whose item is enabled; false for other keys.
    bool MenuShortcut(WPARAM virtualKey);
    // May destroy this window: nothing of the memo is touched afterwards.
    void RunCommand(MemoCommand command);

    HWND hwnd_ = nullptr;
    bool freedWithWindow_ = false;
    MemoWindowOwner& owner_;
    MemoFormFactory& factory_;
    // Made once the window exists; its control's messages come here from then on.
    std::unique_ptr<MemoTextArea> textArea_;
    MemoTitle title_;
    MemoPopupMenu menu_;
    MemoTextGestures gestures_{owner_};
    MemoSeeThrough seeThrough_{nullptr}; // given the window once it exists

    MemoText hint_;
    int32_t tag_ = 0;
    int32_t titleBar_ = 0;
    MemoText macroText_;
    int32_t dragX_ = 0;
    int32_t dragY_ = 0;
    Color windowColor_;
    Color titleTextColor_;
    bool stayOnTop_ = false;
    MemoAlarm alarm_;
    int flashes_ = 0; // swaps of colour still to come
};

} // namespace petarino::forms
