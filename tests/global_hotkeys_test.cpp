#include "memos/global_hotkeys.h"

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

} // namespace
} // namespace petarino
