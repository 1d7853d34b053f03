#include "report/pin_explanations.h"

#include <algorithm>
#include <span>

#include "icpins/pin_text.h"

namespace zemra {
namespace {

// A J step can find pins this far beyond its IC's pin count.
constexpr int kJPinReach = 20;

// Entries of one IC by a number (a pin or a pin step), each number's in the order they came:
// sorted lists instead of a map of lists, since an IC has only a few dozen of them and a board
// tens of thousands of ICs.
template <class Key, class Entry>
class EntriesBy {
  public:
    struct Item {
        Key key;
        const Entry* entry;
    };

    void add(Key key, const Entry* entry) { items_.push_back({key, entry}); }
    // Once every entry is in; an entry added more than once under one number, one after the
    // other, is kept once.
    void sort() {
        std::ranges::stable_sort(items_, {}, &Item::key);
        const auto repeated =
            std::unique(items_.begin(), items_.end(), [](const Item& left, const Item& right) {
                return left.key == right.key && left.entry == right.entry;
            });
        items_.erase(repeated, items_.end());
    }
    std::span<const Item> at(Key key) const {
        const auto [first, last] = std::equal_range(items_.begin(), items_.end(), key, ByKey{});
        return {first, last};
    }
    std::span<const Item> all() const { return items_; }

  private:
    // Not ranges' unique and equal_range: the subranges they return do not compile with
    // clang 14 over libstdc++ 12, which the fuzzing build uses.
    struct ByKey {
        bool operator()(const Item& item, Key key) const { return item.key < key; }
        bool operator()(Key key, const Item& item) const { return key < item.key; }
    };
    std::vector<Item> items_;
};

using DiodePinsBy = EntriesBy<int, IcDiodePin>;
using JPinsBy = EntriesBy<int, IcJPin>;

// A diode pin and a J pin of one IC pin with different tester pins: the last of each, which the
// .icp would show, where those differ.
std::optional<std::pair<const IcDiodePin*, const IcJPin*>> conflictOf(
    std::span<const DiodePinsBy::Item> diodePins, std::span<const JPinsBy::Item> jPins) {
    if (diodePins.empty() || jPins.empty()) {
        return std::nullopt;
    }
    const IcDiodePin* lastDiode = diodePins.back().entry;
    const IcJPin* lastJ = jPins.back().entry;
    if (lastDiode->testerPin != lastJ->testerPin) {
        return std::pair{lastDiode, lastJ};
    }
    for (const auto& j : jPins) {
        if (j.entry->testerPin != lastDiode->testerPin) {
            return std::pair{lastDiode, j.entry};
        }
    }
    for (const auto& diode : diodePins) {
        if (diode.entry->testerPin != lastJ->testerPin) {
            return std::pair{diode.entry, lastJ};
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
            diodeSteps_.add(step.pinNumber, &step);
        }
        for (const DeviceStep& step : sources_.jSteps) {
            jStepOf_.add(step.pinStep, &step);
            for (const int pin : pinsSpelled(step.pinNumber, ic_.pinCount)) {
                jSteps_.add(pin, &step);
            }
        }
        for (const IcDiodePin& pin : sources_.diodePins) {
            diodePins_.add(pin.pinNumber, &pin);
        }
        for (const IcJPin& pin : sources_.jPins) {
            jPins_.add(pin.pinNumber, &pin);
            givingSteps_.push_back(pin.pinStep);
        }
        for (const IgnoredJPin& pin : ic.ignoredJPins) {
            givingSteps_.push_back(pin.pinStep);
        }
        const auto [first, last] = std::equal_range(misnamedJSteps.begin(), misnamedJSteps.end(),
                                                    ic_.name.view(), MisnamedJStepOrder());
        for (auto step = first; step != last; ++step) {
            for (const int pin : pinsSpelled(step->pinNumber, ic_.pinCount)) {
                misnamed_.add(pin, &*step);
            }
        }
        diodeSteps_.sort();
        jSteps_.sort();
        misnamed_.sort();
        diodePins_.sort();
        jPins_.sort();
        jStepOf_.sort();
        std::ranges::sort(givingSteps_);
    }

    PinExplanation explain(int pin) const {
        PinExplanation explanation;
        explanation.pin = pin;
        explanation.testerPin = table_.testerPinOf(pin);
        const PinSlot* slot = slotOf(pin);
        for (const auto& step : diodeSteps_.at(pin)) {
            explanation.steps.push_back(diodeUse(*step.entry, slot));
        }
        const std::span<const DiodePinsBy::Item> diodePins = diodePins_.at(pin);
        const std::span<const JPinsBy::Item> jPins = jPins_.at(pin);
        // The J steps whose pin text names the pin, and those that gave it.
        std::vector<const DeviceStep*> jSteps;
        for (const auto& step : jSteps_.at(pin)) {
            jSteps.push_back(step.entry);
        }
        for (const auto& jPin : jPins) {
            if (const auto step = jStepOf_.at(jPin.entry->pinStep); !step.empty()) {
                addOnce(jSteps, step.back().entry);
            }
        }
        for (const DeviceStep* step : jSteps) {
            addJUses(*step, jPins, slot, explanation.steps);
        }
        for (const auto& step : misnamed_.at(pin)) {
            explanation.steps.push_back(misnamedUse(*step.entry));
        }
        std::stable_sort(explanation.steps.begin(), explanation.steps.end(),
                         [](const PinStepUse& left, const PinStepUse& right) {
                             return left.pinStep < right.pinStep;
                         });
        if (!diodePins.empty() && !jPins.empty()) {
            explanation.agreement =
                conflictOf(diodePins, jPins) ? PinAgreement::Conflict : PinAgreement::Agree;
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

    void addJUses(const DeviceStep& jStep, std::span<const JPinsBy::Item> jPins,
                  const PinSlot* slot, std::vector<PinStepUse>& uses) const {
        PinStepUse base;
        base.pinStep = jStep.pinStep;
        base.jStep = true;
        base.hiPin = jStep.hiPin;
        base.loPin = jStep.loPin;
        std::vector<int> given;
        for (const auto& item : jPins) {
            const IcJPin* jPin = item.entry;
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
        if (!given.empty() || std::ranges::binary_search(givingSteps_, jStep.pinStep)) {
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

    const IcSummary& ic_;
    const IcPinTable& table_;
    const IcPinSources& sources_;
    EntriesBy<int, DeviceStep> diodeSteps_;          // by pin number
    EntriesBy<int, DeviceStep> jSteps_;              // by pin spelled
    EntriesBy<int, MisnamedJStep> misnamed_;         // by pin spelled
    DiodePinsBy diodePins_;                          // by pin number
    JPinsBy jPins_;                                  // by pin number
    EntriesBy<PinStepOrdinal, DeviceStep> jStepOf_;  // by pin step
    std::vector<PinStepOrdinal> givingSteps_;        // the J steps that gave any pin, ascending
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
    DiodePinsBy diodePins;
    for (const IcDiodePin& pin : sources.diodePins) {
        diodePins.add(pin.pinNumber, &pin);
    }
    JPinsBy jPins;
    for (const IcJPin& pin : sources.jPins) {
        jPins.add(pin.pinNumber, &pin);
    }
    diodePins.sort();
    jPins.sort();
    std::vector<PinConflict> conflicts;
    const std::span<const DiodePinsBy::Item> all = diodePins.all();
    for (auto pin = all.begin(); pin != all.end();) {
        const std::span<const DiodePinsBy::Item> ofPin = diodePins.at(pin->key);
        if (const auto conflict = conflictOf(ofPin, jPins.at(pin->key))) {
            conflicts.push_back({pin->key, *conflict->first, *conflict->second});
        }
        pin += static_cast<std::ptrdiff_t>(ofPin.size());
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
