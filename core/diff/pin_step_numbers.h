#pragma once

#include <cstdint>
#include <vector>

#include "decode/pin_step.h"

namespace zemra {

// The step number of each pin step of a revision, by PinStepOrdinal, as one bit per step: a
// board whose steps are nearly all pin steps keeps an eighth of a byte per step instead of four.
class PinStepNumbers {
  public:
    // The next pin step's number, above every number added before.
    void add(std::int64_t step);
    // The number of the pin step `ordinal`, 0 when no such pin step was added.
    std::int64_t numberOf(PinStepOrdinal ordinal) const;
    std::uint64_t size() const { return count_; }

  private:
    static constexpr std::size_t kWordsPerBlock = 8;

    std::vector<std::uint64_t> words_;  // bit `step` set for each pin step
    std::vector<std::uint64_t> ranks_;  // pin steps before each block of kWordsPerBlock words
    std::uint64_t count_ = 0;
};

}  // namespace zemra
