#pragma once

#include <string>

#include "decode/step_fields.h"

namespace zemra {

// The two listing lines of a decoded step, in the format of the tester variant.
std::string formatStepLines(const StepFields& fields, char variantCode);

// The two listing lines of a record shown as a skipped "*" step.
std::string formatSkippedStepLines(int step);

}  // namespace zemra
