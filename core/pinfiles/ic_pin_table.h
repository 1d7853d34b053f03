#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zemra {

// The tester pin of each IC pin 1 to `pinCount` that a diode or J pin named. Only the pins found
// are held, in ascending pin order, so that a pin count in the millions costs no memory.
struct IcPinTable {
    std::string name;
    std::vector<std::pair<int, int>> testerPins;  // (IC pin, tester pin)
    int pinCount = 0;

    // The tester pin of `pin`, 0 if none was found.
    int testerPinOf(int pin) const;
};

}  // namespace zemra
