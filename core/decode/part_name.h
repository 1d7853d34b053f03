#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "decode/step_fields.h"

namespace zemra {

inline bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Inner spaces and hyphens become underscores; trailing ones end up as blanks.
void cleanUpPartName(std::string& partsN);

// Name rules for ICs, LSIs, regulators, connectors, switches and jumpers: KX740E carries the
// kind in the part name, KX740 FE/FR in Type.
void applyPrefixRules(std::int8_t typeCode, char variantCode, StepFields& fields);

// Jumper steps test at fixed values: 1.0 for type code 13, 4.0 for 14; other codes change nothing.
void setJumperValues(std::int8_t typeCode, StepFields& fields);

}  // namespace zemra
