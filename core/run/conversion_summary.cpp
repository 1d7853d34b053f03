#include "run/conversion_summary.h"

namespace zemra {

std::vector<int> IcSummary::unresolvedPins(std::size_t limit) const {
    std::vector<int> pins;
    if (limit == 0) {
        return pins;
    }
    forEachUnresolvedPin([&pins, limit](int pin) {
        pins.push_back(pin);
        return pins.size() < limit;
    });
    return pins;
}

IcSummary summariseIc(std::string_view name, const IcPinCount& ic, const IcPinTable& table,
                      std::int64_t firstIcp) {
    IcSummary summary;
    summary.name.assign(name);
    summary.lc = ic.lc;
    summary.pinCount = table.pinCount;
    summary.firstIcp = firstIcp;
    // The pins between two resolved ones are unresolved, whether or not a pin was found for them.
    int lastResolved = 0;
    for (const PinSlot& slot : table.foundPins) {
        if (slot.testerPin == 0) {
            continue;
        }
        ++(slot.origin == PinOrigin::Diode ? summary.pinsFromDiodeSteps : summary.pinsFromJSteps);
        if (slot.pin > lastResolved + 1) {
            summary.unresolvedRanges.push_back({lastResolved + 1, slot.pin - 1});
        }
        lastResolved = slot.pin;
    }
    if (table.pinCount > lastResolved) {
        summary.unresolvedRanges.push_back({lastResolved + 1, table.pinCount});
    }
    summary.unresolvedCount = table.pinCount - summary.pinsFromDiodeSteps - summary.pinsFromJSteps;
    return summary;
}

}  // namespace zemra
