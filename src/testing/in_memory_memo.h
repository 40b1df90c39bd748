// A memo record in plain fields with the defaults of a new window, for tests and the
// command-line tool. It counts the real writes of its text.
#pragma once

#include "memos/memo.h"
#include "memos/memo_defaults.h"
#include "memos/memo_opacity.h"

#include <functional>

namespace petarino {

class InMemoryMemo final : public Memo {
public:
    // A new window is placed by the window system; here at 0, 0, its outer size the
    // client area with a sizing frame of this width on every side.
    static constexpr int32_t kFrame = 4;

    InMemoryMemo() = default;
    // Close hands the memo to its owner, which may free it there.
    explicit InMemoryMemo(std::function<void(InMemoryMemo&)> onClose);

    MemoText Hint() const override { return hint_; }
    void SetHint(MemoTextView hint) override { hint_ = hint; }
    int32_t Tag() const override { return tag_; }
    void SetTag(int32_t tag) override { tag_ = tag; }
    int32_t TitleBar() const override { return titleBar_; }
    void SetTitleBar(int32_t titleBar) override { titleBar_ = titleBar; }
    const MemoText& MacroText() const override { return macroText_; }
    void SetMacroText(MemoTextView macroText) override { macroText_ = macroText; }

    int32_t DragX() const override { return dragX_; }
    int32_t DragY() const override { return dragY_; }
    void SetDrag(int32_t x, int32_t y) override;

    Color WindowColor() const override { return windowColor_; }
    void SetWindowColor(Color color) override { windowColor_ = color; }
    Color TitleTextColor() const override { return titleTextColor_; }
    void SetTitleTextColor(Color color) override { titleTextColor_ = color; }

    int32_t Left() const override { return left_; }
    int32_t Top() const override { return top_; }
    int32_t Width() const override { return width_; }
    int32_t Height() const override { return height_; }
    void SetLeft(int32_t left) override { left_ = left; }
    void SetTop(int32_t top) override { top_ = top; }
    void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override { visible_ = visible; }

    bool StayOnTop() const override { return stayOnTop_; }
    void SetStayOnTop(bool stayOnTop) override { stayOnTop_ = stayOnTop; }
    int32_t Opacity() const override { return opacity_; }
    void SetOpacity(int32_t percent) override { opacity_ = percent; }
    const MemoAlarm& Alarm() const override { return alarm_; }
    void SetAlarm(const MemoAlarm& alarm) override { alarm_ = alarm; }
    void RaiseAndFlash() override {
        visible_ = true;
        ++raised_;
    }
    int Raised() const { return raised_; }

    MemoText Text() const override { return text_; }
    bool ReadOnly() const override { return readOnly_; }
    void SetReadOnly(bool readOnly) override { readOnly_ = readOnly; }
    bool WordWrap() const override { return wordWrap_; }
    void SetWordWrap(bool wordWrap) override { wordWrap_ = wordWrap; }
    Color MemoColor() const override { return memoColor_; }
    void SetMemoColor(Color color) override { memoColor_ = color; }
    Font MemoFont() const override { return font_; }
    void SetMemoFont(const Font& font) override { font_ = font; }

    void Close() override;

    int TextWrites() const { return textWrites_; }

private:
    void WriteText(MemoTextView text) override;

    MemoText hint_{new_memo::kHint};
    int32_t tag_ = 0;
    int32_t titleBar_ = 0;
    MemoText macroText_;
    int32_t dragX_ = 0;
    int32_t dragY_ = 0;
    Color windowColor_ = new_memo::kWindowColor;
    Color titleTextColor_ = new_memo::kTitleTextColor;
    int32_t left_ = 0;
    int32_t top_ = 0;
    int32_t width_ = new_memo::kClientWidth + 2 * kFrame;
    int32_t height_ = new_memo::kClientHeight + 2 * kFrame;
    bool visible_ = false;
    bool stayOnTop_ = false;
    int32_t opacity_ = kOpaque;
    MemoAlarm alarm_;
    int raised_ = 0;
    MemoText text_;
    bool readOnly_ = false;
    bool wordWrap_ = new_memo::kWordWrap;
    Color memoColor_ = new_memo::kMemoColor;
    Font font_;
    int textWrites_ = 0;
    std::function<void(InMemoryMemo&)> onClose_;
};

} // namespace petarino
