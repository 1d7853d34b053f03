#pragma once

#include <vector>

#include "devices/device_lists.h"
#include "icpins/ic_pin_entries.h"

namespace zemra {

// The IC pins, in stages: the diode pins, the pin counts, then the J steps matched against the
// diode pins for every IC, then the J steps paired with each other.
IcPins DeriveIcPins(const std::vector<IcDevice>& icDevices,
                    const std::vector<IcCommonPin>& icCommonPins,
                    const std::vector<IcDiodeStep>& icDiodeSteps,
                    const std::vector<IcJStep>& icJSteps);

}  // namespace zemra
