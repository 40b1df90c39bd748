#include "memos/global_hotkeys.h"
#include "platform/fake/fake_window_system.h"
#include "testing/in_memory_hotkey_settings.h"

#include <gtest/gtest.h>

namespace petarino {
namespace {

// The control's value: key in the low byte, its shift 1, control 2, alt 4 in the next.
TEST(GlobalHotkeys, TheControlsValueAsTheSystemAndTheUserSeeIt) {
    constexpr uint32_t kNoRepeat = 0x4000;
    struct Row {
        uint16_t value;
        uint32_t modifiers; // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4
        const char* text;
    };
    const Row rows[] = {
        {0x064E, 0x3, "Ctrl+Alt+N"},        {0x0146, 0x4, "Shift+F"},    {0x0431, 0x1, "Alt+1"},
        {0x0770, 0x7, "Shift+Ctrl+Alt+F1"}, {0x022E, 0x2, "Ctrl+Del"},   {0x0020, 0x0, "0x20"},
        {0x02BC, 0x2, "Ctrl+0xBC"},         {0x0E5A, 0x3, "Ctrl+Alt+Z"}, // extended-key flag
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(HotkeyModifiers(row.value), row.modifiers | kNoRepeat);
        EXPECT_EQ(HotkeyText(row.value), row.text);
    }
}

// Registered as set, replaced when changed, a key held elsewhere refused with its name and
// taken out of the setting, the other key kept; none left at exit.
TEST(GlobalHotkeys, HoldsTheSetKeysAndGivesUpOnesTakenElsewhere) {
    InMemoryHotkeySettings settings;
    platform::FakeWindowSystem windows;
    GlobalHotkeys hotkeys(settings, windows);
    using Hotkey = platform::FakeWindowSystem::Hotkey;
    const int newMemo = GlobalHotkeys::Id(GlobalHotkey::NewMemo);
    const int front = GlobalHotkeys::Id(GlobalHotkey::Front);

    settings.SetKey(GlobalHotkey::NewMemo, 0x064E);
    settings.SetKey(GlobalHotkey::Front, 0x0646);
    windows.HoldElsewhere({0x4003, 'F'});
    try {
        hotkeys.RegisterAll();
        ADD_FAILURE() << "no refusal";
    } catch (const EHotkeyTaken& error) {
        EXPECT_STREQ(error.what(),
                     "ホットキー Ctrl+Alt+F は他のプログラムが使用しているため登録できません");
    }
    EXPECT_EQ(settings.Key(GlobalHotkey::Front), 0) << "the control shows none";
    EXPECT_EQ(settings.Key(GlobalHotkey::NewMemo), 0x064E);
    EXPECT_EQ(windows.Registered(), (std::map<int, Hotkey>{{newMemo, {0x4003, 'N'}}}));

    settings.SetKey(GlobalHotkey::NewMemo, 0x0141);
    hotkeys.Register(GlobalHotkey::NewMemo);
    EXPECT_EQ(windows.Registered(), (std::map<int, Hotkey>{{newMemo, {0x4004, 'A'}}}));
    settings.SetKey(GlobalHotkey::Front, 0x0141);
    EXPECT_THROW(hotkeys.Register(GlobalHotkey::Front), EHotkeyTaken) << "one key cannot do both";
    settings.SetKey(GlobalHotkey::NewMemo, 0);
    hotkeys.Register(GlobalHotkey::NewMemo);
    EXPECT_TRUE(windows.Registered().empty());

    settings.SetKey(GlobalHotkey::Front, 0x0242);
    hotkeys.Register(GlobalHotkey::Front);
    EXPECT_EQ(windows.Registered(), (std::map<int, Hotkey>{{front, {0x4002, 'B'}}}));
    hotkeys.UnregisterAll();
    EXPECT_TRUE(windows.Registered().empty());
}

} // namespace
} // namespace petarino
