#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "page_limits.h"
#include "report/board_report.h"

namespace zemra::cli {

// One IC pin as the page draws it.
struct DrawnPin {
    int pin = 0;
    int testerPin = 0;  // as its .icp line shows it
    PinOrigin origin = PinOrigin::None;
    std::optional<StepRef> source;  // the step that gave it; none for PinOrigin::None
};

// The pins 1 to kMostDrawnPins (at most) of the IC of `table`, each from the step of `pinSteps`
// that gave it. A pin whose tester pin is 0 is drawn as from no step, whatever gave it.
std::vector<DrawnPin> drawnPinsOf(const IcPinTable& table, const PinStepRefs& pinSteps);

// The ICs of a board that the page draws a map of, and the pins it draws of each: those with an
// error or a warning first, wherever they stand in the .icn, then the others in .icn order, until
// the maps reach kMostPinsPerBoard pins. The others are drawn on demand only.
class IcMapPlan {
  public:
    explicit IcMapPlan(const BoardReport& board);

    // By their index in the pin files, in the order they are drawn.
    const std::vector<std::size_t>& mappedIcs() const { return mapped_; }
    bool hasMap(std::size_t index) const;
    // drawnPinsOf() the IC at `index` of the pin files, for an IC with a map; none for the others.
    std::vector<DrawnPin> drawnPins(std::size_t index) const;
    // The pins of that IC that are not drawn on the server's side.
    std::int64_t pinsNotDrawn(std::size_t index) const;

  private:
    const BoardReport& board_;
    std::vector<std::size_t> mapped_;
    std::vector<bool> hasMap_;  // by index in the pin files
};

// Which ICs a page written as its board is converted keeps the pins of, told each IC in turn:
// those that IcMapPlan may draw a map of, whatever the ICs after them.
class IcMapCandidates {
  public:
    bool mayMap(const IcSummary& ic, bool hasProblems);

  private:
    std::int64_t problemPins_ = 0;  // drawn of the ICs with problems so far
    std::int64_t otherPins_ = 0;
};

}  // namespace zemra::cli
