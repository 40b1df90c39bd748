#include "memos/work_area_clamp.h"

#include <gtest/gtest.h>

namespace petarino {
namespace {

constexpr WorkArea kWork{0, 0, 1280, 984};

TEST(WorkAreaClamp, AWindowInsideStaysWhereItIs) {
    for (const Bounds inside : {Bounds{0, 0, 300, 100}, Bounds{980, 884, 300, 100},
                                Bounds{0, 0, 1280, 984}, Bounds{500, 400, 0, 0}})
        EXPECT_EQ(ClampIntoWorkArea(inside, kWork), inside);
}

TEST(WorkAreaClamp, EachEdgeComesBackInsideKeepingTheSize) {
    EXPECT_EQ(ClampIntoWorkArea({-50, 900, 300, 100}, kWork), (Bounds{0, 884, 300, 100}))
        << "partly off the left and the bottom";
    EXPECT_EQ(ClampIntoWorkArea({1200, -30, 300, 100}, kWork), (Bounds{980, 0, 300, 100}))
        << "partly off the right and the top";
    EXPECT_EQ(ClampIntoWorkArea({-5000, -5000, 300, 100}, kWork), (Bounds{0, 0, 300, 100}));
    EXPECT_EQ(ClampIntoWorkArea({5000, 5000, 300, 100}, kWork), (Bounds{980, 884, 300, 100}));
}

TEST(WorkAreaClamp, ALargerWindowGetsOneEdgeInsidePerCallLeftAndTopFirst) {
    const Bounds wide{-20, -10, 1400, 1000};
    const Bounds first = ClampIntoWorkArea(wide, kWork);
    EXPECT_EQ(first, (Bounds{0, 0, 1400, 1000})) << "left and top edges first";
    const Bounds second = ClampIntoWorkArea(first, kWork);
    EXPECT_EQ(second, (Bounds{-120, -16, 1400, 1000})) << "then the right and bottom edges";
    EXPECT_EQ(ClampIntoWorkArea(second, kWork), first) << "and back, a call at a time";
    EXPECT_TRUE(InsideWorkArea(first, kWork));
    EXPECT_TRUE(InsideWorkArea(second, kWork));
}

// Inside is where the clamp leaves a window or puts it, on each axis; wherever a window is,
// the clamp takes it inside.
TEST(WorkAreaClamp, InsideIsWhereTheClampPutsAWindow) {
    const struct {
        Bounds window;
        bool inside;
    } rows[] = {
        {{0, 0, 300, 100}, true},        {{980, 884, 300, 100}, true},
        {{-1, 0, 300, 100}, false},      {{981, 0, 300, 100}, false},
        {{0, 885, 300, 100}, false},     {{0, 0, 1400, 100}, true},    // wider: left edge on left
        {{-120, 0, 1400, 100}, true},    {{-50, 0, 1400, 100}, false}, // right on right; neither
        {{10, 0, 1400, 100}, false},     {{0, -16, 300, 1000}, true},  // taller: bottom on bottom
        {{0, -8, 300, 1000}, false},     {{-120, -16, 1400, 1000}, true},
        {{INT32_MIN, 0, 10, 10}, false}, {{1280 - INT32_MAX, 0, INT32_MAX, 10}, true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(InsideWorkArea(row.window, kWork), row.inside)
            << row.window.left << ", " << row.window.top << ", " << row.window.width;
        EXPECT_TRUE(InsideWorkArea(ClampIntoWorkArea(row.window, kWork), kWork));
    }
}

TEST(WorkAreaClamp, AMonitorAwayFromTheOriginIsItsOwnWorkArea) {
    // A second monitor left of the primary one, its taskbar on top.
    const WorkArea left{-1920, 40, 0, 1080};
    EXPECT_EQ(ClampIntoWorkArea({-1900, 100, 300, 100}, left), (Bounds{-1900, 100, 300, 100}));
    EXPECT_EQ(ClampIntoWorkArea({-100, 0, 300, 100}, left), (Bounds{-300, 40, 300, 100}));
}

TEST(WorkAreaClamp, ExtremeStoredBoundsDoNotOverflow) {
    EXPECT_EQ(ClampIntoWorkArea({INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}, kWork),
              (Bounds{1280 - INT32_MAX, 984 - INT32_MAX, INT32_MAX, INT32_MAX}));
    EXPECT_EQ(ClampIntoWorkArea({INT32_MIN, INT32_MIN, 10, 10}, kWork), (Bounds{0, 0, 10, 10}));
}

} // namespace
} // namespace petarino
