#pragma once

#include <ostream>

#include "report/check_list.h"

namespace zemra::cli {

// The checks of one input for the text report, one line each after its IC lines: severity, id,
// where (record offset and step), the sentence; then a line for each id with checks not listed.
void writeTextChecks(const CheckList& checks, std::ostream& out);

}  // namespace zemra::cli
