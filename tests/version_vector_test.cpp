// Version counters: how two versions are ordered, merged and written, and which texts read.
#include "sync/version_vector.h"

#include <gtest/gtest.h>

namespace petarino::sync {
namespace {

const std::string kA = "0a000000-0000-4000-8000-000000000001";
const std::string kB = "0b000000-0000-4000-8000-000000000002";

TEST(VersionVectorTest, VersionsAreOrderedByWhatEachHasSeen) {
    struct Case {
        VersionVector a;
        VersionVector b;
        Order order;
    };
    const std::vector<Case> cases{
        {{}, {}, Order::Equal},
        {{{kA, 2}, {kB, 1}}, {{kA, 2}, {kB, 1}}, Order::Equal},
        {{{kA, 2}}, {{kA, 2}, {kB, 0}}, Order::Equal}, // a zero counts as none
        {{}, {{kA, 1}}, Order::Before},
        {{{kA, 1}}, {{kA, 1}, {kB, 1}}, Order::Before},
        {{{kA, 1}, {kB, 1}}, {{kA, 2}, {kB, 1}}, Order::Before},
        {{{kA, 3}}, {{kA, 2}}, Order::After},
        {{{kA, 1}, {kB, 1}}, {{kB, 1}}, Order::After},
        {{{kA, 1}}, {{kB, 1}}, Order::Concurrent},
        {{{kA, 3}, {kB, 1}}, {{kA, 2}, {kB, 2}}, Order::Concurrent},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Compare(c.a, c.b), c.order) << VersionsText(c.a) << " " << VersionsText(c.b);
        const Order mirrored = c.order == Order::Before  ? Order::After
                               : c.order == Order::After ? Order::Before
                                                         : c.order;
        EXPECT_EQ(Compare(c.b, c.a), mirrored) << VersionsText(c.a) << " " << VersionsText(c.b);
    }
}

TEST(VersionVectorTest, AMergeTakesEachLargerCounterAndABumpCountsOneDeviceUp) {
    const VersionVector a{{kA, 3}, {kB, 1}};
    const VersionVector b{{kB, 4}};
    EXPECT_EQ(Merged(a, b), (VersionVector{{kA, 3}, {kB, 4}}));
    EXPECT_EQ(Merged(b, a), Merged(a, b));
    EXPECT_EQ(Bumped(a, kB), (VersionVector{{kA, 3}, {kB, 2}}));
    EXPECT_EQ(Bumped({}, kA), (VersionVector{{kA, 1}}));
}

TEST(VersionVectorTest, TheTextIsCompactSortedAndReadsBack) {
    const VersionVector versions{{kB, 9007199254740992}, {kA, 1}};
    const std::string text = VersionsText(versions);
    EXPECT_EQ(text, "{\"" + kA + "\":1,\"" + kB + "\":9007199254740992}");
    EXPECT_EQ(ParseVersions(text), versions);
    EXPECT_EQ(ParseVersions("{}"), VersionVector{});
    EXPECT_EQ(ParseVersions("{\"" + kA + "\":0}"), VersionVector{});
    for (const std::string& bad : std::vector<std::string>{
             "", "[]", "3", "{", "{\"" + kA + "\":-1}", "{\"" + kA + "\":1.5}",
             "{\"" + kA + "\":\"1\"}", "{\"" + kA + "\":9007199254740993}", "{\"" + kA + "\":1e3}",
             "{\"pc\":1}", "{\"0A000000-0000-4000-8000-000000000001\":1}"})
        EXPECT_EQ(ParseVersions(bad), std::nullopt) << bad;
}

TEST(VersionVectorTest, ALineageIsTextOnlyWhereItSaysMoreThanTheVersions) {
    const VersionVector versions{{kA, 2}, {kB, 1}};
    const Lineage lineage{{{kA, 1}}, {{kB, 1}}};
    EXPECT_EQ(ParseLineage(LineageText(lineage, versions)), lineage);
    EXPECT_EQ(LineageText({versions, {}}, versions), "");
    EXPECT_EQ(LineageText({}, versions), "");
    EXPECT_EQ(ParseLineage("{\"written\":3}"), Lineage{});
}

} // namespace
} // namespace petarino::sync
