#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "ic_map_plan.h"
#include "report/board_report.h"

namespace zemra::cli {

// The ICs of a board as the page's data holds them, each written as the run makes it and against
// the IC before it: an array of
//   0 name, 1 LC (0 where it is the LC of the IC before), 2 pin count, 3 first ICP less the one
//   foreseen after the IC before, 4 pins from diode steps, 5 pins from J steps, 6 unresolved pins,
//   7 the tester pins of its drawn pins (each less the one before and 1, from 0; the zeros at the
//   end left out), 8 the row of its first step that names a drawn pin, less that of the IC
//   before, 9 per drawn pin whether its diode and J steps agree (a, c or -; 0 where none has
//   both), 10 every step that names each drawn pin (useCode()), 11 per drawn pin the source of
//   its tester pin (d, j or n) and 12 the step that gave it, each 0 where the steps that name the
//   pin tell it, 13 its common pin and 14 1 where its J steps pair (both null for an IC without
//   sources). Which ICs have a map is known only after the last: the board's data lists them.
// A pin is drawn up to kMostDrawnPins of its pin count. What the steps that name a
// pin tell: the first that gave it (role g) gave its source (j for a J step, d for a diode step,
// n for a tester pin of 0) and its step; without one, n and 0.
class IcDataCoder {
  public:
    // `board` is the report so far: its pin steps and their rows are whole.
    void append(const IcTrace& ic, const BoardReport& board, std::string& page);

  private:
    std::string lc_;
    std::int64_t nextIcp_ = 1;
    std::uint32_t firstRow_ = 0;
};

// The code of a step that names a pin: its row less the IC's first, the letter of its role in
// "gdwlcno", whether it is a J step, and two flags, whether its tester pin and its Hi-P and Lo-P
// follow, for a tester pin other than the pin's (0 for the roles c, n and o) and pins other than
// its row's; and whether it is the last of its pin. The code is followed by those values, then
// for role o the device it counts for. A pin that no step names is -1.
std::int64_t useCode(std::uint32_t row, int role, bool jStep, unsigned flags, bool last);

}  // namespace zemra::cli
