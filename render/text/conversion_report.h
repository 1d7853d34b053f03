#pragma once

#include <filesystem>
#include <ostream>

#include "run/conversion.h"

namespace zemra::cli {

// What a conversion could not resolve, for one input, in a few lines for a reader: one line of
// counts and one per IC with its unresolved pins as pin/ICP pairs. Paths are shown as
// consoleEscapedName() shows them.
void writeTextReport(const std::filesystem::path& input, const RunOutcome& outcome,
                     std::ostream& out);

}  // namespace zemra::cli
