#include "ic_map_plan.h"

#include <algorithm>

namespace zemra::cli {

IcMapPlan::IcMapPlan(const BoardReport& board) : board_(board) {
    if (board.icCount() == 0) {
        return;
    }
    hasMap_.assign(board.icCount(), false);
    const ConversionSummary& summary = *board.outcome.summary;
    const std::vector<bool>& flagged = board.icsWithProblems;
    std::int64_t pins = 0;
    for (const bool problemsFirst : {true, false}) {
        for (std::size_t index = 0; index < board.icCount(); ++index) {
            const bool problems = index < flagged.size() && flagged[index];
            if (problems != problemsFirst) {
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

std::vector<DrawnPin> drawnPinsOf(const IcPinTable& table, const PinStepRefs& pinSteps) {
    std::vector<DrawnPin> pins;
    const int drawn = std::min(table.pinCount, kMostDrawnPins);
    pins.reserve(static_cast<std::size_t>(std::max(drawn, 0)));
    auto found = table.foundPins.begin();
    for (int pin = 1; pin <= drawn; ++pin) {
        while (found != table.foundPins.end() && found->pin < pin) {
            ++found;
        }
        if (found != table.foundPins.end() && found->pin == pin) {
            const PinOrigin origin = found->testerPin == 0 ? PinOrigin::None : found->origin;
            pins.push_back({pin, found->testerPin, origin, pinSteps.at(found->pinStep)});
        } else {
            pins.push_back({pin, 0, PinOrigin::None, std::nullopt});
        }
    }
    return pins;
}

std::vector<DrawnPin> IcMapPlan::drawnPins(std::size_t index) const {
    const std::optional<IcTrace> ic = hasMap(index) ? board_.traceOf(index) : std::nullopt;
    return ic ? drawnPinsOf(ic->table, board_.pinSteps) : std::vector<DrawnPin>();
}

std::int64_t IcMapPlan::pinsNotDrawn(std::size_t index) const {
    const int pinCount = board_.outcome.summary->ics.at(index).pinCount;
    return hasMap(index) ? std::max(pinCount - kMostDrawnPins, 0) : pinCount;
}

bool IcMapCandidates::mayMap(const IcSummary& ic, bool hasProblems) {
    std::int64_t& pins = hasProblems ? problemPins_ : otherPins_;
    pins += std::min(ic.pinCount, kMostDrawnPins);
    return pins <= kMostPinsPerBoard;
}

}  // namespace zemra::cli
