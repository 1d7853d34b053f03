#include "decode/part_name.h"

namespace zemra {
namespace {

constexpr float kDiodeDropVolts = 0.7F;
constexpr float kClosedJumperValue = 1.0F;
constexpr float kOpenJumperValue = 4.0F;

}  // namespace

void cleanUpPartName(std::string& partsN) {
    for (char& character : partsN) {
        if (character == ' ' || character == '-') {
            character = '_';
        }
    }
    for (auto position = partsN.rbegin(); position != partsN.rend() && *position == '_';
         ++position) {
        *position = ' ';
    }
}

void applyPrefixRules(std::int8_t typeCode, char variantCode, StepFields& fields) {
    const bool kx740e = isKx740e(variantCode);
    std::string& name = fields.partsN;
    if (startsWith(name, "IC") && typeCode != 13 && typeCode != 14) {
        if (kx740e) {
            name = "U" + name.substr(2);
        } else {
            fields.type = "U";
        }
        fields.unit = "V ";
    } else if (startsWith(name, "LSI")) {
        if (kx740e) {
            name = "U" + name.substr(3);
        } else {
            fields.type = "U";
        }
        fields.unit = "V ";
        fields.actualV = kDiodeDropVolts;
        fields.standV = kDiodeDropVolts;
    } else if (startsWith(name, "REG")) {
        if (kx740e) {
            name = "Q" + name;
        } else {
            fields.type = "Q";
        }
        fields.unit = "V ";
        fields.actualV = kDiodeDropVolts;
        fields.standV = kDiodeDropVolts;
    } else if (startsWith(name, "CN") || startsWith(name, "SW") || startsWith(name, "J")) {
        setJumperValues(typeCode, fields);
    }
}

void setJumperValues(std::int8_t typeCode, StepFields& fields) {
    if (typeCode == 13) {
        fields.actualV = kClosedJumperValue;
        fields.standV = kClosedJumperValue;
    } else if (typeCode == 14) {
        fields.actualV = kOpenJumperValue;
        fields.standV = kOpenJumperValue;
    }
}

}  // namespace zemra
