#pragma once

#include <cstddef>
#include <vector>

#include "names/name_table.h"
#include "text/fixed_text.h"

namespace zemra {

// The fixed end of an IC's diode steps.
struct IcCommonPin {
    NameId name = 0;
    int commonPin = 0;

    friend bool operator==(const IcCommonPin&, const IcCommonPin&) = default;
};

// An IC pin and the tester pin wired to it.
struct IcPin {
    NameId name = 0;
    int testerPin = 0;
    int pinNumber = 0;

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

// The IC pins worked out from the diode and J steps.
struct IcPins {
    std::vector<IcDiodePin> icDiodePins;
    std::vector<IcPinCount> icPinCounts;
    // For each IC of icPinCounts, in its order, and each of its pins from 1 to pinCount in
    // ascending order: the J pin that the pin file shows, the last one found for that pin.
    std::vector<IcJPin> icJPins;
    // J pins found for a pin beyond their IC's pin count, which no pin file line can show.
    std::size_t ignoredJPins = 0;
};

}  // namespace zemra
