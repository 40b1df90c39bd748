// Hotkey settings in plain fields, starting as the controls do: none.
#pragma once

#include "memos/hotkey_settings.h"

#include <array>

namespace petarino {

class InMemoryHotkeySettings final : public HotkeySettings {
public:
    uint16_t Key(GlobalHotkey which) const override { return keys_[Index(which)]; }
    void SetKey(GlobalHotkey which, uint16_t key) override { keys_[Index(which)] = key; }

private:
    static std::size_t Index(GlobalHotkey which) { return static_cast<std::size_t>(which); }
    std::array<uint16_t, kGlobalHotkeyCount> keys_{};
};

} // namespace petarino
