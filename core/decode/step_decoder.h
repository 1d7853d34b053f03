#pragma once

#include "decode/component_record.h"
#include "decode/run_counters.h"
#include "decode/step_fields.h"

namespace zemra {

enum class StepKind {
    Decoded,  // a full step with its two listing lines
    Skipped,  // a record without a usable name but with the skip mark: a "*" step
    Dropped,  // a record without a usable name and without the skip mark: no lines
};

// Decodes one record into `fields` and raises the run counters. Step is left as it is: the step
// sequence numbers the steps. The listing lines and the pin step are left to the caller.
StepKind decodeStep(const ComponentRecord& record, const DecodeOptions& options, StepFields& fields,
                    RunCounters& counters);

// Raises the run counters by the LC and the Hi-P and Lo-P of a step that counts for them.
void raiseRunCounters(const StepFields& fields, RunCounters& counters);

}  // namespace zemra
