// The message loop of a modal form of our own class: every other window of the thread takes
// no input while it runs, messages (the clock's ticks among them) go on being dispatched.
#pragma once

#include <windows.h>

namespace petarino::forms {

// Shows the dialog with the focus on `focus` and runs until `result` is set; the program
// ending meanwhile leaves `cancel` and the quit for the loop that waits for it. `companion`,
// when given, is a window that takes input beside the dialog.
int RunModalLoop(HWND dialog, HWND focus, const int& result, int cancel, HWND companion = nullptr);

} // namespace petarino::forms
