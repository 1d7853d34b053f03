#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "diff/listed_step.h"
#include "record_dump.h"

namespace zemra::cli {

// A field of a changed step's record, under its --dump column name, as each revision holds it.
struct RecordFieldChange {
    std::string_view name;
    DumpField before;
    DumpField after;
};

// The record fields (--dump's columns from partName to guardPin5) that differ.
std::vector<RecordFieldChange> changedRecordFields(const ListedStep& before,
                                                   const ListedStep& after);

// A field's value as text for people: a number, a code, or a name's bytes made printable.
std::string fieldText(const DumpField& field);

// The step's two listing lines with its own step number, without their line ends.
std::vector<std::string> numberedLines(const ListedStep& step);

}  // namespace zemra::cli
