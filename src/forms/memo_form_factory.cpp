#include "forms/memo_form_factory.h"

#include "appearance/mul_div.h"
#include "memos/cascade.h"
#include "memos/memo_defaults.h"
#include "platform/win32/graphics_win32.h"

#include <algorithm>
#include <utility>

namespace petarino::forms {
namespace {

SIZE NewMemoSize() {
    const int density = win32::Win32Graphics().ScreenPixelsPerInch();
    RECT outer{0, 0, MulDiv(new_memo::kClientWidth, density, 96),
               MulDiv(new_memo::kClientHeight, density, 96)};
    AdjustWindowRectEx(&outer, TMemoForm::kStyle, FALSE, 0);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

WorkArea PrimaryWorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top, work.right, work.bottom};
}

} // namespace

MemoFormFactory::MemoFormFactory(HWND application, MemoWindowOwner& owner)
    : application_(application), owner_(owner), newMemoSize_(NewMemoSize()),
      // The window system's own step between new windows.
      cascadeStep_(GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME)) {}

MemoFormFactory::~MemoFormFactory() {
    // Each window forgets itself as it goes; the list is already empty by then.
    for (TMemoForm* form : std::exchange(live_, {}))
        DestroyWindow(form->Handle());
}

TMemoForm& MemoFormFactory::NewMemo(const std::optional<Bounds>& at) {
    live_.reserve(live_.size() + 1);
    TMemoForm& form = TMemoForm::Create(application_, owner_, *this, at ? *at : CascadeBounds());
    live_.push_back(&form);
    ++made_;
    return form;
}

Bounds MemoFormFactory::CascadeBounds() const {
    const ScreenPoint at =
        CascadePosition(made_, PrimaryWorkArea(), newMemoSize_.cx, newMemoSize_.cy, cascadeStep_);
    return {at.x, at.y, newMemoSize_.cx, newMemoSize_.cy};
}

void MemoFormFactory::Forget(const TMemoForm& form) {
    std::erase(live_, &form);
}

} // namespace petarino::forms
