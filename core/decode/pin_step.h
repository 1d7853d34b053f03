#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "decode/step_fields.h"

namespace zemra {

// A decoded step that tests a device pin: device name and IC pin number from the part name.
struct PinStep {
    std::string name;
    std::string lc;
    int hiPin = 0;
    int loPin = 0;
    int pinNumber = 0;
    std::int8_t typeCode = 0;

    friend bool operator==(const PinStep&, const PinStep&) = default;
};

// The pin step of a decoded step, if its printed name or its type code marks it as one.
std::optional<PinStep> selectPinStep(const StepFields& fields, std::int8_t typeCode);

}  // namespace zemra
