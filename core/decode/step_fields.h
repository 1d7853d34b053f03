#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "text/fixed_text.h"

namespace zemra {

// The tester a conversion writes for. The listing of the KX740 FE/FR has a Type column; the
// KX740E has none and carries a step's kind in front of its part name.
enum class TesterVariant {
    Kx740FeFr,  // the dialog's VariantCode 'E', the default
    Kx740e,     // VariantCode 'F'
};

struct DecodeOptions {
    TesterVariant variant = TesterVariant::Kx740FeFr;
    bool reversePins = false;  // exchange the Hi and Lo pins of voltage steps
};

// Codes that the decoding read and that no table knows, each of which left a field as it was.
enum class UnknownCode : std::uint8_t {
    ActualRange = 1U << 0U,    // a component kind's range outside the range table
    StandardRange = 1U << 1U,  // the same for the standard value
    ModeCode = 1U << 2U,       // a mode character outside "1" to "6"
};

// A part name after the naming rules: ten bytes from the record plus at most three of prefixes.
using PartsN = FixedText<16>;

// The fields of the step being decoded, one per listing column.
struct StepFields {
    std::int64_t step = 1;  // numbered by the step sequence
    PartsN partsN;
    float actualV = 0.0F;
    std::string_view unit;  // prints as two blanks while empty
    LcCode lc;
    int hiP = 0;
    int loP = 0;
    std::array<int, 5> guardPins{};
    bool skip = false;
    std::string_view type = "Not";
    float standV = 0.0F;
    int upperLimit = 0;  // +Lm%
    int lowerLimit = 0;  // -Lm%
    int dly = 0;
    int mode = 0;
    std::uint8_t unknownCodes = 0;  // UnknownCode bits, for reports: no listing column shows them

    void markUnknown(UnknownCode code) { unknownCodes |= static_cast<std::uint8_t>(code); }
    bool readUnknown(UnknownCode code) const {
        return (unknownCodes & static_cast<std::uint8_t>(code)) != 0;
    }
};

// Working flags of one record's decoding.
struct StepFlags {
    bool negUpperV = false;
    bool negUpperR = false;
    bool negUpperC = false;
    bool otherLimitCode = false;  // not both limit codes are kLimitsAsRead
};

}  // namespace zemra
