// The pins of each IC known from its diode steps, and its pin count.
#include <algorithm>

#include "devices/name_index.h"
#include "run/conversion.h"

namespace zemra {
namespace {

// An IC needs a diode pin numbered at least this high to get a pin count.
constexpr int kMinimumPinCount = 8;

}  // namespace

void Conversion::DeriveIcPins() {
    deriveDiodePins();
    CountIcPins();
    matchJStepsToKnownPins();
    pairJSteps();
}

// A diode step that touches the common pin gives the tester pin at its other end.
void Conversion::deriveDiodePins() {
    const NameIndex stepsByName(lists_.icDiodeSteps);
    for (const IcCommonPin& common : lists_.icCommonPins) {
        for (const std::size_t position : stepsByName.positionsOf(common.name)) {
            const IcDiodeStep& step = lists_.icDiodeSteps[position];
            if (step.loPin == common.commonPin) {
                lists_.icDiodePins.push_back({step.name, step.hiPin, step.pinNumber});
            } else if (step.hiPin == common.commonPin) {
                lists_.icDiodePins.push_back({step.name, step.loPin, step.pinNumber});
            }
        }
    }
}

void Conversion::CountIcPins() {
    const NameIndex pinsByName(lists_.icDiodePins);
    for (const IcDevice& device : lists_.icDevices) {
        int highest = 0;
        for (const std::size_t position : pinsByName.positionsOf(device.name)) {
            highest = std::max(highest, lists_.icDiodePins[position].pinNumber);
        }
        if (highest >= kMinimumPinCount) {
            lists_.icPinCounts.push_back({device.name, highest, device.lc});
        }
    }
}

}  // namespace zemra
