#pragma once

#include <functional>
#include <vector>

#include "report/board_report.h"
#include "report/check_list.h"
#include "run/conversion_summary.h"
#include "run/record_observer.h"

namespace zemra {

using PinStepLookup = std::function<StepRef(PinStepOrdinal)>;

// The checks of one IC of the pin files: its .icp lines that show tester pin 0 (one check,
// naming its first pins), each pin to which a diode step and a J step give different tester pins
// (where the IC has its sources), and each J pin found beyond its pin count; `stepOf` gives the
// step of each pin step. Whether a check of severity error or warning fell on the IC.
bool checkIcPins(const IcTrace& ic, const PinStepLookup& stepOf, CheckList& checks);

// The same for each IC of `summary` in turn.
void checkIcPins(const ConversionSummary& summary, const PinStepLookup& stepOf, CheckList& checks);

}  // namespace zemra
