#include "diff/key_set.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace zemra {
namespace {

// About sixteen bits per key tell all but one in sixteen of the keys outside; 2^24 bits (2 MB)
// at most.
constexpr std::uint64_t kFewestBits = std::uint64_t{1} << 10U;
constexpr std::uint64_t kMostBits = std::uint64_t{1} << 24U;

}  // namespace

KeySet::KeySet(std::vector<std::uint64_t> sorted) : sorted_(std::move(sorted)) {
    if (sorted_.empty()) {
        return;
    }
    const std::uint64_t bits =
        std::clamp(std::bit_ceil(std::uint64_t{sorted_.size()} * 16), kFewestBits, kMostBits);
    mask_ = bits - 1;
    mayHold_.assign(bits, false);
    for (const std::uint64_t key : sorted_) {
        mayHold_[key & mask_] = true;
    }
}

bool KeySet::contains(std::uint64_t key) const {
    return !sorted_.empty() && mayHold_[key & mask_] &&
           std::binary_search(sorted_.begin(), sorted_.end(), key);
}

}  // namespace zemra
