#pragma once

#include <cstdint>

#include "decode/listing_columns.h"

namespace zemra {

// The bit of a listing column in a set of columns.
constexpr std::uint32_t columnBit(ColumnId id) {
    return std::uint32_t{1} << static_cast<unsigned>(id);
}

// A step of the new revision that takes columns from the tester's tuned step: which columns, the
// tuned values, and the step as the conversion lists it.
struct CarriedStep {
    ListedColumns converted;
    ListedColumns tuned;
    std::uint32_t columns = 0;  // columnBit() of each carried column
};

// Decides, as a conversion lists its steps in order ("*" steps too), which of them take tuned
// columns.
class StepCarry {
  public:
    StepCarry() = default;
    StepCarry(const StepCarry&) = default;
    StepCarry(StepCarry&&) = default;
    StepCarry& operator=(const StepCarry&) = default;
    StepCarry& operator=(StepCarry&&) = default;
    virtual ~StepCarry() = default;

    // Whether the next step may take tuned columns: it is then listed and given to carry(). The
    // others, the most, need not be listed: pass() counts them.
    virtual bool wantsNext() const = 0;
    virtual void pass() = 0;
    // The columns that the step listed as `columns` takes, none where it takes none.
    virtual const CarriedStep* carry(const ListedColumns& columns) = 0;
    // After the last step. Throws CarriedStepChanged where the steps were not those that the carry
    // was worked out for: the file changed in between.
    virtual void finish() = 0;
};

// Puts each carried column of `carried` in place of the one in `columns`; a carried Actual-V or
// Stand-V brings its unit.
void applyCarried(const CarriedStep& carried, ListedColumns& columns);

}  // namespace zemra
