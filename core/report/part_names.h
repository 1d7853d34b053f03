#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "decode/step_fields.h"

namespace zemra {

// Part names of a board, each with a step, kept in as few bytes as each has: a length byte, its
// bytes and its step in 4 bytes, in blocks that never move. A name is known by where it starts,
// which is never 0. A board of a million names is among the largest things a report holds.
class PartNames {
  public:
    // Keeps `name` with `step`; where it starts. Throws std::length_error past 4 GiB of names.
    std::uint32_t add(std::string_view name, std::int64_t step);
    std::string_view nameAt(std::uint32_t start) const;
    std::int64_t stepAt(std::uint32_t start) const;

  private:
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 20U;
    static constexpr std::size_t kStepBytes = 4;
    // A step that does not fit in 4 bytes is kept beside the others, under this mark.
    static constexpr std::uint32_t kWideStep = 0xFFFFFFFFU;

    std::vector<std::vector<char>> blocks_;
    std::vector<std::pair<std::uint32_t, std::int64_t>> wideSteps_;  // by start, ascending
};

}  // namespace zemra
