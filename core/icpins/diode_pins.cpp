#include "icpins/diode_pins.h"

#include <algorithm>

namespace zemra {
namespace {

// An IC needs a diode pin numbered at least this high to get a pin count.
constexpr int kMinimumPinCount = 8;

}  // namespace

std::vector<IcDiodePin> FindDiodePins(const std::vector<IcCommonPin>& icCommonPins,
                                      const std::vector<IcDiodeStep>& icDiodeSteps) {
    const NameGroups stepsByName(icDiodeSteps);
    std::vector<IcDiodePin> icDiodePins;
    for (const IcCommonPin& common : icCommonPins) {
        for (const std::size_t position : stepsByName.positionsOf(common.name)) {
            const IcDiodeStep& step = icDiodeSteps[position];
            if (step.loPin == common.commonPin) {
                icDiodePins.push_back({step.name, step.hiPin, step.pinNumber});
            } else if (step.hiPin == common.commonPin) {
                icDiodePins.push_back({step.name, step.loPin, step.pinNumber});
            }
        }
    }
    return icDiodePins;
}

std::vector<IcPinCount> CountIcPins(const std::vector<IcDevice>& icDevices,
                                    const std::vector<IcDiodePin>& icDiodePins) {
    const NameGroups pinsByName(icDiodePins);
    std::vector<IcPinCount> icPinCounts;
    for (const IcDevice& device : icDevices) {
        int highest = 0;
        for (const std::size_t position : pinsByName.positionsOf(device.name)) {
            highest = std::max(highest, icDiodePins[position].pinNumber);
        }
        if (highest >= kMinimumPinCount) {
            icPinCounts.push_back({device.name, highest, device.lc});
        }
    }
    return icPinCounts;
}

}  // namespace zemra
