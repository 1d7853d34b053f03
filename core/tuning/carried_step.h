#pragma once

#include <cstdint>

#include "decode/listing_columns.h"

namespace zemra {

// The bit of a listing column in a set of columns.
constexpr std::uint32_t columnBit(ColumnId id) {
    return std::uint32_t{1} << static_cast<unsigned>(id);
}

// A step of the new revision that takes columns from the tester's tuned step: which columns, the
// tuned values, and the step as the conversion lists it, so that the run can tell that the file
// it converts is the one the carry was worked out for.
struct CarriedStep {
    ListedColumns converted;
    ListedColumns tuned;
    std::uint32_t columns = 0;  // columnBit() of each carried column
};

// Puts each carried column of `carried` in place of the one in `columns`; a carried Actual-V or
// Stand-V brings its unit.
void applyCarried(const CarriedStep& carried, ListedColumns& columns);

}  // namespace zemra
