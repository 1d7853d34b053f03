#pragma once

#include "decode/record_codes.h"
#include "decode/step_fields.h"

namespace zemra {

// Inner spaces and hyphens become underscores; trailing ones end up as blanks.
void cleanUpPartName(PartsN& partsN);

// Name rules for ICs, LSIs, regulators, connectors, switches and jumpers: KX740E carries the
// kind in the part name, KX740 FE/FR in Type.
void applyPrefixRules(TypeCode typeCode, TesterVariant variant, StepFields& fields);

// Jumper steps test at fixed values: 1.0 for type code 13, 4.0 for 14; other codes change nothing.
void setJumperValues(TypeCode typeCode, StepFields& fields);

}  // namespace zemra
