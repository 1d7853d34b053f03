#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "devices/device_lists.h"
#include "icpins/ic_pin_entries.h"
#include "icpins/pin_text.h"

namespace zemra {

// The J pins found for one IC. Only the last one found for a pin shows in the pin file, so the
// others are dropped as the list grows. One found beyond the IC's pin count has no line there
// and is only counted, or kept apart when asked for: the pin count rises only before a J pin is
// found for it, so such a pin stays beyond. When asked for, every pin found within the pin count
// is kept as well, repeats included, for reports that tell which steps gave a pin.
class FoundJPins {
  public:
    // Starts over, for the next IC.
    void clear(bool keepIgnored, bool keepEvery = false);
    void add(int pinNumber, int testerPin, PinStepOrdinal pinStep, const IcPinCount& ic);
    // The pins found, into `pins`: those the pin file shows, from 1 to the pin count, ascending,
    // and those beyond it.
    void moveInto(IcPins& pins);

  private:
    std::vector<IcJPin> found_;  // within the pin count, in the order found
    std::vector<IcJPin> every_;
    bool keepEvery_ = false;
    std::size_t compactAt_ = 0;
    std::vector<IcJPin> ignored_;
    std::size_t ignoredCount_ = 0;
    bool keepIgnored_ = false;
};

// The diode pins of one IC by IC pin number and tester pin: the places, in the IC's diode pins,
// of the known pins that a part of a J step's pin text can match.
class KnownPins {
  public:
    void assign(const std::vector<IcDiodePin>& icDiodePins);
    // Ascending places, among the IC's diode pins, of those with this pin and tester pin.
    std::span<const std::size_t> ranksOf(int pinNumber, int testerPin) const;

  private:
    struct Entry {
        int pinNumber;
        int testerPin;
        std::size_t rank;
    };
    std::vector<Entry> entries_;  // sorted by pin, tester pin and rank
    std::vector<std::size_t> ranks_;
};

// Matches a J step against the IC's diode pins: a part of the pin text that spells a known pin at
// one of the step's tester pins gives the other part as the IC pin at the step's other tester
// pin, if it lies above 0 and below the pin count + 20; the pin count rises to it. Returns
// whether anything was found, which marks the step done. Exactly what a scan of every diode pin
// of the IC gives, for each split of the text in turn, but at a cost per distinct known pin.
bool MatchJStepToKnownPins(const PinText& pinText, const IcJStep& jStep, const KnownPins& knownPins,
                           IcPinCount& pinCount, FoundJPins& found);

// Pairs a J step with the one before it in the IC's scan: when the two share a tester pin, a part
// of both pin texts that is the same is the IC pin at the shared tester pin, and the rest of each
// the IC pin at its other end. The shared pin and the previous step's other end come from the
// previous step.
void MatchJStepPair(const IcJStep& jStep, const IcJStep& previous, const IcPinCount& pinCount,
                    FoundJPins& found);

}  // namespace zemra
