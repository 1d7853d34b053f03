#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "decode/pin_step.h"
#include "names/name_table.h"
#include "text/fixed_text.h"

namespace zemra {

// The fixed end of an IC's diode steps.
struct IcCommonPin {
    NameId name = 0;
    int commonPin = 0;

    friend bool operator==(const IcCommonPin&, const IcCommonPin&) = default;
};

// An IC pin, the tester pin wired to it and the pin step that told.
struct IcPin {
    NameId name = 0;
    int testerPin = 0;
    int pinNumber = 0;
    PinStepOrdinal pinStep = 0;

    friend bool operator==(const IcPin&, const IcPin&) = default;
};

// Found from a diode step to the common pin.
using IcDiodePin = IcPin;
// Found from a J step.
using IcJPin = IcPin;

// An IC that goes into the pin files, with the number of its pins there (1 to pinCount).
struct IcPinCount {
    NameId name = 0;
    int pinCount = 0;
    LcCode lc;

    friend bool operator==(const IcPinCount&, const IcPinCount&) = default;
};

// The pins of one IC, as DeriveIcPins hands them out.
struct IcPins {
    std::vector<IcDiodePin> diodePins;  // in step order, repeats kept
    // None for an IC whose diode pins reach no pin count: it is in no pin file and has no J pins.
    std::optional<IcPinCount> pinCount;
    // The J pin that the pin file shows for each pin from 1 to pinCount that has one, in
    // ascending order: the last one found for that pin.
    std::vector<IcJPin> jPins;
    // J pins found beyond the pin count, which no pin file line can show: how many, and, when
    // asked for, which.
    std::size_t ignoredJPinCount = 0;
    std::vector<IcJPin> ignoredJPins;
    // Every J pin found from 1 to pinCount, in the order found, repeats kept; only when asked for.
    std::vector<IcJPin> everyJPin;
};

}  // namespace zemra
