#include "pinfiles/ic_pin_table.h"

#include <algorithm>

#include "icpins/last_per_pin.h"

namespace zemra {
namespace {

bool byPin(const PinSlot& left, const PinSlot& right) {
    return left.pin < right.pin;
}

constexpr auto kPinOf = [](const PinSlot& slot) { return slot.pin; };

}  // namespace

int IcPinTable::testerPinOf(int pin) const {
    const auto found =
        std::lower_bound(foundPins.begin(), foundPins.end(), PinSlot{pin, 0, {}, 0}, byPin);
    return found != foundPins.end() && found->pin == pin ? found->testerPin : 0;
}

void BuildIcPinTable(const IcPins& pins, IcPinTable& table) {
    table.name = pins.pinCount->name;
    table.pinCount = pins.pinCount->pinCount;
    std::vector<PinSlot>& slots = table.foundPins;
    slots.clear();
    // No diode pin lies beyond the pin count, their highest; pin 0 is never written.
    for (const IcDiodePin& pin : pins.diodePins) {
        if (pin.pinNumber >= 1) {
            slots.push_back({pin.pinNumber, pin.testerPin, PinOrigin::Diode, pin.pinStep});
        }
    }
    for (const IcJPin& pin : pins.jPins) {
        slots.push_back({pin.pinNumber, pin.testerPin, PinOrigin::J, pin.pinStep});
    }
    keepLastPerPin(slots, kPinOf);
}

}  // namespace zemra
