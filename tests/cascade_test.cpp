#include "memos/cascade.h"

#include <gtest/gtest.h>

namespace petarino {
namespace {

TEST(Cascade, EachNewWindowGoesOneStepFurtherAndStartsAgainBeforeLeaving) {
    const WorkArea work{0, 0, 1280, 984};
    // 984 - 101 leaves room for 883 / 26 = 33 positions, the first one step in.
    EXPECT_EQ(CascadePosition(0, work, 326, 101, 26), (ScreenPoint{26, 26}));
    EXPECT_EQ(CascadePosition(1, work, 326, 101, 26), (ScreenPoint{52, 52}));
    EXPECT_EQ(CascadePosition(32, work, 326, 101, 26), (ScreenPoint{858, 858}));
    EXPECT_EQ(CascadePosition(33, work, 326, 101, 26), (ScreenPoint{26, 26}));
    for (int64_t n = 0; n < 200; ++n) {
        const ScreenPoint p = CascadePosition(n, work, 326, 101, 26);
        EXPECT_LE(p.y + 101, work.bottom) << n;
        EXPECT_LE(p.x + 326, work.right) << n;
    }
}

TEST(Cascade, FollowsTheWorkAreaAndSurvivesOneThatIsTooSmall) {
    EXPECT_EQ(CascadePosition(0, {-1920, 40, 0, 1080}, 326, 101, 26), (ScreenPoint{-1894, 66}));
    EXPECT_EQ(CascadePosition(5, {0, 0, 100, 100}, 326, 101, 26), (ScreenPoint{26, 26}));
    EXPECT_EQ(CascadePosition(5, {0, 0, 1280, 984}, 326, 101, 0), (ScreenPoint{6, 6}));
}

} // namespace
} // namespace petarino
