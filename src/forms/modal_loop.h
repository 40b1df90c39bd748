// The modal run of a form of our own class: every other window of the thread takes no input
// while it runs, messages (the clock's ticks among them) go on being dispatched.
#pragma once

#include <windows.h>

namespace petarino::forms {

class ModalRun {
public:
    bool Running() const { return running_; }
    // OK, Cancel, Esc and the close box: the run ends with the result.
    void End(int result) { result_ = result; }
    // Centred the first time, shown with the focus on `focus` until End; then hidden and the
    // window active before is active again. The program ending meanwhile ends it with
    // `cancel` and leaves the quit for the loop that waits for it. `companion`, when given,
    // takes input beside the dialog.
    int Run(HWND dialog, HWND focus, int cancel, HWND companion = nullptr);

private:
    int Loop(HWND dialog, HWND focus, int cancel, HWND companion);

    bool running_ = false;
    int result_ = 0;
    bool shownBefore_ = false;
};

} // namespace petarino::forms
