// Further IC pins from the J steps of each IC: matching against the pins known from diode steps,
// then pairing consecutive J steps that share a tester pin.
#include <algorithm>
#include <optional>

#include "devices/name_index.h"
#include "run/conversion.h"
#include "text/format.h"

namespace zemra {
namespace {

// A J pin found by matching may lie this far beyond the pin count and raise it.
constexpr int kPinCountReach = 20;

int numberOf(std::string_view digits) {
    int value = 0;
    for (const char digit : digits) {
        value = value * 10 + (digit - '0');
    }
    return value;
}

// The pin number whose "%d" text is exactly `part`: none for a part with a leading zero.
std::optional<int> pinNumberSpelled(std::string_view part) {
    if (part.size() > 1 && part.front() == '0') {
        return std::nullopt;
    }
    return numberOf(part);
}

void appendPositions(const std::vector<std::size_t>& from, std::vector<std::size_t>& to) {
    to.insert(to.end(), from.begin(), from.end());
}

}  // namespace

void Conversion::matchJStepsToKnownPins() {
    const NameIndex jStepsByName(lists_.icJSteps);
    for (IcPinCount& pinCount : lists_.icPinCounts) {
        for (const std::size_t position : jStepsByName.positionsOf(pinCount.name)) {
            IcJStep& jStep = lists_.icJSteps[position];
            MatchJStepToKnownPins(decimalText(jStep.pinNumber), jStep, pinCount);
        }
    }
}

// Splits the pin text at every position; a part that spells a diode pin of the IC at one of the
// step's tester pins gives the other part as the pin at the step's other tester pin. Diode pins
// are visited in list order, as a scan of icDiodePins would, but only those that can match.
void Conversion::MatchJStepToKnownPins(const std::string& pinText, IcJStep& jStep,
                                       IcPinCount& pinCount) {
    if (pinText.size() < 2) {
        return;
    }
    knownPins_.update(lists_.icDiodePins);
    const auto accept = [&](const IcDiodePin& known, int pinNumber) {
        int farEnd = 0;
        if (known.testerPin == jStep.hiPin) {
            farEnd = jStep.loPin;
        } else if (known.testerPin == jStep.loPin) {
            farEnd = jStep.hiPin;
        } else {
            return;
        }
        if (pinNumber < pinCount.pinCount + kPinCountReach && pinNumber > 0) {
            lists_.icJPins.push_back({jStep.name, farEnd, pinNumber});
            jStep.done = 1;
            pinCount.pinCount = std::max(pinCount.pinCount, pinNumber);
        }
    };
    std::vector<std::size_t> candidates;
    for (std::size_t split = 1; split < pinText.size(); ++split) {
        const std::string_view left = std::string_view(pinText).substr(0, split);
        const std::string_view right = std::string_view(pinText).substr(split);
        const auto leftPin = pinNumberSpelled(left);
        const auto rightPin = pinNumberSpelled(right);
        candidates.clear();
        for (const auto pin : {leftPin, rightPin}) {
            if (!pin) {
                continue;
            }
            appendPositions(knownPins_.positionsOf(jStep.name, *pin, jStep.hiPin), candidates);
            if (jStep.loPin != jStep.hiPin) {
                appendPositions(knownPins_.positionsOf(jStep.name, *pin, jStep.loPin), candidates);
            }
        }
        std::sort(candidates.begin(), candidates.end());
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
        for (const std::size_t position : candidates) {
            const IcDiodePin& known = lists_.icDiodePins[position];
            if (known.pinNumber == leftPin) {
                accept(known, numberOf(right));
            }
            if (known.pinNumber == rightPin) {
                accept(known, numberOf(left));
            }
        }
    }
}

// Only the IC whose J steps head icJSteps can pair any: the scan of every other IC meets a step
// of another IC first, and from then on it is blocked and only remembers steps. The head IC
// pairs its steps up to the first one that matching marked done.
void Conversion::pairJSteps() {
    for (const IcPinCount& pinCount : lists_.icPinCounts) {
        pairBlocked_ = 0;
        curJStep_ = {};
        prevJStep_ = {};
        for (const IcJStep& jStep : lists_.icJSteps) {
            if (jStep.name != pinCount.name || jStep.done == 1) {
                pairBlocked_ = 1;
                break;
            }
            MatchJStepPair(jStep, pairBlocked_);
        }
    }
}

void Conversion::MatchJStepPair(const IcJStep& jStep, int blocked) {
    curJStep_ = {jStep.name, jStep.hiPin, jStep.loPin, jStep.pinNumber};
    if (blocked != 1) {
        pairWithPreviousJStep();
    }
    prevJStep_ = curJStep_;
}

// Two J steps that share a tester pin share an IC pin: the part of both pin texts that is the
// same is the pin at the shared tester pin, the rest of each the pin at its other tester pin.
void Conversion::pairWithPreviousJStep() {
    const JStepState& prev = prevJStep_;
    const JStepState& cur = curJStep_;
    int shared = 0;
    int prevOther = 0;
    int curOther = 0;
    if (cur.hiPin == prev.loPin) {
        shared = prev.loPin, prevOther = prev.hiPin, curOther = cur.loPin;
    } else if (cur.hiPin == prev.hiPin) {
        shared = prev.hiPin, prevOther = prev.loPin, curOther = cur.loPin;
    } else if (cur.loPin == prev.loPin) {
        shared = prev.loPin, prevOther = prev.hiPin, curOther = cur.hiPin;
    } else if (cur.loPin == prev.hiPin) {
        shared = prev.hiPin, prevOther = prev.loPin, curOther = cur.hiPin;
    } else {
        return;
    }
    const std::string curText = decimalText(cur.pinNumber);
    const std::string prevText = decimalText(prev.pinNumber);
    const std::string_view a = curText;
    const std::string_view b = prevText;
    const auto emit = [&](std::string_view sharedPart, std::string_view prevRest,
                          std::string_view curRest) {
        lists_.icJPins.push_back({prev.name, shared, numberOf(sharedPart)});
        lists_.icJPins.push_back({prev.name, prevOther, numberOf(prevRest)});
        lists_.icJPins.push_back({cur.name, curOther, numberOf(curRest)});
    };
    for (std::size_t i = 1; i < a.size(); ++i) {
        for (std::size_t j = 1; j < b.size(); ++j) {
            const auto aLeft = a.substr(0, i);
            const auto aRight = a.substr(i);
            const auto bLeft = b.substr(0, j);
            const auto bRight = b.substr(j);
            if (aLeft == bLeft) {
                emit(bLeft, bRight, aRight);
            } else if (aLeft == bRight) {
                emit(bRight, bLeft, aRight);
            }
            if (aRight == bLeft) {
                emit(bLeft, bRight, aLeft);
            } else if (aRight == bRight) {
                emit(bRight, bLeft, aLeft);
            }
        }
    }
}

}  // namespace zemra
