#include "session_end.h"

#include "window_search.h"

#include <vector>

namespace petarino::remote {
namespace {

// A program may ask its user before it answers: wait for a person, not for a hang.
constexpr UINT kAnswerTimeoutMs = 60000;

BOOL CALLBACK CollectOfProcess(HWND window, LPARAM context) {
    auto& found = *reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(context);
    if (ProcessOf(window) == found.first) found.second.push_back(window);
    return TRUE;
}

} // namespace

bool EndSession(DWORD processId) {
    std::pair<DWORD, std::vector<HWND>> windows{processId, {}};
    EnumWindows(CollectOfProcess, reinterpret_cast<LPARAM>(&windows));
    std::vector<HWND> asked;
    bool agreed = true;
    for (HWND window : windows.second) {
        if (!IsWindow(window)) continue;
        DWORD_PTR answer = 0;
        asked.push_back(window);
        if (!SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs,
                                 &answer) ||
            !answer) {
            agreed = false;
            break;
        }
    }
    for (HWND window : asked)
        SendMessageTimeoutW(window, WM_ENDSESSION, agreed, 0, SMTO_NORMAL, kAnswerTimeoutMs,
                            nullptr);
    return agreed;
}

} // namespace petarino::remote
