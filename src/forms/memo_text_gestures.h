// What a memo's text does beyond its control's own: a click on a checklist's box ticks it,
// Enter continues a checklist, the menu boxes lines, and a Ctrl+click opens an address.
#pragma once

#include "forms/memo_text_area.h"
#include "forms/memo_window_owner.h"
#include "text/memo_text.h"

#include <windows.h>
#include <optional>

namespace petarino::forms {

class MemoTextGestures {
public:
    explicit MemoTextGestures(MemoWindowOwner& owner) : owner_(owner) {}

    // A message of the text area, before the control sees it: true when it was taken here,
    // and the control must not see it (WM_SETCURSOR then answers TRUE).
    bool Take(MemoTextArea& area, UINT message, WPARAM wParam, LPARAM lParam);
    // "チェックボックス(&K)".
    void BoxSelectedLines(MemoTextArea& area);

private:
    bool TickBox(MemoTextArea& area, WPARAM keys, POINT at);
    bool ContinueChecklist(MemoTextArea& area);
    std::optional<MemoText> AddressAt(const MemoTextArea& area, POINT at) const;
    bool ShowHand(const MemoTextArea& area) const;
    // `at` is where the button came up, on the screen.
    void OpenPressedAddress(POINT at);

    MemoWindowOwner& owner_;
    // The address under a Ctrl+press, opened when the button comes up where it went down.
    std::optional<MemoText> pressedAddress_;
    POINT pressedAt_{};
};

} // namespace petarino::forms
