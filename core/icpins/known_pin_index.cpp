#include "icpins/known_pin_index.h"

#include <functional>

namespace zemra {

void KnownPinIndex::update(const std::vector<IcDiodePin>& diodePins) {
    if (indexedCount_ == diodePins.size() && !positions_.empty()) {
        return;
    }
    positions_.clear();
    for (std::size_t position = 0; position < diodePins.size(); ++position) {
        const IcDiodePin& pin = diodePins[position];
        positions_[Key{pin.name, pin.pinNumber, pin.testerPin}].push_back(position);
    }
    indexedCount_ = diodePins.size();
}

const std::vector<std::size_t>& KnownPinIndex::positionsOf(std::string_view name, int pinNumber,
                                                           int testerPin) const {
    const auto found = positions_.find(Key{name, pinNumber, testerPin});
    return found == positions_.end() ? none_ : found->second;
}

std::size_t KnownPinIndex::KeyHash::operator()(const Key& key) const {
    const std::size_t nameHash = std::hash<std::string_view>{}(key.name);
    const auto pins = (static_cast<std::size_t>(static_cast<unsigned>(key.pinNumber)) << 32U) ^
                      static_cast<unsigned>(key.testerPin);
    return nameHash ^ (std::hash<std::size_t>{}(pins) + 0x9e3779b97f4a7c15ULL + (nameHash << 6U) +
                       (nameHash >> 2U));
}

}  // namespace zemra
