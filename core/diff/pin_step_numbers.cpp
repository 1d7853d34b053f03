#include "diff/pin_step_numbers.h"

#include <algorithm>
#include <bit>

namespace zemra {

void PinStepNumbers::add(std::int64_t step) {
    const auto bit = static_cast<std::uint64_t>(step);
    const std::size_t word = bit / 64U;
    if (word >= words_.size()) {
        words_.resize(word + 1);
    }
    while (ranks_.size() <= word / kWordsPerBlock) {
        ranks_.push_back(count_);
    }
    words_[word] |= std::uint64_t{1} << (bit % 64U);
    ++count_;
}

std::int64_t PinStepNumbers::numberOf(PinStepOrdinal ordinal) const {
    if (ordinal >= count_) {
        return 0;
    }
    // The last block that starts at or before the pin step, then its words one by one.
    const auto block = static_cast<std::size_t>(
        std::upper_bound(ranks_.begin(), ranks_.end(), std::uint64_t{ordinal}) - ranks_.begin() -
        1);
    std::uint64_t left = ordinal - ranks_[block];
    for (std::size_t word = block * kWordsPerBlock;; ++word) {
        std::uint64_t bits = words_[word];
        const auto count = static_cast<std::uint64_t>(std::popcount(bits));
        if (left < count) {
            for (; left > 0; --left) {
                bits &= bits - 1;
            }
            return static_cast<std::int64_t>(word * 64U +
                                             static_cast<std::size_t>(std::countr_zero(bits)));
        }
        left -= count;
    }
}

}  // namespace zemra
