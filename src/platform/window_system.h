// The window-system services the portable core needs. Texts are CP932 bytes.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace petarino::platform {

// Message-box styles and results, numbered as the Win32 values so the Win32 side passes
// them on. Not MB_OK and IDOK: those are macros wherever <windows.h> is included.
namespace MessageBoxStyle {
inline constexpr uint32_t Ok = 0x00;
inline constexpr uint32_t YesNo = 0x04;
inline constexpr uint32_t IconError = 0x10;
inline constexpr uint32_t IconQuestion = 0x20;
inline constexpr uint32_t IconInformation = 0x40;
} // namespace MessageBoxStyle

namespace DialogResult {
inline constexpr int Ok = 1;
inline constexpr int Cancel = 2;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace DialogResult

// By its edges, right and bottom excluded: a monitor's work area, the screen less the bars
// docked on it.
struct WorkArea {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    friend bool operator==(const WorkArea&, const WorkArea&) = default;
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // A modal message box owned by the application's window; returns the button pressed.
    // Not named MessageBox: <windows.h> turns that name into MessageBoxW.
    virtual int ShowMessageBox(std::string_view text, std::string_view caption, uint32_t style) = 0;
    // A message that names a memo by its title, which may hold any character: in UTF-16.
    virtual int ShowMessageBox(std::u16string_view text, std::string_view caption,
                               uint32_t style) = 0;
    // How long the pointer rests on a control before its tooltip appears; 500 ms until set.
    // Tooltips that exist take the new delay, and windows made later ask for it.
    virtual void SetTooltipDelay(int milliseconds) = 0;
    virtual int TooltipDelay() const = 0;
    // Whether the Shift key is down at this moment, whatever window has the focus.
    virtual bool ShiftHeldNow() = 0;
    // A key combination for the whole system, its presses sent to the application's window
    // under the id; false when another program holds it. Modifiers as the Win32 MOD_ flags.
    virtual bool RegisterHotkey(int id, uint32_t modifiers, uint8_t virtualKey) = 0;
    virtual void UnregisterHotkey(int id) = 0;
    // The system's notification sound.
    virtual void PlayNotificationSound() = 0;
    // One work area per monitor attached now, in no particular order.
    virtual std::vector<WorkArea> MonitorWorkAreas() const = 0;
};

} // namespace petarino::platform
