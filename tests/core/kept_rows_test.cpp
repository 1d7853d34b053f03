// The rows of the steps table: which records have one, and the row of each, across words of bits.
#include <gtest/gtest.h>

#include "report/kept_rows.h"

namespace zemra {
namespace {

TEST(KeptRows, EachKeptRecordHasTheRowOfTheRecordsKeptBeforeIt) {
    const std::vector<std::uint64_t> kept{0,  1,   5,    63,
                                          64, 200, 1000, (std::uint64_t{1} << 20U) + 3};
    KeptRows rows;
    for (const std::uint64_t ordinal : kept) {
        rows.keep(ordinal);
    }
    EXPECT_EQ(rows.count(), kept.size());
    for (std::size_t row = 0; row < kept.size(); ++row) {
        EXPECT_TRUE(rows.has(kept[row])) << kept[row];
        EXPECT_EQ(rows.rowOf(kept[row]), row) << kept[row];
    }
    for (const std::uint64_t ordinal : {2U, 62U, 65U, 199U, 201U, 5000000U}) {
        EXPECT_FALSE(rows.has(ordinal)) << ordinal;
    }
}

}  // namespace
}  // namespace zemra
