#include "tuning/step_pairing.h"

#include "diff/edit_script.h"
#include "diff/step_moves.h"

namespace zemra {

std::vector<std::size_t> pairSteps(std::span<const std::uint64_t> before,
                                   std::span<const std::uint64_t> after) {
    const EditScript script = findEditScript(before, after);
    std::vector<std::size_t> pairs(before.size(), kUnpaired);
    std::size_t next = 0;
    for (std::size_t old = 0; old < before.size(); ++old) {
        if (script.removed[old] != 0) {
            continue;
        }
        while (script.added[next] != 0) {
            ++next;
        }
        pairs[old] = next++;
    }
    for (const StepMove& move : findStepMoves(script, before, after).byOld) {
        pairs[move.oldIndex] = move.newIndex;
    }
    return pairs;
}

}  // namespace zemra
