#include "icpins/common_pins.h"

#include <optional>

namespace zemra {
namespace {

constexpr int kStartingPin = 1000;

// The last IC before `end` in icDevices that has diode steps.
std::optional<std::size_t> lastIcWithSteps(const IcSteps& icDiodeSteps, std::size_t end) {
    for (std::size_t ic = end; ic > 0; --ic) {
        if (!icDiodeSteps.of(ic - 1).empty()) {
            return ic - 1;
        }
    }
    return std::nullopt;
}

int lastLoPinOf(const DeviceSteps& steps) {
    int loPin = 0;
    for (const IcDiodeStep& step : steps) {
        loPin = step.loPin;
    }
    return loPin;
}

}  // namespace

// The scan of the whole icDiodeSteps list for an IC keeps the running pin at a step of that IC
// whose hiPin equals it, and otherwise sets it to the step's loPin. A step of another device
// always sets it, so only the steps of the IC that ends the list need walking, from the loPin of
// the step before them; every other IC gets the last step's loPin. Same result as one full scan
// per IC, in linear time.
std::vector<IcCommonPin> FindCommonPins(const std::vector<IcDevice>& icDevices,
                                        const IcSteps& icDiodeSteps) {
    std::vector<IcCommonPin> icCommonPins;
    icCommonPins.reserve(icDevices.size());
    const std::optional<std::size_t> lastIc = lastIcWithSteps(icDiodeSteps, icDevices.size());
    if (!lastIc) {
        for (const IcDevice& device : icDevices) {
            icCommonPins.push_back({device.name, kStartingPin});
        }
        return icCommonPins;
    }
    const int lastLoPin = lastLoPinOf(icDiodeSteps.of(*lastIc));
    const std::optional<std::size_t> icBefore = lastIcWithSteps(icDiodeSteps, *lastIc);
    int runningPin = kStartingPin;
    for (std::size_t ic = 0; ic < icDevices.size(); ++ic) {
        if (ic != *lastIc) {
            runningPin = lastLoPin;
        } else {
            if (icBefore) {
                runningPin = lastLoPinOf(icDiodeSteps.of(*icBefore));
            }
            for (const IcDiodeStep& step : icDiodeSteps.of(ic)) {
                if (step.hiPin != runningPin) {
                    runningPin = step.loPin;
                }
            }
        }
        icCommonPins.push_back({icDevices[ic].name, runningPin});
    }
    return icCommonPins;
}

}  // namespace zemra
