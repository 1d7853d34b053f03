#pragma once

#include <cstdint>
#include <vector>

namespace zemra {

// A set of keys (hashes) asked about once per step: most keys are told out by one bit per value
// of their low bits, so that only the few that may be in it are searched for.
class KeySet {
  public:
    KeySet() = default;
    // `sorted` in ascending order.
    explicit KeySet(std::vector<std::uint64_t> sorted);

    bool empty() const { return sorted_.empty(); }
    bool contains(std::uint64_t key) const;

  private:
    std::vector<std::uint64_t> sorted_;
    std::vector<bool> mayHold_;
    std::uint64_t mask_ = 0;
};

}  // namespace zemra
