#include "deadline.h"

#include <windows.h>

namespace petarino::remote {

bool WaitFor(const std::function<bool()>& condition, unsigned long timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(20);
    }
}

} // namespace petarino::remote
