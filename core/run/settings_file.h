#pragma once

#include <string>

#include "decode/run_counters.h"

namespace zemra {

// The six tester settings of the .scp file; three come from the run counters.
std::string formatSettingsFile(const RunCounters& counters);

}  // namespace zemra
