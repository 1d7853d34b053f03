#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pinfiles/ic_pin_table.h"

namespace zemra {

// One IC of the pin files and where its pins' tester pins came from.
struct IcSummary {
    std::string name;  // raw bytes
    std::string lc;    // raw bytes
    int pinCount = 0;
    std::int64_t firstIcp = 0;  // the .icp line of its pin 1
    // Pins whose tester pin in the .icp came from a diode pin or a J pin; a pin whose tester pin
    // is 0 counts as unresolved, wherever the 0 came from.
    std::int64_t pinsFromDiodeSteps = 0;
    std::int64_t pinsFromJSteps = 0;
    std::int64_t unresolvedCount = 0;
    std::vector<PinSlot> foundPins;  // the pins found, ascending

    // The pins whose .icp line shows tester pin 0, ascending, at most `limit` of them.
    std::vector<int> unresolvedPins(std::size_t limit) const;
    // Hands each of them to `visit`, ascending: a pin count can run into millions.
    template <class Visit>
    void forEachUnresolvedPin(Visit visit) const {
        auto slot = foundPins.begin();
        for (std::int64_t pin = 1; pin <= pinCount; ++pin) {
            if (slot != foundPins.end() && slot->pin == pin) {
                const bool resolved = slot->testerPin != 0;
                ++slot;
                if (resolved) {
                    continue;
                }
            }
            if (!visit(static_cast<int>(pin))) {
                return;
            }
        }
    }
};

// What a conversion found and what it could not resolve.
struct ConversionSummary {
    std::uint64_t records = 0;       // whole 64-byte records read
    std::uint64_t ignoredBytes = 0;  // a trailing partial record
    std::uint64_t steps = 0;         // steps listed, "*" steps included
    std::uint64_t skippedSteps = 0;  // "*" steps
    std::uint64_t droppedRecords = 0;
    std::uint64_t ignoredJPins = 0;  // J pins beyond their IC's pin count
    std::vector<IcSummary> ics;      // in .icn order
};

}  // namespace zemra
