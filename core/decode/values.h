#pragma once

#include "decode/component_record.h"
#include "decode/step_fields.h"

namespace zemra {

// Turns the nominal and standard values with their range codes into Actual-V, Stand-V and Unit,
// and applies the limit, mode, delay and reverse-pins rules of each kind of quantity.
void decodeValues(const ComponentRecord& record, bool reversePins, StepFields& fields,
                  StepFlags& flags);

}  // namespace zemra
