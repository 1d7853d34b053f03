#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "devices/pin_step_list.h"
#include "icpins/ic_pin_entries.h"
#include "names/name_table.h"
#include "pinfiles/ic_pin_table.h"
#include "text/fixed_text.h"

namespace zemra {

// IC pins from `first` to `last`.
struct PinRange {
    int first = 0;
    int last = 0;

    friend bool operator==(const PinRange&, const PinRange&) = default;
};

// One IC of the pin files and where its pins' tester pins came from. Boards hold tens of
// thousands of ICs, so this is kept small: the pins found are kept only by a traced run
// (ConversionSummary::icPinTables).
struct IcSummary {
    FixedText<NameTable::kMaxLength> name;  // raw bytes
    LcCode lc;                              // raw bytes
    int pinCount = 0;
    std::int64_t firstIcp = 0;  // the .icp line of its pin 1
    // Pins whose tester pin in the .icp came from a diode pin or a J pin; a pin whose tester pin
    // is 0 counts as unresolved, wherever the 0 came from.
    int pinsFromDiodeSteps = 0;
    int pinsFromJSteps = 0;
    int unresolvedCount = 0;
    std::vector<PinRange> unresolvedRanges;  // ascending; a pin count can run into millions

    // The pins whose .icp line shows tester pin 0, ascending, at most `limit` of them.
    std::vector<int> unresolvedPins(std::size_t limit) const;
    // Hands each of them to `visit`, ascending, as long as it returns true.
    template <class Visit>
    void forEachUnresolvedPin(Visit visit) const {
        for (const PinRange& range : unresolvedRanges) {
            for (std::int64_t pin = range.first; pin <= range.last; ++pin) {
                if (!visit(static_cast<int>(pin))) {
                    return;
                }
            }
        }
    }
};

// An IC's summary from its pin table; `firstIcp` is the .icp line of its pin 1.
IcSummary summariseIc(std::string_view name, const IcPinCount& ic, const IcPinTable& table,
                      std::int64_t firstIcp);

// A J pin found beyond its IC's pin count, which no .icp line shows.
struct IgnoredJPin {
    std::size_t ic = 0;  // the IC's place in ConversionSummary::ics
    int pinNumber = 0;
    int testerPin = 0;
    PinStepOrdinal pinStep = 0;  // the J step that gave it

    friend bool operator==(const IgnoredJPin&, const IgnoredJPin&) = default;
};

// Everything that told the tester pins of one IC, for reports that explain each pin: its common
// pin, every diode and J step of it, and every diode and J pin found, repeats included.
struct IcPinSources {
    int commonPin = 0;
    std::vector<DeviceStep> diodeSteps;  // in step order
    std::vector<DeviceStep> jSteps;      // in step order
    std::vector<IcDiodePin> diodePins;   // in step order
    std::vector<IcJPin> jPins;           // from 1 to the pin count, in the order found
    // Whether its J steps were paired with each other: only those of the IC whose J steps come
    // first are.
    bool pairsJSteps = false;
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

    // Kept only by a traced run (one with a record observer): every ignored J pin and, unless
    // its observer took them (RecordObserver::takeIc()), each IC's pin table, in the order of ics,
    // whose found pins name the pin step that gave each, and, when its observer wants them, what
    // told each IC's pins, in the order of ics.
    std::vector<IcPinTable> icPinTables;
    std::vector<IgnoredJPin> ignoredJPinList;
    std::vector<IcPinSources> icPinSources;
};

}  // namespace zemra
