// The program's global hotkeys: registered with the system as the settings hold them, and
// what the hotkey control's value means to the system and to the user.
#pragma once

#include "memos/hotkey_settings.h"
#include "platform/window_system.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace petarino {

// The system's modifier flags of a hotkey control's value: the control's shift, control
// and alt swapped into the system's order, and no auto-repeat, so a held key makes one memo.
uint32_t HotkeyModifiers(uint16_t controlValue);
// "Ctrl+Alt+N", as the control shows it.
std::string HotkeyText(uint16_t controlValue);
// A key with Ctrl or Alt. A key alone, or with Shift alone, would be taken from every program
// as the user types: it is no global hotkey, and counts as none.
bool IsGlobalHotkey(uint16_t controlValue);

// Another program holds the key.
class EHotkeyTaken : public std::runtime_error {
public:
    explicit EHotkeyTaken(const std::string& keyText)
        : std::runtime_error("ホットキー " + keyText +
                             " は他のプログラムが使用しているため登録できません") {}
};

class GlobalHotkeys {
public:
    GlobalHotkeys(HotkeySettings& settings, platform::WindowSystem& windows)
        : settings_(settings), windows_(windows) {}

    // The key the setting now holds replaces the one registered for it. A key that is no
    // global hotkey is taken out of the setting. A key another program holds stays in the
    // setting, the user's choice, and counts as taken until a later try gets it.
    void Register(GlobalHotkey which);
    // The key the user has just put in the setting's box. One another of our keys holds is
    // refused: the setting is emptied, and the result says which row holds it ("このキーは
    // 「新規メモ」で使われています"), since the system would only say the key is taken.
    std::optional<std::string> Choose(GlobalHotkey which);
    // Every key, as the store has just set them; throws EHotkeyTaken naming the first one
    // taken, once all were tried.
    void RegisterAll();
    // The taken keys tried again, quietly: the user heard of them at the start.
    void RetryTaken();
    bool Taken(GlobalHotkey which) const { return taken_[Index(which)]; }
    void UnregisterAll();

    // The id the system sends with the key's presses.
    static int Id(GlobalHotkey which) { return static_cast<int>(which) + 1; }

private:
    static std::size_t Index(GlobalHotkey which) { return static_cast<std::size_t>(which); }

    HotkeySettings& settings_;
    platform::WindowSystem& windows_;
    std::array<bool, kGlobalHotkeyCount> taken_{};
};

} // namespace petarino
