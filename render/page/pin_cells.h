#pragma once

namespace zemra::cli {

// The cells of every pin map on a page: 46 × 34 units with a gap of 4, 16 to a row.
inline constexpr int kCellWidth = 46;
inline constexpr int kCellHeight = 34;
inline constexpr int kCellGap = 4;
inline constexpr int kCellsPerRow = 16;

}  // namespace zemra::cli
