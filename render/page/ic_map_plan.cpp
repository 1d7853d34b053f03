#include "ic_map_plan.h"

#include <algorithm>

namespace zemra::cli {

IcMapPlan::IcMapPlan(const BoardReport& board) : board_(board) {
    if (board.icCount() == 0) {
        return;
    }
    hasMap_.assign(board.icCount(), false);
    const ConversionSummary& summary = *board.outcome.summary;
    const std::vector<bool> flagged = icsWithProblems(summary);
    std::int64_t pins = 0;
    for (const bool problemsFirst : {true, false}) {
        for (std::size_t index = 0; index < board.icCount(); ++index) {
            if (flagged[index] != problemsFirst) {
                continue;
            }
            pins += std::min(summary.ics[index].pinCount, kMostDrawnPins);
            if (pins > kMostPinsPerBoard) {
                return;
            }
            mapped_.push_back(index);
            hasMap_[index] = true;
        }
    }
}

bool IcMapPlan::hasMap(std::size_t index) const {
    return index < hasMap_.size() && hasMap_[index];
}

std::vector<DrawnPin> IcMapPlan::pinsOf(std::size_t index) const {
    std::vector<DrawnPin> pins;
    const IcPinTable& table = board_.outcome.summary->icPinTables.at(index);
    const int drawn = std::min(table.pinCount, kMostDrawnPins);
    pins.reserve(static_cast<std::size_t>(std::max(drawn, 0)));
    auto found = table.foundPins.begin();
    for (int pin = 1; pin <= drawn; ++pin) {
        while (found != table.foundPins.end() && found->pin < pin) {
            ++found;
        }
        if (found != table.foundPins.end() && found->pin == pin) {
            const PinOrigin origin = found->testerPin == 0 ? PinOrigin::None : found->origin;
            pins.push_back({pin, found->testerPin, origin, board_.pinSteps.at(found->pinStep)});
        } else {
            pins.push_back({pin, 0, PinOrigin::None, std::nullopt});
        }
    }
    return pins;
}

std::vector<DrawnPin> IcMapPlan::drawnPins(std::size_t index) const {
    return hasMap(index) ? pinsOf(index) : std::vector<DrawnPin>();
}

std::int64_t IcMapPlan::pinsNotDrawn(std::size_t index) const {
    const int pinCount = board_.outcome.summary->ics.at(index).pinCount;
    return hasMap(index) ? std::max(pinCount - kMostDrawnPins, 0) : pinCount;
}

}  // namespace zemra::cli
