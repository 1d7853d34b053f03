#include "diff/step_moves.h"

#include <algorithm>
#include <utility>

namespace zemra {
namespace {

// The key and the index of each entry that `flags` marks, sorted by key and then by index.
std::vector<std::pair<std::uint64_t, std::size_t>> markedKeys(
    std::span<const std::uint64_t> keys, const std::vector<std::uint8_t>& flags) {
    std::vector<std::pair<std::uint64_t, std::size_t>> marked;
    for (std::size_t index = 0; index < keys.size(); ++index) {
        if (flags[index] != 0) {
            marked.emplace_back(keys[index], index);
        }
    }
    std::sort(marked.begin(), marked.end());
    return marked;
}

}  // namespace

StepMoves findStepMoves(const EditScript& script, std::span<const std::uint64_t> before,
                        std::span<const std::uint64_t> after) {
    const auto removed = markedKeys(before, script.removed);
    const auto added = markedKeys(after, script.added);
    StepMoves moves;
    auto old = removed.begin();
    auto now = added.begin();
    while (old != removed.end() && now != added.end()) {
        if (old->first < now->first) {
            ++old;
        } else if (now->first < old->first) {
            ++now;
        } else {
            if (moves.byOld.size() == StepMoves::kMostMoves) {
                return {};
            }
            moves.byOld.push_back({old->second, now->second});
            ++old;
            ++now;
        }
    }
    std::sort(moves.byOld.begin(), moves.byOld.end(),
              [](const StepMove& a, const StepMove& b) { return a.oldIndex < b.oldIndex; });
    moves.byNew = moves.byOld;
    std::sort(moves.byNew.begin(), moves.byNew.end(),
              [](const StepMove& a, const StepMove& b) { return a.newIndex < b.newIndex; });
    return moves;
}

}  // namespace zemra
