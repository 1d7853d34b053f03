#include "icpins/common_pins.h"

namespace zemra {
namespace {

constexpr int kStartingPin = 1000;

}  // namespace

// The scan of the whole icDiodeSteps list for an IC keeps the running pin at a step of that IC
// whose hiPin equals it, and otherwise sets it to the step's loPin. A step of another device
// always sets it, so only the tail of the list that belongs to one device needs walking; every
// other device gets the last step's loPin. Same result as one full scan per IC, in linear time.
std::vector<IcCommonPin> FindCommonPins(const std::vector<IcDevice>& icDevices,
                                        const std::vector<IcDiodeStep>& icDiodeSteps) {
    std::vector<IcCommonPin> icCommonPins;
    int runningPin = kStartingPin;
    if (icDiodeSteps.empty()) {
        for (const IcDevice& device : icDevices) {
            icCommonPins.push_back({device.name, runningPin});
        }
        return icCommonPins;
    }
    const IcDiodeStep& last = icDiodeSteps.back();
    std::size_t tailStart = icDiodeSteps.size();
    while (tailStart > 0 && icDiodeSteps[tailStart - 1].name == last.name) {
        --tailStart;
    }
    for (const IcDevice& device : icDevices) {
        if (device.name != last.name) {
            runningPin = last.loPin;
        } else {
            if (tailStart > 0) {
                runningPin = icDiodeSteps[tailStart - 1].loPin;
            }
            for (std::size_t position = tailStart; position < icDiodeSteps.size(); ++position) {
                if (icDiodeSteps[position].hiPin != runningPin) {
                    runningPin = icDiodeSteps[position].loPin;
                }
            }
        }
        icCommonPins.push_back({device.name, runningPin});
    }
    return icCommonPins;
}

}  // namespace zemra
