#pragma once

#include <array>
#include <string>

namespace zemra {

// Tester variants, as the dialog and the listing know them.
inline constexpr char kVariantFeFr = 'E';  // "KX740 FE/FR": the listing has a Type column
inline constexpr char kVariantE = 'F';     // "KX740E": the kind goes in front of the part name

inline bool isKx740e(char variantCode) {
    return variantCode == kVariantE;
}

struct DecodeOptions {
    char variantCode = kVariantFeFr;
    int reversePins = 0;
};

// The fields of the step being decoded, one per listing column.
struct StepFields {
    int step = 1;
    std::string partsN;
    float actualV = 0.0F;
    std::string unit;  // prints as two blanks while empty
    std::string lc;
    int hiP = 0;
    int loP = 0;
    std::array<int, 5> guardPins{};
    int skip = 0;
    std::string type = "Not";
    float standV = 0.0F;
    int upperLimit = 0;  // +Lm%
    int lowerLimit = 0;  // -Lm%
    int dly = 0;
    int mode = 0;
};

// Working flags of one record's decoding.
struct StepFlags {
    int negUpperV = 0;
    int negUpperR = 0;
    int negUpperC = 0;
    int otherLimitCode = 0;
};

}  // namespace zemra
