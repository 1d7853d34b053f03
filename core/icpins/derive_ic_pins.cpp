#include "icpins/derive_ic_pins.h"

#include "icpins/diode_pins.h"
#include "icpins/j_pins.h"

namespace zemra {
namespace {

// Each IC's J steps in icJSteps order; a step that finds a pin is done.
std::vector<bool> matchJStepsToKnownPins(const std::vector<IcDiodePin>& icDiodePins,
                                         const std::vector<IcJStep>& icJSteps,
                                         std::vector<IcPinCount>& icPinCounts,
                                         std::vector<FoundJPins>& found) {
    const NameGroups diodePinsByName(icDiodePins);
    const NameGroups jStepsByName(icJSteps);
    std::vector<bool> done(icJSteps.size());
    for (std::size_t ic = 0; ic < icPinCounts.size(); ++ic) {
        IcPinCount& pinCount = icPinCounts[ic];
        const KnownPins knownPins(icDiodePins, diodePinsByName.positionsOf(pinCount.name));
        for (const std::size_t position : jStepsByName.positionsOf(pinCount.name)) {
            const IcJStep& jStep = icJSteps[position];
            if (MatchJStepToKnownPins(PinText(jStep.pinNumber), jStep, knownPins, pinCount,
                                      found[ic])) {
                done[position] = true;
            }
        }
    }
    return done;
}

// Each IC's pairing scan runs over all of icJSteps and stops pairing at the first step that is
// another IC's or done. So only the IC whose steps head the list pairs any, up to its first
// step that matching marked done.
void pairJSteps(const std::vector<IcJStep>& icJSteps, const std::vector<bool>& done,
                const std::vector<IcPinCount>& icPinCounts, std::vector<FoundJPins>& found) {
    if (icJSteps.empty()) {
        return;
    }
    for (std::size_t ic = 0; ic < icPinCounts.size(); ++ic) {
        if (icPinCounts[ic].name != icJSteps.front().name) {
            continue;
        }
        // The scan starts from a cleared step, whose pin text 0 pairs with nothing.
        IcJStep previous;
        for (std::size_t position = 0; position < icJSteps.size(); ++position) {
            const IcJStep& jStep = icJSteps[position];
            if (jStep.name != icPinCounts[ic].name || done[position]) {
                break;
            }
            MatchJStepPair(jStep, previous, icPinCounts[ic], found[ic]);
            previous = jStep;
        }
    }
}

}  // namespace

IcPins DeriveIcPins(const std::vector<IcDevice>& icDevices,
                    const std::vector<IcCommonPin>& icCommonPins,
                    const std::vector<IcDiodeStep>& icDiodeSteps,
                    const std::vector<IcJStep>& icJSteps) {
    IcPins pins;
    pins.icDiodePins = FindDiodePins(icCommonPins, icDiodeSteps);
    pins.icPinCounts = CountIcPins(icDevices, pins.icDiodePins);
    std::vector<FoundJPins> found(pins.icPinCounts.size());
    const std::vector<bool> done =
        matchJStepsToKnownPins(pins.icDiodePins, icJSteps, pins.icPinCounts, found);
    pairJSteps(icJSteps, done, pins.icPinCounts, found);
    for (std::size_t ic = 0; ic < pins.icPinCounts.size(); ++ic) {
        const std::vector<IcJPin> shown = found[ic].shownPins(pins.icPinCounts[ic].name);
        pins.icJPins.insert(pins.icJPins.end(), shown.begin(), shown.end());
        pins.ignoredJPins += found[ic].ignoredCount();
    }
    return pins;
}

}  // namespace zemra
