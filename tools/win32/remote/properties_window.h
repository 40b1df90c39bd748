// The properties window of a running Petarino, opened and read as a user opens and reads it.
#pragma once

#include <windows.h>

namespace petarino::remote {

inline constexpr int kSyncPage = 3;

// Opens the window from the notification icon and goes to the page (0 the first) with the
// arrow keys in the page control; false when the window did not open. Showing the window
// fills it anew.
bool OpenPage(HWND properties, int page);

// The controls of the page "同期", which exist once the window has been shown: its button
// "今すぐ同期" and the status line below the buttons. Nullptr before.
HWND SyncNowButton(HWND properties);
HWND SyncStatusLine(HWND properties);
// The search box of the page "メモの状態", once the window has been shown; nullptr before.
HWND SearchBox(HWND properties);

} // namespace petarino::remote
