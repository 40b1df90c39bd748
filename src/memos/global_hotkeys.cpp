#include "memos/global_hotkeys.h"

#include "memos/memo_menu.h"

#include <cstdio>

namespace petarino {
namespace {

// The hotkey control's flags, in the byte above the key.
constexpr uint16_t kControlShift = 0x01 << 8;
constexpr uint16_t kControlCtrl = 0x02 << 8;
constexpr uint16_t kControlAlt = 0x04 << 8;

constexpr uint32_t kModAlt = 0x0001;
constexpr uint32_t kModControl = 0x0002;
constexpr uint32_t kModShift = 0x0004;
constexpr uint32_t kModNoRepeat = 0x4000;

uint8_t KeyOf(uint16_t controlValue) {
    return static_cast<uint8_t>(controlValue & 0xFF);
}

} // namespace

uint32_t HotkeyModifiers(uint16_t controlValue) {
    return (controlValue & kControlShift ? kModShift : 0) |
           (controlValue & kControlCtrl ? kModControl : 0) |
           (controlValue & kControlAlt ? kModAlt : 0) | kModNoRepeat;
}

std::string HotkeyText(uint16_t controlValue) {
    const uint16_t shortcut =
        ShortcutValue(KeyOf(controlValue), controlValue & kControlShift,
                      controlValue & kControlCtrl, controlValue & kControlAlt);
    std::string text = ShortcutText(shortcut);
    if (!text.empty()) return text;
    // A key without a name of its own is named by its code, after the same modifiers.
    std::string modifiers = ShortcutText(static_cast<uint16_t>((shortcut & 0xFF00) | 'A'));
    modifiers.pop_back();
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", KeyOf(controlValue));
    return modifiers + code;
}

bool IsGlobalHotkey(uint16_t controlValue) {
    return KeyOf(controlValue) != 0 && (controlValue & (kControlCtrl | kControlAlt)) != 0;
}

void GlobalHotkeys::Register(GlobalHotkey which) {
    const int id = Id(which);
    windows_.UnregisterHotkey(id);
    const uint16_t key = settings_.Key(which);
    taken_[Index(which)] = false;
    if (!IsGlobalHotkey(key)) {
        if (key != 0) settings_.SetKey(which, 0);
        return;
    }
    taken_[Index(which)] = !windows_.RegisterHotkey(id, HotkeyModifiers(key), KeyOf(key));
}

std::optional<std::string> GlobalHotkeys::Choose(GlobalHotkey which) {
    const uint16_t key = settings_.Key(which);
    for (const GlobalHotkey other : kGlobalHotkeys)
        if (other != which && IsGlobalHotkey(key) && settings_.Key(other) == key) {
            settings_.SetKey(which, 0);
            Register(which);
            return "このキーは「" + std::string(kGlobalHotkeyLabels[Index(other)]) +
                   "」で使われています";
        }
    Register(which);
    return std::nullopt;
}

void GlobalHotkeys::RegisterAll() {
    for (const GlobalHotkey which : kGlobalHotkeys)
        Register(which);
    for (const GlobalHotkey which : kGlobalHotkeys)
        if (Taken(which)) throw EHotkeyTaken(HotkeyText(settings_.Key(which)));
}

void GlobalHotkeys::RetryTaken() {
    for (const GlobalHotkey which : kGlobalHotkeys)
        if (Taken(which)) Register(which);
}

void GlobalHotkeys::UnregisterAll() {
    for (const GlobalHotkey which : kGlobalHotkeys)
        windows_.UnregisterHotkey(Id(which));
}

} // namespace petarino
