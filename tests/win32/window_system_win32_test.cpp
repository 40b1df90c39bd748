#include "platform/win32/window_system_win32.h"

#include <windows.h>
#include <algorithm>
#include <gtest/gtest.h>

namespace petarino::win32 {
namespace {

TEST(WindowSystemWin32, OneWorkAreaPerMonitorThePrimaryOneAmongThem) {
    const auto workAreas = Win32WindowSystem().MonitorWorkAreas();
    EXPECT_EQ(workAreas.size(), static_cast<size_t>(GetSystemMetrics(SM_CMONITORS)));
    RECT primary{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0));
    const platform::WorkArea primaryArea{primary.left, primary.top, primary.right, primary.bottom};
    EXPECT_EQ(std::ranges::count(workAreas, primaryArea), 1);
    for (const auto& area : workAreas) {
        EXPECT_LT(area.left, area.right);
        EXPECT_LT(area.top, area.bottom);
    }
}

} // namespace
} // namespace petarino::win32
