#pragma once

#include <cstddef>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "icpins/ic_pin_entries.h"

namespace zemra {

// Positions in icDiodePins by (IC name, IC pin number, tester pin), each in list order: the
// diode pins that a J step can match. Refers to the names in the list, so it is rebuilt whenever
// the list has grown.
class KnownPinIndex {
  public:
    void update(const std::vector<IcDiodePin>& diodePins);
    const std::vector<std::size_t>& positionsOf(std::string_view name, int pinNumber,
                                                int testerPin) const;

  private:
    struct Key {
        std::string_view name;
        int pinNumber;
        int testerPin;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };

    std::unordered_map<Key, std::vector<std::size_t>, KeyHash> positions_;
    std::size_t indexedCount_ = 0;
    std::vector<std::size_t> none_;
};

}  // namespace zemra
