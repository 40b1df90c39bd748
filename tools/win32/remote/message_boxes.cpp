#include "message_boxes.h"

#include "deadline.h"
#include "window_search.h"

namespace petarino::remote {
namespace {

constexpr wchar_t kDialogClass[] = L"#32770";

HWND VisibleMessageBox(DWORD processId) {
    for (HWND box : TopLevelWindows(kDialogClass, processId))
        if (IsWindowVisible(box)) return box;
    return nullptr;
}

// The box's text is its longest static: the icon is a static without text.
std::wstring MessageOf(HWND box) {
    std::wstring longest;
    for (HWND label : ChildWindows(box, L"Static")) {
        std::wstring text = TextOf(label);
        if (text.size() > longest.size()) longest = std::move(text);
    }
    return longest;
}

} // namespace

std::optional<MessageBoxView> WaitForMessageBox(DWORD processId, unsigned long timeoutMs) {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = VisibleMessageBox(processId)) != nullptr; }, timeoutMs))
        return {};
    return MessageBoxView{box, TextOf(box), MessageOf(box)};
}

bool ShowsMessageBox(DWORD processId) {
    return VisibleMessageBox(processId) != nullptr;
}

bool Answer(const MessageBoxView& box, int buttonId) {
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.window, buttonId)));
    return WaitFor([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); });
}

} // namespace petarino::remote
