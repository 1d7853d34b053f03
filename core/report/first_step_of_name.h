#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include "decode/step_fields.h"

namespace zemra {

// The step that first had each part name of a board. A board of a million names is the largest
// thing a traced run holds while it reads the records, so a name is kept once in as few bytes as
// it has (a length byte and its bytes, in blocks that never move), with its step in 4 bytes, and
// found through a table of open addressing that holds 4 bytes a slot.
class FirstStepOfName {
  public:
    // The step that first had `name`; none for a name not seen yet, whose first step is then
    // `step`. Throws std::length_error past 4 GiB of names or 2^32 - 1 of them.
    std::optional<std::int64_t> firstOrNote(const PartsN& name, std::int64_t step);

  private:
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 20U;
    // A step that does not fit in 4 bytes is kept beside the others, under this mark.
    static constexpr std::uint32_t kWideStep = 0xFFFFFFFFU;

    struct Noted {
        std::uint32_t start = 0;  // in blocks_: the block times kBlockBytes plus the place in it
        std::uint32_t step = 0;
    };

    std::string_view nameAt(const Noted& noted) const;
    std::int64_t stepOf(std::size_t index) const;
    void note(const PartsN& name, std::int64_t step);
    void grow();

    std::vector<std::vector<char>> blocks_;
    std::deque<Noted> noted_;
    std::vector<std::pair<std::uint32_t, std::int64_t>> wideSteps_;  // by index in noted_
    std::vector<std::uint32_t> slots_;  // a power of two: 0 free, else 1 + an index of noted_
};

}  // namespace zemra
