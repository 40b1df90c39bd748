#include "macro/running_time_text.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace petarino {
namespace {

TEST(RunningTimeText, PadsMinutesAndSecondsToTwoPlacesWithBlanks) {
    EXPECT_EQ(RunningTimeText(0), "0時間 0分 0秒");
    EXPECT_EQ(RunningTimeText(7), "0時間 0分 7秒");
    EXPECT_EQ(RunningTimeText(59), "0時間 0分59秒");
    EXPECT_EQ(RunningTimeText(60), "0時間 1分 0秒");
    EXPECT_EQ(RunningTimeText(3599), "0時間59分59秒");
    EXPECT_EQ(RunningTimeText(3600), "1時間 0分 0秒");
    EXPECT_EQ(RunningTimeText(3725), "1時間 2分 5秒");
    EXPECT_EQ(RunningTimeText(3662), "1時間 1分 2秒");
}

TEST(RunningTimeText, LeavesHoursUnpadded) {
    EXPECT_EQ(RunningTimeText(36000), "10時間 0分 0秒");
    EXPECT_EQ(RunningTimeText(100000), "27時間46分40秒");
    EXPECT_EQ(RunningTimeText(int64_t{2147483647}), "596523時間14分 7秒");
    EXPECT_EQ(RunningTimeText(int64_t{1} << 40), "305419896時間36分16秒");
}

TEST(RunningTimeText, TruncatesEachPartOfANegativeNumberTowardZero) {
    EXPECT_EQ(RunningTimeText(-5), "0時間 0分-5秒");
    EXPECT_EQ(RunningTimeText(-72), "0時間-1分-12秒");
    EXPECT_EQ(RunningTimeText(-3725), "-1時間-2分-5秒");
    EXPECT_EQ(RunningTimeText(-3600), "-1時間 0分 0秒");
}

} // namespace
} // namespace petarino
