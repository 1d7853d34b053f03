#pragma once

#include "decode/component_record.h"
#include "decode/step_fields.h"

namespace zemra {

// Turns the record's type code into the step's kind letters: the Type column under KX740 FE/FR,
// a prefix of the part name under KX740E. Also the MODE and values that belong to a kind.
void assignStepType(const ComponentRecord& record, TesterVariant variant, StepFields& fields);

}  // namespace zemra
