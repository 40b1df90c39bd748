#include "properties_window.h"

#include "deadline.h"
#include "tray.h"
#include "window_search.h"

#include <commctrl.h>

namespace petarino::remote {

bool OpenPage(HWND properties, int page) {
    PostTrayEvent(properties, WM_LBUTTONUP);
    if (!WaitFor([&] { return IsWindowVisible(properties) != FALSE; })) return false;
    const std::vector<HWND> pageControls = ChildWindows(properties, WC_TABCONTROLW);
    if (pageControls.empty()) return false;
    const HWND pages = pageControls.front();
    const int shown = static_cast<int>(Send(pages, TCM_GETCURSEL));
    for (int step = shown; step < page; ++step)
        Send(pages, WM_KEYDOWN, VK_RIGHT);
    for (int step = shown; step > page; --step)
        Send(pages, WM_KEYDOWN, VK_LEFT);
    return true;
}

HWND SyncNowButton(HWND properties) {
    return ChildWithText(properties, WC_BUTTONW, L"今すぐ同期");
}

// The one plain static of the page that lies below the buttons; the line above it is an
// etched static too.
HWND SyncStatusLine(HWND properties) {
    const HWND button = SyncNowButton(properties);
    if (!button) return nullptr;
    const LONG buttonsEnd = BoundsOf(button).bottom;
    for (HWND label : ChildWindows(GetParent(button), WC_STATICW))
        if ((GetWindowLongPtrW(label, GWL_STYLE) & SS_TYPEMASK) == SS_LEFT &&
            BoundsOf(label).top >= buttonsEnd)
            return label;
    return nullptr;
}

// The one edit beside the status list's buttons.
HWND SearchBox(HWND properties) {
    const HWND button = ChildWithText(properties, WC_BUTTONW, L"表示/非表示");
    if (!button) return nullptr;
    const std::vector<HWND> edits = ChildWindows(GetParent(button), WC_EDITW);
    return edits.size() == 1 ? edits.front() : nullptr;
}

} // namespace petarino::remote
