#include "run/conversion_summary.h"

namespace zemra {

std::vector<int> IcSummary::unresolvedPins(std::size_t limit) const {
    std::vector<int> pins;
    auto slot = foundPins.begin();
    for (std::int64_t pin = 1; pin <= pinCount && pins.size() < limit; ++pin) {
        if (slot != foundPins.end() && slot->pin == pin) {
            if (slot->testerPin == 0) {
                pins.push_back(static_cast<int>(pin));
            }
            ++slot;
        } else {
            pins.push_back(static_cast<int>(pin));
        }
    }
    return pins;
}

}  // namespace zemra
