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

// Decodes one record into `fields` (Step is kept) and raises the run counters. The listing
// lines and the pin step are left to the caller.
StepKind decodeStep(const ComponentRecord& record, const DecodeOptions& options, StepFields& fields,
                    RunCounters& counters);

}  // namespace zemra
