#include "macro/era_calendar.h"
#include "platform/fake/fake_kernel.h"

#include <gtest/gtest.h>
#include <memory>

namespace petarino {
namespace {

using platform::FakeKernel;
using platform::FakeLocale;

struct EraCase {
    CivilDate date;
    std::string name, shortYear, longYear;
};

// The same eras whether the system knows them or the program's own table stands in.
const EraCase kJapaneseEras[] = {
    {{1997, 3, 9}, "平成", "09", "09"},   {{1989, 1, 7}, "昭和", "64", "64"},
    {{1989, 1, 8}, "平成", "01", "01"},   {{2019, 4, 30}, "平成", "31", "31"},
    {{2019, 5, 1}, "令和", "01", "01"},   {{1868, 1, 1}, "明治", "01", "01"},
    {{1926, 12, 25}, "昭和", "01", "01"}, {{1867, 12, 31}, "", "", ""},
};

void ExpectEras(EraCalendar& eras) {
    for (const auto& c : kJapaneseEras) {
        const std::string when = std::to_string(DayNumber(c.date));
        EXPECT_EQ(eras.EraName(c.date), c.name) << when;
        EXPECT_EQ(eras.EraYear(c.date, false), c.shortYear) << when;
        EXPECT_EQ(eras.EraYear(c.date, true), c.longYear) << when;
    }
}

TEST(EraCalendar, JapaneseErasFromTheSystem) {
    FakeKernel kernel(FakeLocale::Japanese);
    EraCalendar eras(kernel, {0x0411, true});
    ExpectEras(eras);
}

TEST(EraCalendar, OwnJapaneseTableWhereTheSystemAnswersTheGregorianEra) {
    FakeKernel kernel(FakeLocale::Japanese);
    kernel.AnswerGregorianEras();
    EraCalendar eras(kernel, {0x0411, true});
    ExpectEras(eras);
}

TEST(EraCalendar, AsksAgainWhenTheThreadLocaleChanges) {
    FakeKernel kernel(FakeLocale::Japanese);
    EraCalendar eras(kernel, {0x0411, true});
    EXPECT_EQ(eras.EraName({1997, 3, 9}), "平成");
    kernel.SetThreadLocale(0x0409);
    EXPECT_EQ(eras.EraName({1997, 3, 9}), "A.D.");
    EXPECT_EQ(eras.EraYear({1997, 3, 9}, true), "1997");
}

TEST(EraCalendar, OtherLanguagesTakeTheSystemsAnswerAsItIs) {
    FakeKernel kernel(FakeLocale::English);
    EraCalendar eras(kernel, {0x0409, false});
    EXPECT_EQ(eras.EraName({1997, 3, 9}), "A.D.");
    EXPECT_EQ(eras.EraYear({1997, 3, 9}, false), "97");
    EXPECT_EQ(eras.EraYear({1997, 3, 9}, true), "1997");
}

TEST(ShortenEraName, ByLanguage) {
    const LocaleIdentity japanese{0x0411}, traditionalChinese{0x0404}, simplifiedChinese{0x0804},
        english{0x0409};
    const struct {
        std::string_view name;
        LocaleIdentity identity;
        std::string_view expected;
    } cases[] = {
        {"平成", japanese, "平"},
        {"AD", japanese, "A"},
        {"", japanese, ""},
        {"中華民國", traditionalChinese, "民國"},
        {"AB民國", traditionalChinese, "民國"},
        {"ABCD", traditionalChinese, "CD"},
        {"民國", traditionalChinese, "民國"},
        {"中華民國X", traditionalChinese, "中華民國X"},
        {"中華民國", simplifiedChinese, "中華民國"},
        {"A.D.", english, "A.D."},
    };
    for (const auto& [name, identity, expected] : cases)
        EXPECT_EQ(ShortenEraName(name, identity), expected) << name;
}

TEST(ShortenEraName, ALeadByteAtTheEndStandsAlone) {
    const std::unique_ptr<char[]> lone(new char[1]{'\x95'});
    EXPECT_EQ(ShortenEraName({lone.get(), 1}, {0x0411}), "\x95");
}

} // namespace
} // namespace petarino
