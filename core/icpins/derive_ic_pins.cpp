#include "icpins/derive_ic_pins.h"

#include <optional>

#include "icpins/diode_pins.h"
#include "icpins/j_pins.h"

namespace zemra {
namespace {

// The IC whose J steps head icJSteps: the first in icDevices that has any.
std::optional<std::size_t> icHeadingJSteps(const IcSteps& icJSteps) {
    for (std::size_t ic = 0; ic < icJSteps.icCount(); ++ic) {
        if (!icJSteps.of(ic).empty()) {
            return ic;
        }
    }
    return std::nullopt;
}

// The IC's J steps in icJSteps order; a step that finds a pin is done.
void matchJStepsToKnownPins(const DeviceSteps& jSteps, const KnownPins& knownPins,
                            IcPinCount& pinCount, FoundJPins& found, std::vector<bool>& done) {
    done.clear();
    for (const IcJStep& jStep : jSteps) {
        done.push_back(
            MatchJStepToKnownPins(PinText(jStep.pinNumber), jStep, knownPins, pinCount, found));
    }
}

// Each IC's pairing scan runs over all of icJSteps and stops pairing at the first step that is
// another IC's or done. So only the IC whose steps head the list pairs any, up to its first
// step that matching marked done.
void pairJSteps(const DeviceSteps& jSteps, const std::vector<bool>& done,
                const IcPinCount& pinCount, FoundJPins& found) {
    // The scan starts from a cleared step, whose pin text 0 pairs with nothing.
    IcJStep previous;
    std::size_t position = 0;
    for (const IcJStep& jStep : jSteps) {
        if (done[position++]) {
            break;
        }
        MatchJStepPair(jStep, previous, pinCount, found);
        previous = jStep;
    }
}

}  // namespace

void DeriveIcPins(const std::vector<IcDevice>& icDevices,
                  const std::vector<IcCommonPin>& icCommonPins, const IcSteps& icDiodeSteps,
                  const IcSteps& icJSteps, bool keepIgnoredJPins,
                  const std::function<void(const IcPins&)>& take, bool keepEveryJPin) {
    const std::optional<std::size_t> pairingIc = icHeadingJSteps(icJSteps);
    IcPins pins;
    KnownPins knownPins;
    FoundJPins found;
    std::vector<bool> done;
    for (std::size_t ic = 0; ic < icDevices.size(); ++ic) {
        FindDiodePins(icCommonPins[ic], icDiodeSteps.of(ic), pins.diodePins);
        pins.pinCount = CountIcPins(icDevices[ic], pins.diodePins);
        found.clear(keepIgnoredJPins, keepEveryJPin);
        if (pins.pinCount) {
            knownPins.assign(pins.diodePins);
            matchJStepsToKnownPins(icJSteps.of(ic), knownPins, *pins.pinCount, found, done);
            if (ic == pairingIc) {
                pairJSteps(icJSteps.of(ic), done, *pins.pinCount, found);
            }
        }
        found.moveInto(pins);
        take(pins);
    }
}

}  // namespace zemra
