#include "report/board_report.h"

#include <algorithm>

#include "report/pin_explanations.h"

namespace zemra {

std::size_t BoardReport::icCount() const {
    return outcome.summary ? outcome.summary->ics.size() : 0;
}

namespace {

// The ICs on which a check of severity error or warning falls: unresolved pins, diode and J steps
// that disagree, J pins beyond the pin count.
std::vector<bool> icsWithProblems(const ConversionSummary& summary) {
    std::vector<bool> flagged(summary.ics.size(), false);
    for (std::size_t index = 0; index < summary.ics.size(); ++index) {
        flagged[index] = summary.ics[index].unresolvedCount > 0 ||
                         (index < summary.icPinSources.size() &&
                          !findPinConflicts(summary.icPinSources[index]).empty());
    }
    for (const auto& ignored : summary.ignoredJPinList) {
        if (ignored.ic < flagged.size()) {
            flagged[ignored.ic] = true;
        }
    }
    return flagged;
}

}  // namespace

void BoardReport::mapIcs() {
    mappedIcs.clear();
    icHasMap.assign(icCount(), false);
    if (icCount() == 0) {
        return;
    }
    const std::vector<bool> flagged = icsWithProblems(*outcome.summary);
    std::int64_t pins = 0;
    for (const bool problemsFirst : {true, false}) {
        for (std::size_t index = 0; index < icCount(); ++index) {
            if (flagged[index] != problemsFirst) {
                continue;
            }
            pins += std::min(outcome.summary->ics[index].pinCount, kMostDrawnPins);
            if (pins > kMostPinsPerBoard) {
                return;
            }
            mappedIcs.push_back(index);
            icHasMap[index] = true;
        }
    }
}

bool BoardReport::hasMap(std::size_t index) const {
    return index < icHasMap.size() && icHasMap[index];
}

void BoardReport::keepRow(std::uint64_t ordinal) {
    if (ordinal >= rowKept.size()) {
        rowKept.resize(ordinal + 1, false);
    }
    rowKept[ordinal] = true;
}

bool BoardReport::hasRow(std::uint64_t offset) const {
    const std::uint64_t ordinal = offset / kRecordSize;
    return offset % kRecordSize == 0 && ordinal < rowKept.size() && rowKept[ordinal];
}

const StepRow* BoardReport::rowAt(std::uint64_t offset) const {
    const auto row = std::lower_bound(
        stepRows.begin(), stepRows.end(), offset,
        [](const StepRow& kept, std::uint64_t wanted) { return kept.offset < wanted; });
    return row != stepRows.end() && row->offset == offset ? &*row : nullptr;
}

std::vector<DrawnPin> BoardReport::pinsOf(std::size_t index) const {
    std::vector<DrawnPin> pins;
    const IcPinTable& table = outcome.summary->icPinTables.at(index);
    const int drawn = std::min(table.pinCount, kMostDrawnPins);
    pins.reserve(static_cast<std::size_t>(std::max(drawn, 0)));
    auto found = table.foundPins.begin();
    for (int pin = 1; pin <= drawn; ++pin) {
        while (found != table.foundPins.end() && found->pin < pin) {
            ++found;
        }
        if (found != table.foundPins.end() && found->pin == pin) {
            const PinOrigin origin = found->testerPin == 0 ? PinOrigin::None : found->origin;
            pins.push_back({pin, found->testerPin, origin, &pinSteps.at(found->pinStep)});
        } else {
            pins.push_back({pin, 0, PinOrigin::None, nullptr});
        }
    }
    return pins;
}

std::vector<DrawnPin> BoardReport::drawnPins(std::size_t index) const {
    return hasMap(index) ? pinsOf(index) : std::vector<DrawnPin>();
}

std::int64_t BoardReport::pinsNotDrawn(std::size_t index) const {
    const int pinCount = outcome.summary->ics.at(index).pinCount;
    return hasMap(index) ? std::max(pinCount - kMostDrawnPins, 0) : pinCount;
}

}  // namespace zemra
