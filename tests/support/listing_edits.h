#pragma once

#include "decode/listing_columns.h"

namespace zemra::testing {

// Another value of the column `id` of a listed step, as a tester's engineer might set it; Step,
// Parts-N and Unit are left as they are (Unit goes with the values).
void tuneColumn(ListedColumns& columns, ColumnId id);

}  // namespace zemra::testing
