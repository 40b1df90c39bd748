#include "memos/global_hotkeys.h"
#include "platform/fake/fake_window_system.h"
#include "testing/in_memory_hotkey_settings.h"

#include <gtest/gtest.h>
#include <map>

namespace petarino {
namespace {

using Hotkey = platform::FakeWindowSystem::Hotkey;
using Registered = std::map<int, Hotkey>;
constexpr uint32_t kNoRepeat = 0x4000;
constexpr uint16_t kCtrlAltN = 0x064E;
constexpr uint16_t kCtrlAltF = 0x0646;

// The control's value: key in the low byte, its shift 1, control 2, alt 4 in the next.
TEST(GlobalHotkeys, TheControlsValueAsTheSystemAndTheUserSeeIt) {
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

// Only a key with Ctrl or Alt is taken from the other programs; any other value is none.
TEST(GlobalHotkeys, OnlyKeysWithCtrlOrAltAreRegistered) {
    struct Row {
        uint16_t value;
        Registered registered;
        uint16_t kept; // what the setting holds afterwards
    };
    const Row rows[] = {
        {kCtrlAltN, {{1, {0x4003, 'N'}}}, kCtrlAltN},
        {0x024E, {{1, {0x4002, 'N'}}}, 0x024E}, // Ctrl+N
        {0x044E, {{1, {0x4001, 'N'}}}, 0x044E}, // Alt+N
        {0x054E, {{1, {0x4005, 'N'}}}, 0x054E}, // Shift+Alt+N
        {0x0E5A, {{1, {0x4003, 'Z'}}}, 0x0E5A}, // with the extended-key flag
        {0x004E, {}, 0},                        // N alone
        {0x014E, {}, 0},                        // Shift+N
        {0x0870, {}, 0},                        // F1 with the extended-key flag alone
        {0x0600, {}, 0},                        // Ctrl+Alt without a key
        {0, {}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(IsGlobalHotkey(row.value), !row.registered.empty());
        InMemoryHotkeySettings settings;
        platform::FakeWindowSystem windows;
        GlobalHotkeys hotkeys(settings, windows);
        settings.SetKey(GlobalHotkey::NewMemo, kCtrlAltF);
        hotkeys.Register(GlobalHotkey::NewMemo);
        settings.SetKey(GlobalHotkey::NewMemo, row.value);
        hotkeys.Register(GlobalHotkey::NewMemo);
        EXPECT_EQ(windows.Registered(), row.registered) << "the key before is not let go";
        EXPECT_EQ(settings.Key(GlobalHotkey::NewMemo), row.kept);
        EXPECT_FALSE(hotkeys.Taken(GlobalHotkey::NewMemo));
    }
}

// A key another program holds stays the user's choice: named once at the start, tried again
// quietly, and the program's as soon as the other lets it go.
TEST(GlobalHotkeys, AKeyHeldElsewhereStaysChosenAndIsTakenOnceFree) {
    InMemoryHotkeySettings settings;
    platform::FakeWindowSystem windows;
    GlobalHotkeys hotkeys(settings, windows);
    settings.SetKey(GlobalHotkey::NewMemo, kCtrlAltN);
    settings.SetKey(GlobalHotkey::Front, kCtrlAltF);
    windows.HoldElsewhere({0x4003, 'F'});
    try {
        hotkeys.RegisterAll();
        ADD_FAILURE() << "no key named";
    } catch (const EHotkeyTaken& error) {
        EXPECT_STREQ(error.what(),
                     "ホットキー Ctrl+Alt+F は他のプログラムが使用しているため登録できません");
    }
    EXPECT_EQ(windows.Registered(), (Registered{{1, {0x4003, 'N'}}}));
    EXPECT_EQ(settings.Key(GlobalHotkey::Front), kCtrlAltF);
    EXPECT_TRUE(hotkeys.Taken(GlobalHotkey::Front));
    EXPECT_FALSE(hotkeys.Taken(GlobalHotkey::NewMemo));

    hotkeys.RetryTaken();
    EXPECT_TRUE(hotkeys.Taken(GlobalHotkey::Front));
    windows.ReleaseElsewhere({0x4003, 'F'});
    hotkeys.RetryTaken();
    EXPECT_FALSE(hotkeys.Taken(GlobalHotkey::Front));
    EXPECT_EQ(windows.Registered(), (Registered{{1, {0x4003, 'N'}}, {2, {0x4003, 'F'}}}));
}

// A key another of our rows holds is no other program's: the box that asks for it is emptied
// and told which row holds it, and the rows keep what they held.
TEST(GlobalHotkeys, AKeyAnotherRowHoldsIsRefusedInTheBoxThatAsksForIt) {
    constexpr uint16_t kCtrlAltS = 0x0653;
    struct Row {
        GlobalHotkey which;
        uint16_t chosen;
        const char* refusal; // nullptr: taken
        Registered registered;
    };
    const Registered before{{1, {0x4003, 'N'}}, {2, {0x4003, 'F'}}, {3, {0x4003, 'S'}}};
    const Row rows[] = {
        {GlobalHotkey::Search,
         kCtrlAltN,
         "このキーは「新規メモ」で使われています",
         {{1, {0x4003, 'N'}}, {2, {0x4003, 'F'}}}},
        {GlobalHotkey::NewMemo,
         kCtrlAltF,
         "このキーは「メモを前面へ」で使われています",
         {{2, {0x4003, 'F'}}, {3, {0x4003, 'S'}}}},
        {GlobalHotkey::Front,
         kCtrlAltS,
         "このキーは「メモを検索」で使われています",
         {{1, {0x4003, 'N'}}, {3, {0x4003, 'S'}}}},
        {GlobalHotkey::Search, kCtrlAltS, nullptr, before},
        {GlobalHotkey::Front,
         0x024E,
         nullptr, // Ctrl+N: another key than Ctrl+Alt+N
         {{1, {0x4003, 'N'}}, {2, {0x4002, 'N'}}, {3, {0x4003, 'S'}}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.chosen);
        InMemoryHotkeySettings settings;
        platform::FakeWindowSystem windows;
        GlobalHotkeys hotkeys(settings, windows);
        settings.SetKey(GlobalHotkey::NewMemo, kCtrlAltN);
        settings.SetKey(GlobalHotkey::Front, kCtrlAltF);
        settings.SetKey(GlobalHotkey::Search, kCtrlAltS);
        hotkeys.RegisterAll();
        ASSERT_EQ(windows.Registered(), before);

        settings.SetKey(row.which, row.chosen);
        const auto refusal = hotkeys.Choose(row.which);
        EXPECT_EQ(refusal, row.refusal ? std::optional<std::string>(row.refusal) : std::nullopt);
        EXPECT_EQ(settings.Key(row.which), row.refusal ? 0 : row.chosen);
        EXPECT_EQ(windows.Registered(), row.registered);
        EXPECT_FALSE(hotkeys.Taken(row.which)) << "blamed on another program";
    }
}

} // namespace
} // namespace petarino
