// The memo window's menu pMenu as a table: its items in order with caption, shortcut and
// command, which items are enabled, and which item a key runs.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace petarino {

// Numbered from 1, so a command is also its menu item's identifier.
enum class MemoCommand : uint16_t {
    Undo = 1,
    Cut,
    Copy,
    Paste,
    Delete,
    SelectAll,
    Destroy,
    StatusPage,
    Properties,
    Exit,
    StayOnTop,
    Alarm,
    // The opacities, from opaque down.
    Opacity100,
    Opacity90,
    Opacity80,
    Opacity70,
    Opacity60,
    Opacity50,
    // Boxes the selected lines as a checklist, or takes their boxes away.
    Checkbox,
};
inline constexpr MemoCommand kLastMemoCommand = MemoCommand::Checkbox;

enum class MenuPlace : uint8_t {
    Menu,           // the menu itself
    EditSubmenu,    // inside Edit1
    OpacitySubmenu, // inside pOpacity
    Hidden,         // never shown; only its shortcut runs it
};

struct MemoMenuItem {
    std::string_view name;
    std::string_view caption; // "-" for a separator
    // None for a separator and for an item that holds a submenu.
    std::optional<MemoCommand> command;
    uint16_t shortcut = 0; // 0: none
    MenuPlace place = MenuPlace::Menu;

    bool IsSeparator() const { return caption == "-"; }
    // Shown with a check mark while the memo has the state.
    bool IsCheckItem() const { return command == MemoCommand::StayOnTop; }
    // One of a group, the memo's own marked as chosen.
    bool IsRadioItem() const { return place == MenuPlace::OpacitySubmenu; }
    bool HoldsSubmenu() const { return !command && !IsSeparator(); }
};

// Shortcut values: the virtual-key code in the low byte, plus these.
inline constexpr uint16_t kShortcutShift = 0x2000;
inline constexpr uint16_t kShortcutCtrl = 0x4000;
inline constexpr uint16_t kShortcutAlt = 0x8000;

inline constexpr std::array<MemoMenuItem, 25> kMemoMenu{{
    {"Edit1", "編集(&E)", {}, 0, MenuPlace::Menu},
    {"Undo1", "元に戻す(&U)", MemoCommand::Undo, 16474, MenuPlace::EditSubmenu},
    {"N2", "-", {}, 0, MenuPlace::EditSubmenu},
    {"Cut1", "切り取り(&T)", MemoCommand::Cut, 16472, MenuPlace::EditSubmenu},
    {"Copy1", "コピー(&C)", MemoCommand::Copy, 16451, MenuPlace::EditSubmenu},
    // Ctrl+P: Ctrl+V stays the text area's own paste.
    {"Paste", "貼り付け(&P)", MemoCommand::Paste, 16464, MenuPlace::EditSubmenu},
    {"Delete1", "削除(&D)", MemoCommand::Delete, 16430, MenuPlace::EditSubmenu},
    {"SelectAll1", "すべて選択(&L)", MemoCommand::SelectAll, 16449, MenuPlace::EditSubmenu},
    {"pCheckbox", "チェックボックス(&K)", MemoCommand::Checkbox, 0, MenuPlace::EditSubmenu},
    {"N1", "-", {}, 0, MenuPlace::EditSubmenu},
    {"pDestroy", "メモの破棄(&D)...", MemoCommand::Destroy, 16499, MenuPlace::EditSubmenu},
    {"N5", "-", {}, 0, MenuPlace::Menu},
    {"KS1", "表示/非表示の変更(&S)", MemoCommand::StatusPage, 0, MenuPlace::Menu},
    {"pStayOnTop", "常に手前に表示(&T)", MemoCommand::StayOnTop, 0, MenuPlace::Menu},
    {"pOpacity", "透明度(&O)", {}, 0, MenuPlace::Menu},
    {"pOpacity100", "100 %", MemoCommand::Opacity100, 0, MenuPlace::OpacitySubmenu},
    {"pOpacity90", "90 %", MemoCommand::Opacity90, 0, MenuPlace::OpacitySubmenu},
    {"pOpacity80", "80 %", MemoCommand::Opacity80, 0, MenuPlace::OpacitySubmenu},
    {"pOpacity70", "70 %", MemoCommand::Opacity70, 0, MenuPlace::OpacitySubmenu},
    {"pOpacity60", "60 %", MemoCommand::Opacity60, 0, MenuPlace::OpacitySubmenu},
    {"pOpacity50", "50 %", MemoCommand::Opacity50, 0, MenuPlace::OpacitySubmenu},
    {"pAlarm", "アラーム(&A)...", MemoCommand::Alarm, 0, MenuPlace::Menu},
    {"N3", "-", {}, 0, MenuPlace::Menu},
    {"pText", "ﾌﾟﾛﾊﾟﾃｨ(&R)...", MemoCommand::Properties, 16461, MenuPlace::Menu},
    {"Exit1", "終了", MemoCommand::Exit, 32883, MenuPlace::Hidden},
}};

// What the enabled states depend on, read from the text area.
struct TextAreaState {
    bool canUndo = false;
    bool hasSelection = false;
    bool readOnly = false;  // a macro memo's text
    bool stayOnTop = false; // the memo's, for the check mark
    int32_t opacity = 100;  // the memo's, for the radio mark
};

// Undo when the text area can undo; cut, copy and delete when something is selected; the
// checklist's boxes where the user writes the text; the rest always.
bool IsEnabled(MemoCommand command, const TextAreaState& state);

// The opacity in percent an item of pOpacity chooses; nullopt for every other command.
std::optional<int32_t> OpacityOf(MemoCommand command);

uint16_t ShortcutValue(uint8_t virtualKey, bool shift, bool ctrl, bool alt);
// The item a key runs, shown or not; null for a key that is no shortcut.
const MemoMenuItem* ItemForShortcut(uint16_t shortcut);
// As a menu shows it beside the caption: "Ctrl+Z", "Ctrl+Del", "Alt+F4".
std::string ShortcutText(uint16_t shortcut);

} // namespace petarino
