#pragma once

#include <functional>
#include <vector>

#include "report/board_report.h"
#include "report/check_list.h"
#include "run/conversion_summary.h"

namespace zemra {

// The checks of the pin files: each IC whose .icp lines show tester pin 0 (one check per IC,
// naming its first pins), and each J pin found beyond its IC's pin count. `pinSteps` names the
// step of each pin step, by PinStepOrdinal.
void checkIcPins(const ConversionSummary& summary, const PinStepRefs& pinSteps, CheckList& checks);

// The same, with the step of each J step that gave an ignored J pin from `stepOf`.
using PinStepLookup = std::function<StepRef(PinStepOrdinal)>;
void checkIcPins(const ConversionSummary& summary, const PinStepLookup& stepOf, CheckList& checks);

}  // namespace zemra
