#pragma once

#include <string>

namespace zemra {

struct IcCommonPin {
    std::string name;
    int commonPin = 0;

    friend bool operator==(const IcCommonPin&, const IcCommonPin&) = default;
};

struct IcDiodePin {
    std::string name;
    int testerPin = 0;
    int pinNumber = 0;

    friend bool operator==(const IcDiodePin&, const IcDiodePin&) = default;
};

struct IcPinCount {
    std::string name;
    int pinCount = 0;
    std::string lc;

    friend bool operator==(const IcPinCount&, const IcPinCount&) = default;
};

struct IcJPin {
    std::string name;
    int testerPin = 0;
    int pinNumber = 0;

    friend bool operator==(const IcJPin&, const IcJPin&) = default;
};

// The J step state of the pairing scan.
struct JStepState {
    std::string name;
    int hiPin = 0;
    int loPin = 0;
    int pinNumber = 0;
};

}  // namespace zemra
