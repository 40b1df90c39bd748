// The single-instance guard. A running copy is one whose properties window exists, or one
// that holds the instance mutex: the window alone leaves a gap between the search and the
// window's creation in which two copies started together would both run.
#pragma once

#include "platform/win32/unique_handle.h"
#include "platform/window_system.h"

#include <windows.h>

namespace petarino::app {

using UniqueMutex = win32::UniqueHandle<HANDLE, CloseHandle>;

// The mutex for the life of the process, once this start may go on; nothing when the user
// let it end (the message was shown and Shift was not held as it was answered).
struct GuardResult {
    bool run = true;
    UniqueMutex mutex;
};

GuardResult GuardSingleInstance(platform::WindowSystem& windows);

} // namespace petarino::app
