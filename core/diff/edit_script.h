#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zemra {

// Which entries of two sequences an edit script takes out of the old one and puts into the new
// one; the entries left in both pair up in order, the k-th left of the old with the k-th left of
// the new.
struct EditScript {
    std::vector<std::uint8_t> removed;  // per entry of the old sequence, 1 when removed
    std::vector<std::uint8_t> added;    // per entry of the new sequence, 1 when added
    // The keys that each sequence holds more than once, sorted: found on the way, for a caller
    // that wants them without sorting the sequences again.
    std::vector<std::uint64_t> repeatedBefore;
    std::vector<std::uint64_t> repeatedAfter;
};

// How much work a comparison may spend on one stretch before it settles for a good split: beyond
// about twice this many insertions and removals within one stretch, the script is no longer the
// shortest, and the work stays about linear in the sequences times this number.
inline constexpr std::ptrdiff_t kEditCostLimit = 256;

// The low 32 bits of each key of a sequence, sorted: what the edit script works out first of each
// sequence, apart, so that a caller may have it of one sequence while the other is still read.
// It takes 4 bytes a key.
class SortedKeyHalves {
  public:
    explicit SortedKeyHalves(std::span<const std::uint64_t> keys);
    const std::vector<std::uint32_t>& values() const { return sorted_; }

  private:
    std::vector<std::uint32_t> sorted_;
};

// A shortest edit script that turns `before` into `after`, as diff finds one over lines: Myers'
// O(ND) algorithm in linear space, after taking away (nearly all of) the keys that the other
// sequence lacks, which no script can pair. Equal keys pair up in order.
EditScript findEditScript(std::span<const std::uint64_t> before,
                          std::span<const std::uint64_t> after,
                          std::ptrdiff_t costLimit = kEditCostLimit);
// The same, with the sorted halves of each sequence's keys worked out before.
EditScript findEditScript(std::span<const std::uint64_t> before,
                          const SortedKeyHalves& beforeHalves, std::span<const std::uint64_t> after,
                          const SortedKeyHalves& afterHalves,
                          std::ptrdiff_t costLimit = kEditCostLimit);

}  // namespace zemra
