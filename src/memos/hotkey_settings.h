// The program's global hotkeys, which live in the hotkey controls of the properties window:
// each the control's value, the virtual-key code in the low byte and the control's modifier
// flags in the next; 0 for none.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace petarino {

enum class GlobalHotkey : uint8_t { NewMemo, Front, Search };
inline constexpr GlobalHotkey kGlobalHotkeys[] = {GlobalHotkey::NewMemo, GlobalHotkey::Front,
                                                  GlobalHotkey::Search};
inline constexpr std::size_t kGlobalHotkeyCount = std::size(kGlobalHotkeys);

// The label of each key's row on the page "拡張", in the order of kGlobalHotkeys.
inline constexpr std::array<std::string_view, kGlobalHotkeyCount> kGlobalHotkeyLabels{
    "新規メモ", "メモを前面へ", "メモを検索"};

class HotkeySettings {
public:
    virtual ~HotkeySettings() = default;

    virtual uint16_t Key(GlobalHotkey which) const = 0;
    virtual void SetKey(GlobalHotkey which, uint16_t key) = 0;
};

} // namespace petarino
