#pragma once

#include <vector>

#include "run/conversion.h"

namespace zemra::testing {

// The passes after the record loop written as literal head-to-tail scans of the lists, one scan
// per device, as slow as they read. The engine's indexed passes must give exactly these lists.
// Pin tables are held densely, so keep pin numbers small.
struct HeadToTailResult {
    ConversionLists lists;
    std::vector<std::vector<int>> denseTables;  // per IC: slots 0 to pinCount
};

HeadToTailResult runHeadToTail(const std::vector<PinStep>& pinSteps);

}  // namespace zemra::testing
