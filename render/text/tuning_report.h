#pragma once

#include <ostream>
#include <string>

#include "tuning/tuning_plan.h"

namespace zemra::cli {

// The line of counts that every carry ends with.
std::string tuningSummaryLine(const TuningPlan& plan);

// One thing the carry did or could not do, as a line for people.
void writeTuningText(const TuningEvent& event, std::ostream& out);

// The same as one JSON object on one line: "tuning", "partName", "oldStep", "newStep",
// "tunedStep", "column", "base", "tuned", "new", each null where it does not apply.
void writeTuningJson(const TuningEvent& event, std::ostream& out);

}  // namespace zemra::cli
