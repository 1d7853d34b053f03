#include "icpins/j_pins.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <tuple>

#include "icpins/last_per_pin.h"

namespace zemra {
namespace {

// A J pin found by matching may lie this far beyond the pin count and raise it.
constexpr int kPinCountReach = 20;

// Candidates of one split in the order the scan meets them: the diode pins of the IC in list
// order, and for each the left part's match before the right part's.
using CandidateKey = std::size_t;
constexpr CandidateKey kNever = std::numeric_limits<CandidateKey>::max();

// The diode pins of one pin number and tester pin, met on one side of a split: each gives the
// same candidate, `value` at `farEnd`.
struct CandidateKind {
    std::span<const std::size_t> ranks;
    std::size_t side = 0;  // 0 when the left part matches, 1 when the right part does
    int farEnd = 0;
    int value = 0;

    CandidateKey keyOf(std::size_t rank) const { return rank * 2 + side; }
    CandidateKey firstFrom(CandidateKey start) const {
        const std::size_t rank = start <= side ? 0 : (start - side + 1) / 2;
        const auto found = std::lower_bound(ranks.begin(), ranks.end(), rank);
        return found == ranks.end() ? kNever : keyOf(*found);
    }
    CandidateKey last() const { return ranks.empty() ? kNever : keyOf(ranks.back()); }
};

// The candidates of one value: all of them are accepted from `start` on.
struct CandidateGroup {
    std::array<CandidateKind, 4> kinds{};
    std::size_t count = 0;
    int value = 0;
    CandidateKey start = kNever;

    CandidateKey firstFrom(CandidateKey from) const {
        CandidateKey first = kNever;
        for (std::size_t index = 0; index < count; ++index) {
            first = std::min(first, kinds[index].firstFrom(from));
        }
        return first;
    }
    // The accepted candidate met last, which the pin file shows for this value; none if nothing
    // was accepted.
    std::optional<std::pair<CandidateKey, int>> lastAccepted() const {
        std::optional<std::pair<CandidateKey, int>> last;
        for (std::size_t index = 0; index < count; ++index) {
            const CandidateKey key = kinds[index].last();
            if (start != kNever && key != kNever && key >= start && (!last || key > last->first)) {
                last = std::pair{key, kinds[index].farEnd};
            }
        }
        return last;
    }
};

bool withinReach(int value, const IcPinCount& pinCount) {
    return value > 0 && value < pinCount.pinCount + kPinCountReach;
}

// One split of a J step's pin text. Each diode pin that the left part spells gives the right
// part's number, each that the right part spells the left part's, at the step's tester pin that
// the diode pin does not share. A candidate is accepted when its value is within reach of the
// pin count, which each accepted value raises: once a value is accepted, every later candidate of
// it is too, and the other value may come within reach from then on.
bool matchSplit(std::string_view leftPart, std::string_view rightPart, const IcJStep& jStep,
                const KnownPins& knownPins, IcPinCount& pinCount, FoundJPins& found) {
    std::array<CandidateGroup, 2> groups{};
    groups[0].value = numberOf(rightPart);
    groups[1].value = numberOf(leftPart);
    // Both values alike: one group, whose candidates are accepted alike.
    const std::size_t groupCount = groups[0].value == groups[1].value ? 1 : 2;
    const auto addKinds = [&](std::optional<int> spelled, std::size_t side, int value) {
        if (!spelled) {
            return;
        }
        CandidateGroup& group = groups[groupCount == 1 ? 0 : side];
        group.kinds[group.count++] = {knownPins.ranksOf(*spelled, jStep.hiPin), side, jStep.loPin,
                                      value};
        if (jStep.loPin != jStep.hiPin) {
            group.kinds[group.count++] = {knownPins.ranksOf(*spelled, jStep.loPin), side,
                                          jStep.hiPin, value};
        }
    };
    addKinds(pinNumberSpelled(leftPart), 0, groups[0].value);
    addKinds(pinNumberSpelled(rightPart), 1, groups[1].value);

    std::array<CandidateKey, 2> firstAccepted{kNever, kNever};
    for (std::size_t index = 0; index < groupCount; ++index) {
        if (withinReach(groups[index].value, pinCount)) {
            groups[index].start = 0;
            firstAccepted[index] = groups[index].firstFrom(0);
        }
    }
    const std::size_t earlier = firstAccepted[0] <= firstAccepted[1] ? 0 : 1;
    if (firstAccepted[earlier] == kNever) {
        return false;
    }
    pinCount.pinCount = std::max(pinCount.pinCount, groups[earlier].value);
    if (groupCount == 2) {
        CandidateGroup& other = groups[1 - earlier];
        if (other.start == kNever && withinReach(other.value, pinCount)) {
            other.start = firstAccepted[earlier] + 1;
        }
        if (other.start != kNever && other.firstFrom(other.start) != kNever) {
            pinCount.pinCount = std::max(pinCount.pinCount, other.value);
        }
    }
    // Of each value only the last accepted candidate can show. The two values are two pins, so
    // the order in which they are kept does not matter.
    bool accepted = false;
    for (std::size_t index = 0; index < groupCount; ++index) {
        if (const auto last = groups[index].lastAccepted()) {
            found.add(groups[index].value, last->second, jStep.pinStep, pinCount);
            accepted = true;
        }
    }
    return accepted;
}

// The found pins are reduced to the last per pin whenever they have doubled since the last time,
// so that an IC whose J steps find the same pins over and over holds each only once or twice.
constexpr std::size_t kFirstCompaction = 64;

constexpr auto kPinNumberOf = [](const IcJPin& pin) { return pin.pinNumber; };

}  // namespace

void FoundJPins::clear(bool keepIgnored, bool keepEvery) {
    found_.clear();
    every_.clear();
    keepEvery_ = keepEvery;
    compactAt_ = kFirstCompaction;
    ignored_.clear();
    ignoredCount_ = 0;
    keepIgnored_ = keepIgnored;
}

void FoundJPins::add(int pinNumber, int testerPin, PinStepOrdinal pinStep, const IcPinCount& ic) {
    const IcJPin pin{ic.name, testerPin, pinNumber, pinStep};
    if (pinNumber > ic.pinCount) {
        ++ignoredCount_;
        if (keepIgnored_) {
            ignored_.push_back(pin);
        }
        return;
    }
    found_.push_back(pin);
    if (keepEvery_ && pinNumber >= 1) {
        every_.push_back(pin);
    }
    if (found_.size() >= compactAt_) {
        keepLastPerPin(found_, kPinNumberOf);
        compactAt_ = std::max(kFirstCompaction, 2 * found_.size());
    }
}

void FoundJPins::moveInto(IcPins& pins) {
    keepLastPerPin(found_, kPinNumberOf);
    // Pin 0 has a slot of its own, which the pin file never shows.
    const auto firstShown = std::find_if(found_.begin(), found_.end(),
                                         [](const IcJPin& pin) { return pin.pinNumber >= 1; });
    pins.jPins.assign(firstShown, found_.end());
    pins.ignoredJPins.swap(ignored_);
    pins.everyJPin.swap(every_);
    pins.ignoredJPinCount = ignoredCount_;
}

void KnownPins::assign(const std::vector<IcDiodePin>& icDiodePins) {
    entries_.clear();
    for (std::size_t rank = 0; rank < icDiodePins.size(); ++rank) {
        entries_.push_back({icDiodePins[rank].pinNumber, icDiodePins[rank].testerPin, rank});
    }
    std::sort(entries_.begin(), entries_.end(), [](const Entry& left, const Entry& right) {
        return std::tie(left.pinNumber, left.testerPin, left.rank) <
               std::tie(right.pinNumber, right.testerPin, right.rank);
    });
    ranks_.clear();
    for (const Entry& entry : entries_) {
        ranks_.push_back(entry.rank);
    }
}

std::span<const std::size_t> KnownPins::ranksOf(int pinNumber, int testerPin) const {
    const auto [first, last] =
        std::equal_range(entries_.begin(), entries_.end(), Entry{pinNumber, testerPin, 0},
                         [](const Entry& left, const Entry& right) {
                             return std::tie(left.pinNumber, left.testerPin) <
                                    std::tie(right.pinNumber, right.testerPin);
                         });
    const auto offset = static_cast<std::size_t>(first - entries_.begin());
    return std::span(ranks_).subspan(offset, static_cast<std::size_t>(last - first));
}

bool MatchJStepToKnownPins(const PinText& pinText, const IcJStep& jStep, const KnownPins& knownPins,
                           IcPinCount& pinCount, FoundJPins& found) {
    bool matched = false;
    for (std::size_t split = 1; split < pinText.view().size(); ++split) {
        matched = matchSplit(pinText.left(split), pinText.right(split), jStep, knownPins, pinCount,
                             found) ||
                  matched;
    }
    return matched;
}

void MatchJStepPair(const IcJStep& jStep, const IcJStep& previous, const IcPinCount& pinCount,
                    FoundJPins& found) {
    int shared = 0;
    int previousOther = 0;
    int currentOther = 0;
    if (jStep.hiPin == previous.loPin) {
        shared = previous.loPin, previousOther = previous.hiPin, currentOther = jStep.loPin;
    } else if (jStep.hiPin == previous.hiPin) {
        shared = previous.hiPin, previousOther = previous.loPin, currentOther = jStep.loPin;
    } else if (jStep.loPin == previous.loPin) {
        shared = previous.loPin, previousOther = previous.hiPin, currentOther = jStep.hiPin;
    } else if (jStep.loPin == previous.hiPin) {
        shared = previous.hiPin, previousOther = previous.loPin, currentOther = jStep.hiPin;
    } else {
        return;
    }
    const PinText current(jStep.pinNumber);
    const PinText before(previous.pinNumber);
    const auto emit = [&](std::string_view sharedPart, std::string_view previousRest,
                          std::string_view currentRest) {
        found.add(numberOf(sharedPart), shared, previous.pinStep, pinCount);
        found.add(numberOf(previousRest), previousOther, previous.pinStep, pinCount);
        found.add(numberOf(currentRest), currentOther, jStep.pinStep, pinCount);
    };
    for (std::size_t i = 1; i < current.view().size(); ++i) {
        for (std::size_t j = 1; j < before.view().size(); ++j) {
            const std::string_view currentLeft = current.left(i);
            const std::string_view currentRight = current.right(i);
            const std::string_view previousLeft = before.left(j);
            const std::string_view previousRight = before.right(j);
            if (currentLeft == previousLeft) {
                emit(previousLeft, previousRight, currentRight);
            } else if (currentLeft == previousRight) {
                emit(previousRight, previousLeft, currentRight);
            }
            if (currentRight == previousLeft) {
                emit(previousLeft, previousRight, currentLeft);
            } else if (currentRight == previousRight) {
                emit(previousRight, previousLeft, currentLeft);
            }
        }
    }
}

}  // namespace zemra
