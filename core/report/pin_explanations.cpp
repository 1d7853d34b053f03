#include "report/pin_explanations.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "icpins/pin_text.h"

namespace zemra {
namespace {

// A J step can find pins this far beyond its IC's pin count.
constexpr int kJPinReach = 20;

// The diode and J pins found for one IC pin, each in the order found.
struct PinsOfOnePin {
    std::vector<const IcDiodePin*> diode;
    std::vector<const IcJPin*> j;
};

// A diode pin and a J pin of `pins` with different tester pins: the last of each, which the .icp
// would show, where those differ.
std::optional<std::pair<const IcDiodePin*, const IcJPin*>> conflictOf(const PinsOfOnePin& pins) {
    if (pins.diode.empty() || pins.j.empty()) {
        return std::nullopt;
    }
    const IcDiodePin* lastDiode = pins.diode.back();
    const IcJPin* lastJ = pins.j.back();
    if (lastDiode->testerPin != lastJ->testerPin) {
        return std::pair{lastDiode, lastJ};
    }
    for (const IcJPin* j : pins.j) {
        if (j->testerPin != lastDiode->testerPin) {
            return std::pair{lastDiode, j};
        }
    }
    for (const IcDiodePin* diode : pins.diode) {
        if (diode->testerPin != lastJ->testerPin) {
            return std::pair{diode, lastJ};
        }
    }
    return std::nullopt;
}

// Builds the explanation of each pin of one IC.
class PinExplainer {
  public:
    PinExplainer(const IcTrace& ic, const std::vector<MisnamedJStep>& misnamedJSteps)
        : ic_(ic.ic), table_(ic.table), sources_(*ic.sources) {
        for (const DeviceStep& step : sources_.diodeSteps) {
            diodeSteps_[step.pinNumber].push_back(&step);
        }
        for (const DeviceStep& step : sources_.jSteps) {
            jStepOf_[step.pinStep] = &step;
            for (const int pin : pinsSpelled(step.pinNumber, ic_.pinCount)) {
                addOnce(jSteps_[pin], &step);
            }
        }
        for (const IcDiodePin& pin : sources_.diodePins) {
            pins_[pin.pinNumber].diode.push_back(&pin);
        }
        for (const IcJPin& pin : sources_.jPins) {
            pins_[pin.pinNumber].j.push_back(&pin);
            pinsGivenBy_[pin.pinStep].push_back(pin.pinNumber);
        }
        for (const IgnoredJPin& pin : ic.ignoredJPins) {
            pinsGivenBy_[pin.pinStep].push_back(pin.pinNumber);
        }
        const auto [first, last] = std::equal_range(misnamedJSteps.begin(), misnamedJSteps.end(),
                                                    ic_.name.view(), MisnamedJStepOrder());
        for (auto step = first; step != last; ++step) {
            for (const int pin : pinsSpelled(step->pinNumber, ic_.pinCount)) {
                addOnce(misnamed_[pin], &*step);
            }
        }
    }

    PinExplanation explain(int pin) const {
        PinExplanation explanation;
        explanation.pin = pin;
        explanation.testerPin = table_.testerPinOf(pin);
        const PinSlot* slot = slotOf(pin);
        for (const DeviceStep* step : listAt(diodeSteps_, pin)) {
            explanation.steps.push_back(diodeUse(*step, slot));
        }
        const PinsOfOnePin& pins = pinsAt(pin);
        // The J steps that gave the pin, and those whose pin text names it.
        std::vector<const DeviceStep*> jSteps = listAt(jSteps_, pin);
        for (const IcJPin* jPin : pins.j) {
            if (const auto step = jStepOf_.find(jPin->pinStep); step != jStepOf_.end()) {
                addOnce(jSteps, step->second);
            }
        }
        for (const DeviceStep* step : jSteps) {
            addJUses(*step, pins.j, slot, explanation.steps);
        }
        for (const MisnamedJStep* step : listAt(misnamed_, pin)) {
            explanation.steps.push_back(misnamedUse(*step));
        }
        std::stable_sort(explanation.steps.begin(), explanation.steps.end(),
                         [](const PinStepUse& left, const PinStepUse& right) {
                             return left.pinStep < right.pinStep;
                         });
        if (!pins.diode.empty() && !pins.j.empty()) {
            explanation.agreement = conflictOf(pins) ? PinAgreement::Conflict : PinAgreement::Agree;
        }
        return explanation;
    }

  private:
    const PinSlot* slotOf(int pin) const {
        const auto found =
            std::lower_bound(table_.foundPins.begin(), table_.foundPins.end(), pin,
                             [](const PinSlot& slot, int wanted) { return slot.pin < wanted; });
        return found != table_.foundPins.end() && found->pin == pin ? &*found : nullptr;
    }

    PinStepUse diodeUse(const DeviceStep& diode, const PinSlot* slot) const {
        PinStepUse use;
        use.pinStep = diode.pinStep;
        use.hiPin = diode.hiPin;
        use.loPin = diode.loPin;
        const int common = sources_.commonPin;
        if (diode.loPin != common && diode.hiPin != common) {
            use.role = PinStepRole::NoCommonPin;
            return use;
        }
        use.testerPin = diode.loPin == common ? diode.hiPin : diode.loPin;
        if (slot != nullptr && slot->origin == PinOrigin::Diode && slot->pinStep == diode.pinStep) {
            use.role = PinStepRole::Gave;
        } else if (slot != nullptr && slot->origin == PinOrigin::J) {
            use.role = PinStepRole::JStepWins;
        } else {
            use.role = PinStepRole::LaterDiodeStep;
        }
        return use;
    }

    void addJUses(const DeviceStep& jStep, const std::vector<const IcJPin*>& jPins,
                  const PinSlot* slot, std::vector<PinStepUse>& uses) const {
        PinStepUse base;
        base.pinStep = jStep.pinStep;
        base.jStep = true;
        base.hiPin = jStep.hiPin;
        base.loPin = jStep.loPin;
        std::vector<int> given;
        for (const IcJPin* jPin : jPins) {
            if (jPin->pinStep != jStep.pinStep ||
                std::find(given.begin(), given.end(), jPin->testerPin) != given.end()) {
                continue;
            }
            given.push_back(jPin->testerPin);
            PinStepUse use = base;
            use.testerPin = jPin->testerPin;
            if (slot != nullptr && slot->origin == PinOrigin::J && slot->pinStep == jStep.pinStep &&
                slot->testerPin == jPin->testerPin) {
                use.role = PinStepRole::Gave;
            } else {
                use.role = PinStepRole::LaterJPin;
            }
            uses.push_back(std::move(use));
        }
        // A J step that gave other pins was read as naming those.
        if (!given.empty() || pinsGivenBy_.contains(jStep.pinStep)) {
            return;
        }
        PinStepUse use = base;
        use.role = PinStepRole::NothingFound;
        uses.push_back(std::move(use));
    }

    PinStepUse misnamedUse(const MisnamedJStep& misnamed) const {
        PinStepUse use;
        use.pinStep = misnamed.pinStep;
        use.jStep = true;
        use.hiPin = misnamed.hiPin;
        use.loPin = misnamed.loPin;
        use.role = PinStepRole::OtherDevice;
        use.countedFor = misnamed.countedFor;
        return use;
    }

    template <class Entry>
    static void addOnce(std::vector<const Entry*>& list, const Entry* entry) {
        if (std::find(list.begin(), list.end(), entry) == list.end()) {
            list.push_back(entry);
        }
    }

    template <class Entry>
    static std::vector<const Entry*> listAt(
        const std::unordered_map<int, std::vector<const Entry*>>& lists, int pin) {
        const auto found = lists.find(pin);
        return found != lists.end() ? found->second : std::vector<const Entry*>{};
    }

    const PinsOfOnePin& pinsAt(int pin) const {
        static const PinsOfOnePin kNone;
        const auto found = pins_.find(pin);
        return found != pins_.end() ? found->second : kNone;
    }

    const IcSummary& ic_;
    const IcPinTable& table_;
    const IcPinSources& sources_;
    std::unordered_map<int, std::vector<const DeviceStep*>> diodeSteps_;   // by pin number
    std::unordered_map<int, std::vector<const DeviceStep*>> jSteps_;       // by pin spelled
    std::unordered_map<int, std::vector<const MisnamedJStep*>> misnamed_;  // by pin spelled
    std::unordered_map<int, PinsOfOnePin> pins_;
    std::unordered_map<PinStepOrdinal, const DeviceStep*> jStepOf_;
    std::unordered_map<PinStepOrdinal, std::vector<int>> pinsGivenBy_;
};

}  // namespace

std::string_view roleText(PinStepRole role) {
    switch (role) {
        case PinStepRole::Gave:
            return "gave";
        case PinStepRole::LaterDiodeStep:
            return "laterDiodeStep";
        case PinStepRole::JStepWins:
            return "jStepWins";
        case PinStepRole::LaterJPin:
            return "laterJPin";
        case PinStepRole::NoCommonPin:
            return "noCommonPin";
        case PinStepRole::NothingFound:
            return "nothingFound";
        case PinStepRole::OtherDevice:
            return "otherDevice";
    }
    return "";
}

std::vector<int> pinsSpelled(int pinNumber, int pinCount) {
    std::vector<int> pins;
    const PinText text(pinNumber);
    const auto inReach = [pinCount](std::optional<int> pin) {
        return pin && *pin > 0 && *pin < pinCount + kJPinReach;
    };
    for (std::size_t split = 1; split < text.view().size(); ++split) {
        const std::optional<int> left = pinNumberSpelled(text.left(split));
        const std::optional<int> right = pinNumberSpelled(text.right(split));
        if (inReach(left) && inReach(right)) {
            pins.push_back(*left);
            pins.push_back(*right);
        }
    }
    return pins;
}

std::vector<PinConflict> findPinConflicts(const IcPinSources& sources) {
    std::map<int, PinsOfOnePin> byPin;
    for (const IcDiodePin& pin : sources.diodePins) {
        byPin[pin.pinNumber].diode.push_back(&pin);
    }
    for (const IcJPin& pin : sources.jPins) {
        if (const auto found = byPin.find(pin.pinNumber); found != byPin.end()) {
            found->second.j.push_back(&pin);
        }
    }
    std::vector<PinConflict> conflicts;
    for (const auto& [pin, pins] : byPin) {
        if (const auto conflict = conflictOf(pins)) {
            conflicts.push_back({pin, *conflict->first, *conflict->second});
        }
    }
    return conflicts;
}

std::vector<PinExplanation> explainPins(const IcTrace& ic,
                                        const std::vector<MisnamedJStep>& misnamedJSteps,
                                        int lastPin) {
    std::vector<PinExplanation> explanations;
    if (ic.sources == nullptr) {
        return explanations;
    }
    const PinExplainer explainer(ic, misnamedJSteps);
    for (int pin = 1; pin <= lastPin; ++pin) {
        explanations.push_back(explainer.explain(pin));
    }
    return explanations;
}

std::vector<PinExplanation> explainPins(const BoardReport& report, std::size_t index, int lastPin) {
    const std::optional<IcTrace> ic = report.traceOf(index);
    return ic ? explainPins(*ic, report.misnamedJSteps, lastPin) : std::vector<PinExplanation>();
}

}  // namespace zemra
