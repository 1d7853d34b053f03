// The common pin of each IC: the fixed end of its diode steps.
#include "run/conversion.h"

namespace zemra {
namespace {

constexpr int kStartingPin = 1000;

}  // namespace

// The common pin is what a scan of the whole icDiodeSteps list leaves in runningPin, carried from
// IC to IC: a step keeps runningPin when it is the IC's own and its hiPin equals runningPin, and
// otherwise sets runningPin to its loPin. A step of another device always sets it, so only the
// tail of the list that belongs to one device needs walking; every other device gets the last
// step's loPin. Same result as one full scan per IC, in linear time.
void Conversion::FindCommonPins() {
    runningPin_ = kStartingPin;
    const auto& steps = lists_.icDiodeSteps;
    if (steps.empty()) {
        for (const IcDevice& device : lists_.icDevices) {
            lists_.icCommonPins.push_back({device.name, runningPin_});
        }
        return;
    }
    const IcDiodeStep& last = steps.back();
    std::size_t tailStart = steps.size();
    while (tailStart > 0 && steps[tailStart - 1].name == last.name) {
        --tailStart;
    }
    for (const IcDevice& device : lists_.icDevices) {
        if (device.name != last.name) {
            runningPin_ = last.loPin;
        } else {
            if (tailStart > 0) {
                runningPin_ = steps[tailStart - 1].loPin;
            }
            for (std::size_t position = tailStart; position < steps.size(); ++position) {
                if (steps[position].hiPin != runningPin_) {
                    runningPin_ = steps[position].loPin;
                }
            }
        }
        lists_.icCommonPins.push_back({device.name, runningPin_});
    }
}

}  // namespace zemra
