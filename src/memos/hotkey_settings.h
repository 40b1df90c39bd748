// The program's global hotkeys, which live in the hotkey controls of the properties window:
// each the control's value, the virtual-key code in the low byte and the control's modifier
// flags in the next; 0 for none.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace petarino {

enum class GlobalHotkey : uint8_t { NewMemo, Front, Search };
inline constexpr GlobalHotkey kGlobalHotkeys[] = {GlobalHotkey::NewMemo, GlobalHotkey::Front,
                                                  GlobalHotkey::Search};
inline constexpr std::size_t kGlobalHotkeyCount = std::size(kGlobalHotkeys);

class HotkeySettings {
public:
    virtual ~HotkeySettings() = default;

    virtual uint16_t Key(GlobalHotkey which) const = 0;
    virtual void SetKey(GlobalHotkey which, uint16_t key) = 0;
};

} // namespace petarino
