#include "running_petarino.h"

#include "deadline.h"
#include "petarino_windows.h"
#include "tray.h"
#include "window_search.h"

namespace petarino::e2e {
namespace {

// The first start in a new prefix also builds Wine's font cache.
constexpr unsigned long kStartPatienceMs = 60000;

} // namespace

bool RunningPetarino::WaitForStart() {
    // The window exists from the start of its creation, which loads the store; the program
    // first waits for input when the creation is done, unless a message box of the
    // single-instance guard had it wait before: such a copy's callers wait for what they see.
    properties_ = remote::WaitForPropertiesWindow(Id(), kStartPatienceMs);
    return properties_ != nullptr && process_.WaitUntilIdle(kStartPatienceMs);
}

bool RunningPetarino::KeepsRunning() const {
    Sleep(1500);
    return Running();
}

bool RunningPetarino::WaitForExit() const {
    return process_.WaitForExit(remote::kPatienceMs).has_value();
}

HWND RunningPetarino::ApplicationWindow() const {
    return remote::ApplicationWindowOf(properties_);
}

std::vector<HWND> RunningPetarino::Memos() const {
    return remote::MemoWindows(Id());
}

std::vector<HWND> RunningPetarino::VisibleMemos() const {
    return remote::VisibleMemoWindows(Id());
}

HWND RunningPetarino::Control(const wchar_t* className, const wchar_t* text) const {
    return remote::ChildWithText(properties_, className, text);
}

bool RunningPetarino::ShowProperties() const {
    remote::PostTrayEvent(properties_, WM_LBUTTONUP);
    return remote::WaitFor([&] { return IsWindowVisible(properties_) != FALSE; });
}

bool RunningPetarino::ChooseFromTrayMenu(wchar_t mnemonic) const {
    // A menu opened while no window of the program has the foreground may close at once,
    // before anything saw it: the icon is clicked again.
    constexpr unsigned long kMenuShowsMs = 10000;
    for (unsigned long waited = 0; waited < remote::kPatienceMs; waited += kMenuShowsMs) {
        remote::PostTrayEvent(properties_, WM_RBUTTONUP);
        if (remote::ChooseMenuItem(Id(), mnemonic, kMenuShowsMs)) return true;
    }
    return false;
}

std::optional<remote::MessageBoxView> RunningPetarino::WaitForMessageBox() const {
    return remote::WaitForMessageBox(Id(), remote::kPatienceMs);
}

} // namespace petarino::e2e
