#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "decode/step_fields.h"

namespace zemra {

// The step that first had each part name of a board. A board of a million names is the largest
// thing a traced run holds while it reads the records, so a name is kept once in as few bytes as
// it has (a length byte, its bytes and its step in 4 bytes, in blocks that never move), found
// through a table of open addressing whose 8-byte slots hold where the name starts and 32 bits of
// its hash: a search reads the bytes of a name only where the hash matches, and the table grows
// without reading any.
class FirstStepOfName {
  public:
    // The step that first had `name`; none for a name not seen yet, whose first step is then
    // `step`. Throws std::length_error past 4 GiB of names or 2^32 - 1 of them.
    std::optional<std::int64_t> firstOrNote(const PartsN& name, std::int64_t step);

  private:
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 20U;
    // A step that does not fit in 4 bytes is kept beside the others, under this mark.
    static constexpr std::uint32_t kWideStep = 0xFFFFFFFFU;

    std::string_view nameAt(std::uint32_t start) const;
    std::int64_t stepAt(std::uint32_t start) const;
    std::uint32_t note(const PartsN& name, std::int64_t step);
    void grow();

    std::vector<std::vector<char>> blocks_;
    std::vector<std::pair<std::uint32_t, std::int64_t>> wideSteps_;  // by start, ascending
    std::vector<std::uint64_t> slots_;  // a power of two: 0 free, else hash << 32 | start
    std::uint32_t count_ = 0;           // names noted
};

}  // namespace zemra
