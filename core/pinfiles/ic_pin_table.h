#pragma once

#include <cstdint>
#include <vector>

#include "icpins/ic_pin_entries.h"
#include "pinfiles/pin_origin.h"

namespace zemra {

// The tester pin that one IC pin got, where it came from, and the pin step that gave it: the
// diode step, the J step that matched a known pin, or, for a pin from pairing two J steps, the
// step whose end it is (the earlier one for the pin they share).
struct PinSlot {
    int pin = 0;
    int testerPin = 0;
    PinOrigin origin = PinOrigin::Diode;  // never None: only the pins found are held
    PinStepOrdinal pinStep = 0;

    friend bool operator==(const PinSlot&, const PinSlot&) = default;
};

// The tester pin of each IC pin 1 to pinCount that a diode or J pin named. Only the pins found are
// held, in ascending order, so that a pin count in the millions costs no memory.
struct IcPinTable {
    NameId name = 0;
    int pinCount = 0;
    std::vector<PinSlot> foundPins;

    // The tester pin of `pin`, 0 if none was found.
    int testerPinOf(int pin) const;
};

// The table of one IC that has a pin count, into `table` (its room is reused): the diode pins
// first, then the J pins, each in list order, so the last entry for a pin wins and every J pin
// wins over every diode pin.
void BuildIcPinTable(const IcPins& pins, IcPinTable& table);

}  // namespace zemra
