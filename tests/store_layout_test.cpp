#include "store/store_layout.h"

#include <climits>
#include <gtest/gtest.h>

namespace petarino::store {
namespace {

TEST(MemoKeyNumber, ReadsTheNumberOfAMemoKeyInAnyCase) {
    EXPECT_EQ(MemoKeyNumber("Memo0"), 0);
    EXPECT_EQ(MemoKeyNumber("Memo100"), 100);
    EXPECT_EQ(MemoKeyNumber("memo7"), 7);
    EXPECT_EQ(MemoKeyNumber("MEMO101"), 101);
    EXPECT_EQ(MemoKeyNumber("Memo2147483647"), INT_MAX);
    EXPECT_EQ(MemoKeyNumber("Memo99999999999999999999"), INT_MAX);
    EXPECT_EQ(MemoKeyName(42), "Memo42");
    EXPECT_EQ(MemoKeyPath(3), "\\Software\\Mivora\\Petarino\\Memo3");
}

TEST(MemoKeyNumber, RefusesNamesOutsideTheLayout) {
    for (const char* name :
         {"Memo", "Memo07", "Memo-1", "Memo+1", "Memo 1", "Memo1a", "Note1", "Mem1", "", "Memo１"})
        EXPECT_EQ(MemoKeyNumber(name), std::nullopt) << name;
}

} // namespace
} // namespace petarino::store
