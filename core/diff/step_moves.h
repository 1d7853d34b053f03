#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "diff/edit_script.h"

namespace zemra {

// A step that an edit script removes at one place and adds at another, by its index in each
// revision's sequence of listed steps.
struct StepMove {
    std::size_t oldIndex = 0;
    std::size_t newIndex = 0;
};

// The steps that moved: each step that the script removes is paired with a step that it adds
// under the same key, the k-th removed with the k-th added, as equal names pair up elsewhere.
// Two boards that differ almost everywhere would pair most of their steps so; beyond kMostMoves
// pairs no move is looked for, and their steps stay removed and added.
struct StepMoves {
    static constexpr std::size_t kMostMoves = 10000;

    std::vector<StepMove> byOld;  // ascending oldIndex
    std::vector<StepMove> byNew;  // ascending newIndex
};

StepMoves findStepMoves(const EditScript& script, std::span<const std::uint64_t> before,
                        std::span<const std::uint64_t> after);

}  // namespace zemra
