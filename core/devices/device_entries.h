#pragma once

#include <cstdint>
#include <string>

namespace zemra {

struct DeviceEntry {
    std::string name;
    std::string lc;

    friend bool operator==(const DeviceEntry&, const DeviceEntry&) = default;
};

struct IcDevice {
    std::string name;
    std::string lc;

    friend bool operator==(const IcDevice&, const IcDevice&) = default;
};

// A pin step of an IC device with type code 10 or 11.
struct IcDiodeStep {
    std::string name;
    std::string lc;
    int hiPin = 0;
    int loPin = 0;
    int pinNumber = 0;
    std::int8_t typeCode = 0;

    friend bool operator==(const IcDiodeStep&, const IcDiodeStep&) = default;
};

// A pin step of an IC device with type code 13 or 14. `pinNumber` holds two IC pin numbers
// written one after the other.
struct IcJStep {
    std::string name;
    std::string lc;
    int hiPin = 0;
    int loPin = 0;
    int pinNumber = 0;
    std::int8_t typeCode = 0;
    int done = 0;

    friend bool operator==(const IcJStep&, const IcJStep&) = default;
};

}  // namespace zemra
