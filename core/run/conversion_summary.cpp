#include "run/conversion_summary.h"

namespace zemra {

std::vector<int> IcSummary::unresolvedPins(std::size_t limit) const {
    std::vector<int> pins;
    if (limit == 0) {
        return pins;
    }
    forEachUnresolvedPin([&pins, limit](int pin) {
        pins.push_back(pin);
        return pins.size() < limit;
    });
    return pins;
}

}  // namespace zemra
