#include "icpins/diode_pins.h"

#include <algorithm>

namespace zemra {
namespace {

// An IC needs a diode pin numbered at least this high to get a pin count.
constexpr int kMinimumPinCount = 8;

}  // namespace

void FindDiodePins(const IcCommonPin& common, const DeviceSteps& diodeSteps,
                   std::vector<IcDiodePin>& icDiodePins) {
    icDiodePins.clear();
    for (const IcDiodeStep& step : diodeSteps) {
        if (step.loPin == common.commonPin) {
            icDiodePins.push_back({common.name, step.hiPin, step.pinNumber, step.pinStep});
        } else if (step.hiPin == common.commonPin) {
            icDiodePins.push_back({common.name, step.loPin, step.pinNumber, step.pinStep});
        }
    }
}

std::optional<IcPinCount> CountIcPins(const IcDevice& device,
                                      const std::vector<IcDiodePin>& icDiodePins) {
    int highest = 0;
    for (const IcDiodePin& pin : icDiodePins) {
        highest = std::max(highest, pin.pinNumber);
    }
    if (highest < kMinimumPinCount) {
        return std::nullopt;
    }
    return IcPinCount{device.name, highest, device.lc};
}

}  // namespace zemra
