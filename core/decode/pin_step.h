#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "decode/record_codes.h"
#include "decode/step_fields.h"
#include "names/name_table.h"

namespace zemra {

// Which pin step of a run: 0 for the first.
using PinStepOrdinal = std::uint32_t;

// A decoded step that tests a device pin: device name and IC pin number from the part name.
// The run keeps of it only what the passes read (PinStepList).
struct PinStep {
    NameId name = 0;
    LcCode lc;
    TypeCode typeCode{};
    int hiPin = 0;
    int loPin = 0;
    int pinNumber = 0;

    friend bool operator==(const PinStep&, const PinStep&) = default;
};

// The device and the IC pin that a pin step's printed part name stands for.
struct PinStepName {
    std::string_view device;  // within the part name given
    int pinNumber = 0;
};
PinStepName pinStepNameOf(std::string_view partsN);

// The pin step of a decoded step, if its printed name or its type code marks it as one; its
// device name is interned in `names`.
std::optional<PinStep> selectPinStep(const StepFields& fields, TypeCode typeCode, NameTable& names);

}  // namespace zemra
