#pragma once

#include <vector>

#include "devices/device_lists.h"
#include "icpins/ic_pin_entries.h"

namespace zemra {

// The pins of each IC known from its diode steps: a step that touches the common pin gives the
// tester pin at its other end. Grouped by IC in the order of icCommonPins, within one IC in step
// order, duplicates kept.
std::vector<IcDiodePin> FindDiodePins(const std::vector<IcCommonPin>& icCommonPins,
                                      const std::vector<IcDiodeStep>& icDiodeSteps);

// The ICs whose highest diode pin number is 8 or more, in the order of icDevices, with that
// number as their pin count.
std::vector<IcPinCount> CountIcPins(const std::vector<IcDevice>& icDevices,
                                    const std::vector<IcDiodePin>& icDiodePins);

}  // namespace zemra
