#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace zemra {

// The index of a step. Four billion steps would take a file of 256 GiB.
using StepIndex = std::uint32_t;

inline constexpr StepIndex kUnpaired = std::numeric_limits<StepIndex>::max();

// For each step of the old sequence, the index of the new step it pairs with, kUnpaired for none:
// as a comparison pairs steps, by a shortest edit script over their keys, equal keys in order,
// and then each step taken out at one place with one of its key put in at another (a move).
std::vector<StepIndex> pairSteps(std::span<const std::uint64_t> before,
                                 std::span<const std::uint64_t> after);

}  // namespace zemra
