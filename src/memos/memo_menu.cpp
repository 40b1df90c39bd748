#include "memos/memo_menu.h"

namespace petarino {
namespace {

constexpr uint8_t kKeyDelete = 0x2E;
constexpr uint8_t kKeyF1 = 0x70;
constexpr uint8_t kKeyF24 = 0x87;

std::string KeyName(uint8_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
    // Appended, not "F" + ...: GCC 12 warns falsely about the concatenation.
    if (key >= kKeyF1 && key <= kKeyF24)
        return std::string("F").append(std::to_string(key - kKeyF1 + 1));
    if (key == kKeyDelete) return "Del";
    return {};
}

} // namespace

bool IsEnabled(MemoCommand command, const TextAreaState& state) {
    switch (command) {
    case MemoCommand::Undo: return state.canUndo;
    case MemoCommand::Cut:
    case MemoCommand::Copy:
    case MemoCommand::Delete: return state.hasSelection;
    case MemoCommand::Checkbox: return !state.readOnly;
    default: return true;
    }
}

std::optional<int32_t> OpacityOf(MemoCommand command) {
    if (command < MemoCommand::Opacity100 || command > MemoCommand::Opacity50) return std::nullopt;
    return 100 -
           10 * (static_cast<int32_t>(command) - static_cast<int32_t>(MemoCommand::Opacity100));
}

uint16_t ShortcutValue(uint8_t virtualKey, bool shift, bool ctrl, bool alt) {
    return static_cast<uint16_t>(virtualKey | (shift ? kShortcutShift : 0) |
                                 (ctrl ? kShortcutCtrl : 0) | (alt ? kShortcutAlt : 0));
}

const MemoMenuItem* ItemForShortcut(uint16_t shortcut) {
    if (shortcut == 0) return nullptr;
    for (const MemoMenuItem& item : kMemoMenu)
        if (item.shortcut == shortcut) return &item;
    return nullptr;
}

std::string ShortcutText(uint16_t shortcut) {
    std::string key = KeyName(static_cast<uint8_t>(shortcut & 0xFF));
    if (key.empty()) return {};
    std::string text;
    if (shortcut & kShortcutShift) text += "Shift+";
    if (shortcut & kShortcutCtrl) text += "Ctrl+";
    if (shortcut & kShortcutAlt) text += "Alt+";
    return text + key;
}

} // namespace petarino
