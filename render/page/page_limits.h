#pragma once

#include <cstddef>
#include <cstdint>

namespace zemra::cli {

// How much of a board a page draws. The board page writes the first kMostTableRows rows of the
// steps table as HTML, for readers without scripts; its script draws the others on demand. At
// most kMostDrawnPins pins of an IC are drawn (the page's script has it too), and maps are drawn
// until they reach kMostPinsPerBoard pins, on the board page and on the diff's: a page stays
// readable, and its size follows the board, whatever the numbers in it.
inline constexpr std::size_t kMostTableRows = 1000;
inline constexpr int kMostDrawnPins = 512;
inline constexpr std::int64_t kMostPinsPerBoard = 20000;

}  // namespace zemra::cli
