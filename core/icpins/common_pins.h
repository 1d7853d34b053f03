#pragma once

#include <vector>

#include "devices/device_lists.h"
#include "icpins/ic_pin_entries.h"

namespace zemra {

// The common pin of each IC, in the order of icDevices: what one scan of all the diode steps
// leaves in the running pin, carried from IC to IC and starting at 1000.
std::vector<IcCommonPin> FindCommonPins(const std::vector<IcDevice>& icDevices,
                                        const IcSteps& icDiodeSteps);

}  // namespace zemra
