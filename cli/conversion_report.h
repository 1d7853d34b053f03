#pragma once

#include <ostream>
#include <string_view>

#include "run/conversion.h"

namespace zemra::cli {

// What a conversion could not resolve, for one input, in a few lines for a reader: one line of
// counts and one per IC with its unresolved pins as pin/ICP pairs.
void writeTextReport(std::string_view input, const RunOutcome& outcome, std::ostream& out);

}  // namespace zemra::cli
