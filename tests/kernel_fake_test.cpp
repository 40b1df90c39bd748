#include "platform/fake/fake_kernel.h"
#include "platform/guid_text.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace petarino::platform {
namespace {

// A reading as text, every field in it, so a wrong one shows.
std::string Shown(const LocalTime& t) {
    return std::to_string(t.year) + '-' + std::to_string(t.month) + '-' + std::to_string(t.day) +
           " (" + std::to_string(t.dayOfWeek) + ") " + std::to_string(t.hour) + ':' +
           std::to_string(t.minute) + ':' + std::to_string(t.second) + '.' +
           std::to_string(t.milliseconds);
}

TEST(GuidText, SetsTheVersionAndVariantOverTheRandomBytes) {
    std::array<uint8_t, 16> ones;
    ones.fill(0xFF);
    EXPECT_EQ(GuidText(ones), "ffffffff-ffff-4fff-bfff-ffffffffffff");
    EXPECT_EQ(GuidText({}), "00000000-0000-4000-8000-000000000000");
    EXPECT_EQ(GuidText({0x0f, 0x8f, 0xad, 0x5b, 0xd9, 0xcb, 0x46, 0x9f, 0xa1, 0x65, 0x70, 0x86,
                        0x77, 0x28, 0x95, 0x0e}),
              "0f8fad5b-d9cb-469f-a165-70867728950e");
}

TEST(FakeKernel, NewGuidsCountUpSoTestsCanPredictThem) {
    FakeKernel kernel;
    EXPECT_EQ(kernel.NewGuid(), "00000000-0000-4000-8000-000000000001");
    EXPECT_EQ(kernel.NewGuid(), "00000000-0000-4000-8000-000000000002");
    for (int i = 3; i < 0x1ab; ++i)
        kernel.NewGuid();
    EXPECT_EQ(kernel.NewGuid(), "00000000-0000-4000-8000-0000000001ab");
}

// The local time less the offset, across a day, a month and a year when it must.
TEST(FakeKernel, UtcNowIsTheLocalTimeLessTheOffset) {
    struct Case {
        LocalTime local;
        int offsetMinutes;
        LocalTime utc;
    };
    const std::vector<Case> cases{
        {{2026, 5, 3, 20, 15, 30, 45, 123}, 0, {2026, 5, 3, 20, 15, 30, 45, 123}},
        {{2026, 5, 3, 20, 15, 30, 45, 123}, 540, {2026, 5, 3, 20, 6, 30, 45, 123}},
        {{2026, 1, 4, 1, 8, 59, 0, 0}, 540, {2025, 12, 3, 31, 23, 59, 0, 0}},
        {{2024, 3, 5, 1, 3, 0, 0, 0}, 540, {2024, 2, 4, 29, 18, 0, 0, 0}},
        {{2023, 3, 3, 1, 3, 0, 0, 0}, 540, {2023, 2, 2, 28, 18, 0, 0, 0}},
        {{2026, 12, 4, 31, 20, 0, 0, 0}, -300, {2027, 1, 5, 1, 1, 0, 0, 0}},
        {{2026, 4, 4, 30, 23, 45, 0, 0}, -30, {2026, 5, 5, 1, 0, 15, 0, 0}},
        {{2026, 6, 1, 15, 10, 0, 0, 0}, 330, {2026, 6, 1, 15, 4, 30, 0, 0}},
    };
    FakeKernel kernel;
    for (const Case& c : cases) {
        kernel.SetNow(c.local);
        kernel.SetUtcOffsetMinutes(c.offsetMinutes);
        EXPECT_EQ(Shown(kernel.UtcNow()), Shown(c.utc)) << "offset " << c.offsetMinutes;
        EXPECT_EQ(Shown(kernel.Now()), Shown(c.local));
    }
}

} // namespace
} // namespace petarino::platform
