#pragma once

#include <optional>
#include <vector>

#include "devices/device_lists.h"
#include "icpins/ic_pin_entries.h"

namespace zemra {

// The pins of one IC known from its diode steps, into `icDiodePins` (emptied first): a step that
// touches the common pin gives the tester pin at its other end. In step order, repeats kept.
void FindDiodePins(const IcCommonPin& common, const DeviceSteps& diodeSteps,
                   std::vector<IcDiodePin>& icDiodePins);

// The IC's pin count: its highest diode pin number, if that is 8 or more.
std::optional<IcPinCount> CountIcPins(const IcDevice& device,
                                      const std::vector<IcDiodePin>& icDiodePins);

}  // namespace zemra
