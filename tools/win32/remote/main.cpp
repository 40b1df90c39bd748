// petarino-remote: drives a running Petarino from outside, for scripts/run.sh.
//   seed-demo    replace the store with the sample memos of a demonstration
//   wait-shown   wait until Petarino runs, has shown its memos and has settled
//   show-page N  open the properties window from the notification icon on its page N (0 the
//                first), as a user's arrow keys in the page control choose it
//   exit         end Petarino through its notification menu's "終了(&X)", confirming when
//                asked; an error it reports instead is printed and the exit code is 2
#include "deadline.h"
#include "demo_memos.h"
#include "memo_store.h"
#include "message_boxes.h"
#include "petarino_windows.h"
#include "process.h"
#include "tray.h"
#include "window_search.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace petarino::remote {
namespace {

constexpr int kFailed = 1;
constexpr int kRefused = 2;
constexpr int kUsage = 64;

// Messages reach a Unix terminal, which reads UTF-8.
void Say(const std::wstring& text) {
    const std::wstring line = text + L"\n";
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), utf8.data(), size,
                        nullptr, nullptr);
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

HWND RunningPropertiesWindow() {
    HWND window = WaitForPropertiesWindow(0, kPatienceMs);
    if (!window) Say(L"petarino-remote: Petarino does not run");
    return window;
}

int SeedDemo() {
    WriteStore(StoredSettings{}, DemoMemos());
    return 0;
}

// Shown means: started, idle, and the set of visible memos unchanged for a second, so the
// first tick has rewritten the macro memos and everything is painted.
int WaitShown() {
    HWND properties = RunningPropertiesWindow();
    if (!properties) return kFailed;
    const Process petarino = Process::Open(ProcessOf(properties));
    if (!petarino.WaitUntilIdle(kPatienceMs)) {
        Say(L"petarino-remote: Petarino did not settle");
        return kFailed;
    }
    std::vector<HWND> shown = VisibleMemoWindows(petarino.Id());
    ULONGLONG settledSince = GetTickCount64();
    const bool settled = WaitFor([&] {
        std::vector<HWND> now = VisibleMemoWindows(petarino.Id());
        if (now != shown) {
            shown = std::move(now);
            settledSince = GetTickCount64();
        }
        return GetTickCount64() - settledSince >= 1000;
    });
    return settled ? 0 : kFailed;
}

int ShowPage(int page) {
    HWND properties = RunningPropertiesWindow();
    if (!properties) return kFailed;
    PostTrayEvent(properties, WM_LBUTTONUP);
    if (!WaitFor([&] { return IsWindowVisible(properties) != FALSE; })) {
        Say(L"petarino-remote: the properties window did not open");
        return kFailed;
    }
    const std::vector<HWND> pageControls = ChildWindows(properties, L"SysTabControl32");
    if (pageControls.empty()) return kFailed;
    for (int step = 0; step < page; ++step)
        Send(pageControls.front(), WM_KEYDOWN, VK_RIGHT);
    // A pointer resting on a control would cover the page with its tooltip in a picture.
    SetCursorPos(0, 0);
    return 0;
}

int Exit() {
    HWND properties = RunningPropertiesWindow();
    if (!properties) return kFailed;
    const Process petarino = Process::Open(ProcessOf(properties));
    PostTrayEvent(properties, WM_RBUTTONUP);
    if (!ChooseMenuItem(petarino.Id(), L'x', kPatienceMs)) {
        Say(L"petarino-remote: the notification menu did not open");
        return kFailed;
    }
    for (;;) {
        std::optional<MessageBoxView> box;
        const bool seen = WaitFor([&] {
            if (!petarino.Running()) return true;
            box = WaitForMessageBox(petarino.Id(), 0);
            return box.has_value();
        });
        if (!petarino.Running()) return 0;
        if (!seen) {
            Say(L"petarino-remote: Petarino did not end");
            return kFailed;
        }
        if (box->caption == L"確認") {
            Answer(*box, IDYES);
            continue;
        }
        Say(box->caption + L": " + box->text);
        Answer(*box, IDOK);
        return kRefused;
    }
}

} // namespace
} // namespace petarino::remote

int wmain(int argc, wchar_t** argv) {
    using namespace petarino::remote;
    const std::wstring command = argc >= 2 ? argv[1] : L"";
    if (command == L"show-page" && argc == 3) return ShowPage(_wtoi(argv[2]));
    const bool alone = argc == 2;
    if (alone && command == L"seed-demo") return SeedDemo();
    if (alone && command == L"wait-shown") return WaitShown();
    if (alone && command == L"exit") return Exit();
    Say(L"usage: petarino-remote seed-demo | wait-shown | show-page N | exit");
    return kUsage;
}
