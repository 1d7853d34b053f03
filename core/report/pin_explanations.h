#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "report/board_report.h"

namespace zemra {

// What a diode or J step that names an IC pin did for that pin.
enum class PinStepRole : std::uint8_t {
    Gave,            // its tester pin is the one in the .icp
    LaterDiodeStep,  // a later diode step gave the pin too, and the last one counts
    JStepWins,       // a J step gave the pin too, and a J pin counts over a diode pin
    LaterJPin,       // a later J pin for the pin counts
    NoCommonPin,     // a diode step that does not touch its IC's common pin gives no pin
    NothingFound,    // a J step that gave no pin at all (no diode pin of its IC at one of its
                     // tester pins spelled a part of its pin text, and pairing found nothing)
    OtherDevice,     // a J step whose listed name counts it for another device: under KX740E a
                     // J step named IC1_67 keeps "IC" and becomes JIC1_67, while the IC is U1
};
// Its name in the page's data.
std::string_view roleText(PinStepRole role);

// One step that names an IC pin.
struct PinStepUse {
    PinStepOrdinal pinStep = 0;
    bool jStep = false;
    int hiPin = 0;
    int loPin = 0;
    int testerPin = 0;  // the tester pin it gave the pin; 0 when it gave none
    PinStepRole role = PinStepRole::NothingFound;
    std::string countedFor;  // for PinStepRole::OtherDevice: the device it counts for, raw bytes
};

// Whether the diode and the J steps of a pin agree, where both gave it.
enum class PinAgreement : std::uint8_t { OneKind, Agree, Conflict };

// One IC pin and every diode and J step that names it, in step order: the diode steps of its
// number, the J steps that gave it a tester pin, and those that gave no pin at all and whose pin
// text names it (pinsSpelled) (a J step that gave other pins was read as naming those).
struct PinExplanation {
    int pin = 0;
    int testerPin = 0;  // as its .icp line shows it
    PinAgreement agreement = PinAgreement::OneKind;
    std::vector<PinStepUse> steps;
};

// A diode pin and a J pin of one IC pin with different tester pins.
struct PinConflict {
    int pin = 0;
    IcDiodePin diode;
    IcJPin j;
};

// The pins of `sources` where a diode step and a J step gave different tester pins, ascending.
// Each names the diode pin and the J pin that the .icp would show, where those two differ.
std::vector<PinConflict> findPinConflicts(const IcPinSources& sources);

// The pins 1 to `lastPin` of `ic`, each with the steps that name it; `misnamedJSteps` in
// MisnamedJStepOrder. Empty for an IC without its sources.
std::vector<PinExplanation> explainPins(const IcTrace& ic,
                                        const std::vector<MisnamedJStep>& misnamedJSteps,
                                        int lastPin);
// The same for the IC at `index` of the pin files of `report`: empty for a run that was not
// traced, or an IC whose sources it did not keep.
std::vector<PinExplanation> explainPins(const BoardReport& report, std::size_t index, int lastPin);

// The IC pins that the pin text of a J step names: both parts of each split of its digits that
// spells two pins within the reach of the IC's pin count (1213 names 12 and 13 of a 20-pin IC).
std::vector<int> pinsSpelled(int pinNumber, int pinCount);

}  // namespace zemra
