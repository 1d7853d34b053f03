#pragma once

#include <functional>
#include <vector>

#include "devices/device_lists.h"
#include "icpins/ic_pin_entries.h"

namespace zemra {

// The IC pins, in stages: the diode pins, the pin count, then the J steps matched against the
// diode pins, then the J steps paired with each other. No IC's pins depend on another's, so each
// IC goes through all stages before the next, in the order of icDevices, and is handed to `take`;
// the entries it holds are reused for the next IC. J pins beyond their IC's pin count are kept in
// IcPins::ignoredJPins only when `keepIgnoredJPins` is set; every J pin found within the pin count
// is kept in IcPins::everyJPin only when `keepEveryJPin` is.
void DeriveIcPins(const std::vector<IcDevice>& icDevices,
                  const std::vector<IcCommonPin>& icCommonPins, const IcSteps& icDiodeSteps,
                  const IcSteps& icJSteps, bool keepIgnoredJPins,
                  const std::function<void(const IcPins&)>& take, bool keepEveryJPin = false);

}  // namespace zemra
