#pragma once

#include "decode/run_counters.h"
#include "text/text_writer.h"

namespace zemra {

// The six tester settings of the .scp file; three come from the run counters.
void writeSettingsFile(const RunCounters& counters, TextWriter& scp);

}  // namespace zemra
