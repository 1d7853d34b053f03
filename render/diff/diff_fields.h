#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "diff/board_diff.h"
#include "diff/listed_step.h"
#include "record_dump.h"

namespace zemra::cli {

// A field of a changed step's record, under its --dump column name, as each revision holds it.
struct RecordFieldChange {
    std::string_view name;
    DumpField before;
    DumpField after;
};

// Whether both steps of a change came from records, so that their record fields compare: not
// where a side is a tester folder.
bool bothHaveRecords(const StepChange& change);

// The record fields (--dump's columns from partName to guardPin5) that differ.
std::vector<RecordFieldChange> changedRecordFields(const ListedStep& before,
                                                   const ListedStep& after);

// A field's value as text for people: a number, a code, or a name's bytes made printable.
std::string fieldText(const DumpField& field);

// An IC pin change whose pin, within the new pin count, has tester pin 0 now and had one before:
// a pin the tester will not reach.
bool becameUnresolved(const IcChange& change);
bool becameUnresolved(int pin, int oldTesterPin, int newTesterPin, int newPinCount);

// The step's two listing lines with its own step number, without their line ends.
std::vector<std::string> numberedLines(const ListedStep& step);

}  // namespace zemra::cli
