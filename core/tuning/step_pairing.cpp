#include "tuning/step_pairing.h"

#include "diff/edit_script.h"
#include "diff/step_moves.h"

namespace zemra {

std::vector<StepIndex> pairSteps(std::span<const std::uint64_t> before,
                                 std::span<const std::uint64_t> after) {
    const EditScript script = findEditScript(before, after);
    std::vector<StepIndex> pairs(before.size(), kUnpaired);
    std::size_t next = 0;
    for (std::size_t old = 0; old < before.size(); ++old) {
        if (script.removed[old] != 0) {
            continue;
        }
        while (script.added[next] != 0) {
            ++next;
        }
        pairs[old] = static_cast<StepIndex>(next++);
    }
    for (const StepMove& move : findStepMoves(script, before, after).byOld) {
        pairs[move.oldIndex] = static_cast<StepIndex>(move.newIndex);
    }
    return pairs;
}

}  // namespace zemra
