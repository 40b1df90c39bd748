#include "memos/memo_menu.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace petarino {
namespace {

constexpr uint8_t kDelete = 0x2E;
constexpr uint8_t kF4 = 0x73;

std::string NameOf(const MemoMenuItem* item) {
    return item ? std::string(item->name) : "(none)";
}

TEST(MemoMenu, KeysFindTheirItems) {
    struct Case {
        uint8_t key;
        bool shift, ctrl, alt;
        uint16_t value;
        const char* item;
    };
    const Case cases[] = {
        {'Z', false, true, false, 16474, "Undo1"},
        {'X', false, true, false, 16472, "Cut1"},
        {'C', false, true, false, 16451, "Copy1"},
        {'P', false, true, false, 16464, "Paste"},
        {kDelete, false, true, false, 16430, "Delete1"},
        {'A', false, true, false, 16449, "SelectAll1"},
        {kF4, false, true, false, 16499, "pDestroy"},
        {'M', false, true, false, 16461, "pText"},
        {kF4, false, false, true, 32883, "Exit1"},
    };
    for (const Case& c : cases) {
        const uint16_t value = ShortcutValue(c.key, c.shift, c.ctrl, c.alt);
        EXPECT_EQ(value, c.value) << c.item;
        EXPECT_EQ(NameOf(ItemForShortcut(value)), c.item);
    }
}

TEST(MemoMenu, OtherKeysAreNoShortcuts) {
    EXPECT_EQ(ItemForShortcut(ShortcutValue('V', false, true, false)), nullptr)
        << "Ctrl+V is the text area's own paste";
    EXPECT_EQ(ItemForShortcut(ShortcutValue('C', true, true, false)), nullptr);
    EXPECT_EQ(ItemForShortcut(ShortcutValue('Z', false, false, false)), nullptr);
    EXPECT_EQ(ItemForShortcut(ShortcutValue(kF4, false, false, false)), nullptr);
    EXPECT_EQ(ItemForShortcut(ShortcutValue(kF4, false, true, true)), nullptr);
    EXPECT_EQ(ItemForShortcut(0), nullptr) << "items without a shortcut";
}

TEST(MemoMenu, ShortcutsAreWrittenAsMenusShowThem) {
    EXPECT_EQ(ShortcutText(16474), "Ctrl+Z");
    EXPECT_EQ(ShortcutText(16430), "Ctrl+Del");
    EXPECT_EQ(ShortcutText(16499), "Ctrl+F4");
    EXPECT_EQ(ShortcutText(32883), "Alt+F4");
    EXPECT_EQ(ShortcutText(ShortcutValue('7', true, true, true)), "Shift+Ctrl+Alt+7");
    EXPECT_EQ(ShortcutText(ShortcutValue(0x87, false, false, false)), "F24");
    EXPECT_EQ(ShortcutText(0), "");
}

TEST(MemoMenu, EditCommandsNeedSomethingToActOn) {
    const TextAreaState empty{}, selected{.hasSelection = true}, undoable{.canUndo = true};
    EXPECT_FALSE(IsEnabled(MemoCommand::Undo, empty));
    EXPECT_FALSE(IsEnabled(MemoCommand::Undo, selected));
    EXPECT_TRUE(IsEnabled(MemoCommand::Undo, undoable));
    for (const MemoCommand command : {MemoCommand::Cut, MemoCommand::Copy, MemoCommand::Delete}) {
        EXPECT_FALSE(IsEnabled(command, empty));
        EXPECT_FALSE(IsEnabled(command, undoable));
        EXPECT_TRUE(IsEnabled(command, selected));
    }
    for (const MemoCommand command :
         {MemoCommand::Paste, MemoCommand::SelectAll, MemoCommand::Destroy, MemoCommand::StatusPage,
          MemoCommand::Properties, MemoCommand::Exit, MemoCommand::StayOnTop, MemoCommand::Alarm})
        EXPECT_TRUE(IsEnabled(command, empty));
    // A macro memo's text is the macro's to write.
    EXPECT_TRUE(IsEnabled(MemoCommand::Checkbox, empty));
    EXPECT_FALSE(IsEnabled(MemoCommand::Checkbox, {.readOnly = true}));
}

// Edit1 holds the ten items after it, pOpacity the six after it, and Exit1 is only a
// shortcut.
TEST(MemoMenu, TheMenuShowsAsTheUserSeesIt) {
    std::vector<std::string> menu, edit, opacity, hidden;
    for (const MemoMenuItem& item : kMemoMenu) {
        std::vector<std::string>& place = item.place == MenuPlace::Menu             ? menu
                                          : item.place == MenuPlace::EditSubmenu    ? edit
                                          : item.place == MenuPlace::OpacitySubmenu ? opacity
                                                                                    : hidden;
        place.emplace_back(item.caption);
    }
    EXPECT_EQ(menu, (std::vector<std::string>{"編集(&E)", "-", "表示/非表示の変更(&S)",
                                              "常に手前に表示(&T)", "透明度(&O)", "アラーム(&A)...",
                                              "-", "ﾌﾟﾛﾊﾟﾃｨ(&R)..."}));
    EXPECT_EQ(edit, (std::vector<std::string>{"元に戻す(&U)", "-", "切り取り(&T)", "コピー(&C)",
                                              "貼り付け(&P)", "削除(&D)", "すべて選択(&L)",
                                              "チェックボックス(&K)", "-", "メモの破棄(&D)..."}));
    EXPECT_EQ(opacity, (std::vector<std::string>{"100 %", "90 %", "80 %", "70 %", "60 %", "50 %"}));
    EXPECT_EQ(hidden, (std::vector<std::string>{"終了"}));
    std::vector<std::string> submenus;
    for (const MemoMenuItem& item : kMemoMenu) {
        if (item.HoldsSubmenu()) submenus.emplace_back(item.name);
        EXPECT_EQ(item.IsCheckItem(), item.name == std::string_view("pStayOnTop")) << item.name;
        EXPECT_EQ(item.IsRadioItem(), item.place == MenuPlace::OpacitySubmenu) << item.name;
    }
    EXPECT_EQ(submenus, (std::vector<std::string>{"Edit1", "pOpacity"}));
    EXPECT_TRUE(kMemoMenu[2].IsSeparator());
}

// Each item of pOpacity chooses its caption's percent; no other command chooses any.
TEST(MemoMenu, TheOpacityItemsChooseTheirPercent) {
    std::vector<int32_t> chosen;
    for (const MemoMenuItem& item : kMemoMenu) {
        const auto percent = item.command ? OpacityOf(*item.command) : std::nullopt;
        EXPECT_EQ(percent.has_value(), item.IsRadioItem()) << item.name;
        if (!percent) continue;
        EXPECT_EQ(std::to_string(*percent) + " %", item.caption);
        EXPECT_TRUE(IsEnabled(*item.command, TextAreaState{})) << item.name;
        chosen.push_back(*percent);
    }
    EXPECT_EQ(chosen, (std::vector<int32_t>{100, 90, 80, 70, 60, 50}));
}

} // namespace
} // namespace petarino
