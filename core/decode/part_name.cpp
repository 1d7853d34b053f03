#include "decode/part_name.h"

#include <algorithm>
#include <string_view>

namespace zemra {
namespace {

constexpr float kDiodeDropVolts = 0.7F;
constexpr float kClosedJumperValue = 1.0F;
constexpr float kOpenJumperValue = 4.0F;

// `letter` followed by the name from its byte `from` on: IC12 with "U" from 2 gives U12.
PartsN renamed(std::string_view letter, const PartsN& name, std::size_t from) {
    PartsN result(letter);
    result.append(name.view().substr(from));
    return result;
}

}  // namespace

void cleanUpPartName(PartsN& partsN) {
    std::replace_if(
        partsN.begin(), partsN.end(), [](char byte) { return byte == ' ' || byte == '-'; }, '_');
    for (char* position = partsN.end(); position != partsN.begin() && *(position - 1) == '_';
         --position) {
        *(position - 1) = ' ';
    }
}

void applyPrefixRules(TypeCode typeCode, TesterVariant variant, StepFields& fields) {
    const bool kx740e = variant == TesterVariant::Kx740e;
    PartsN& name = fields.partsN;
    if (name.startsWith("IC") && !isJStep(typeCode)) {
        if (kx740e) {
            name = renamed("U", name, 2);
        } else {
            fields.type = "U";
        }
        fields.unit = "V ";
    } else if (name.startsWith("LSI")) {
        if (kx740e) {
            name = renamed("U", name, 3);
        } else {
            fields.type = "U";
        }
        fields.unit = "V ";
        fields.actualV = kDiodeDropVolts;
        fields.standV = kDiodeDropVolts;
    } else if (name.startsWith("REG")) {
        if (kx740e) {
            name.prepend("Q");
        } else {
            fields.type = "Q";
        }
        fields.unit = "V ";
        fields.actualV = kDiodeDropVolts;
        fields.standV = kDiodeDropVolts;
    } else if (name.startsWith("CN") || name.startsWith("SW") || name.startsWith("J")) {
        setJumperValues(typeCode, fields);
    }
}

void setJumperValues(TypeCode typeCode, StepFields& fields) {
    if (typeCode == TypeCode::J13) {
        fields.actualV = kClosedJumperValue;
        fields.standV = kClosedJumperValue;
    } else if (typeCode == TypeCode::J14) {
        fields.actualV = kOpenJumperValue;
        fields.standV = kOpenJumperValue;
    }
}

}  // namespace zemra
