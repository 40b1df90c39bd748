#include "forms/memo_text_gestures.h"

#include "text/checklist.h"
#include "text/web_address.h"

#include <cstdlib>
#include <utility>

namespace petarino::forms {
namespace {

POINT PointOf(LPARAM lParam) {
    return {static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam))};
}

bool CtrlHeld() {
    return GetKeyState(VK_CONTROL) < 0;
}

POINT OnScreen(HWND window, POINT at) {
    ClientToScreen(window, &at);
    return at;
}

POINT Pointer() {
    POINT at{};
    GetCursorPos(&at);
    return at;
}

} // namespace

bool MemoTextGestures::Take(MemoTextArea& area, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        if (TickBox(area, wParam, PointOf(lParam))) return true;
        pressedAddress_ =
            wParam == (MK_LBUTTON | MK_CONTROL) ? AddressAt(area, PointOf(lParam)) : std::nullopt;
        pressedAt_ = OnScreen(area.Handle(), PointOf(lParam));
        return false;
    // A second quick click on a box ticks it again, as the first did; elsewhere it is the
    // text's double-click.
    case WM_LBUTTONDBLCLK: return TickBox(area, wParam, PointOf(lParam));
    case WM_LBUTTONUP: OpenPressedAddress(OnScreen(area.Handle(), PointOf(lParam))); return false;
    case WM_SETCURSOR: return LOWORD(lParam) == HTCLIENT && ShowHand(area);
    // Ctrl pressed or let go with the pointer resting on an address.
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (wParam == VK_CONTROL && WindowFromPoint(Pointer()) == area.Handle())
            SendMessageW(area.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(area.Handle()),
                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return false;
    case WM_CHAR: return wParam == '\r' && ContinueChecklist(area);
    default: return false;
    }
}

// Only a plain click: Ctrl and Shift with it still move the memo or select.
bool MemoTextGestures::TickBox(MemoTextArea& area, WPARAM keys, POINT at) {
    if (keys != MK_LBUTTON || area.ReadOnly()) return false;
    const std::optional<std::size_t> unit = area.CharacterAt(at);
    if (!unit) return false;
    const std::optional<TextEdit> ticked = ToggledBox(area.Text(), *unit);
    if (!ticked) return false;
    const auto [start, end] = area.Selection();
    area.Edit({ticked->from, ticked->to, ticked->inserted, start, end});
    return true;
}

bool MemoTextGestures::ContinueChecklist(MemoTextArea& area) {
    if (area.ReadOnly() || CtrlHeld()) return false;
    const auto [start, end] = area.Selection();
    const std::optional<TextEdit> edit = EnterInChecklist(area.Text(), start, end);
    if (edit) area.Edit(*edit);
    return edit.has_value();
}

void MemoTextGestures::BoxSelectedLines(MemoTextArea& area) {
    if (area.ReadOnly()) return;
    const auto [start, end] = area.Selection();
    area.Edit(BoxedLines(area.Text(), start, end));
}

std::optional<MemoText> MemoTextGestures::AddressAt(const MemoTextArea& area, POINT at) const {
    const std::optional<std::size_t> unit = area.CharacterAt(at);
    if (!unit) return std::nullopt;
    const std::optional<TextStretch> address = WebAddressAt(area.Text(), *unit);
    if (!address) return std::nullopt;
    return area.Text().substr(address->offset, address->length);
}

bool MemoTextGestures::ShowHand(const MemoTextArea& area) const {
    if (!CtrlHeld()) return false;
    POINT at = Pointer();
    ScreenToClient(area.Handle(), &at);
    if (!AddressAt(area, at)) return false;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

// A press and release within the distance that starts a drag is a click; a Ctrl+drag moves
// the memo, which carries the text along under the pointer, and opens nothing.
void MemoTextGestures::OpenPressedAddress(POINT at) {
    const std::optional<MemoText> address = std::exchange(pressedAddress_, std::nullopt);
    if (!address) return;
    if (std::abs(at.x - pressedAt_.x) > GetSystemMetrics(SM_CXDRAG) ||
        std::abs(at.y - pressedAt_.y) > GetSystemMetrics(SM_CYDRAG))
        return;
    owner_.OpenAddress(*address);
}

} // namespace petarino::forms
