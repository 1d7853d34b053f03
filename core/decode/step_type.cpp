#include "decode/step_type.h"

#include <string_view>

#include "decode/mode_code.h"
#include "decode/part_name.h"
#include "decode/record_codes.h"

namespace zemra {
namespace {

bool beginsWithAnyOf(const PartsN& name, std::string_view letters) {
    return !name.empty() && letters.find(name.front()) != std::string_view::npos;
}

void addPrefix(std::string_view prefix, StepFields& fields) {
    fields.partsN.prepend(prefix);
}

// The rule of most kinds: KX740E prefixes the letter unless the name already begins with one of
// `kindLetters`; KX740 FE/FR sets Type.
void markKind(std::string_view letter, std::string_view kindLetters, bool kx740e,
              StepFields& fields) {
    if (!kx740e) {
        fields.type = letter;
    } else if (!beginsWithAnyOf(fields.partsN, kindLetters)) {
        addPrefix(letter, fields);
    }
}

// Diodes and transistors: under KX740E the mode character takes effect only with the prefix.
void markSemiconductor(std::string_view letter, std::string_view kindLetters, bool kx740e,
                       const ComponentRecord& record, StepFields& fields) {
    if (!kx740e) {
        fields.type = letter;
    } else if (!beginsWithAnyOf(fields.partsN, kindLetters)) {
        addPrefix(letter, fields);
        applyModeCode(record.modeCode, fields);
    }
}

void markResistor(bool kx740e, StepFields& fields) {
    // A name beginning with R keeps the step as it is under both variants.
    if (beginsWithAnyOf(fields.partsN, "R")) {
        return;
    }
    if (kx740e) {
        addPrefix("R", fields);
    } else {
        fields.type = "R";
    }
}

// Type code 5 is a resistor or a capacitor, by the range code of the value in effect.
void markResistorOrCapacitor(const ComponentRecord& record, bool kx740e, StepFields& fields) {
    const std::uint8_t rangeCode =
        record.standardValue != 0 ? record.standardRange : record.actualRange;
    const RangeKind kind = rangeKindOf(rangeCode);
    if (kind == RangeKind::Resistance) {
        if (kx740e) {
            markResistor(kx740e, fields);
        } else {
            fields.type = "R";
        }
    } else if (kind == RangeKind::Capacitance) {
        markKind("C", "C", kx740e, fields);
    }
}

}  // namespace

void assignStepType(const ComponentRecord& record, TesterVariant variant, StepFields& fields) {
    const bool kx740e = variant == TesterVariant::Kx740e;
    switch (record.typeCode) {
        case TypeCode::R1:
        case TypeCode::R2:
        case TypeCode::R3:
            markResistor(kx740e, fields);
            break;
        case TypeCode::C4:
        case TypeCode::C7:
            markKind("C", "C", kx740e, fields);
            break;
        case TypeCode::RorC5:
            markResistorOrCapacitor(record, kx740e, fields);
            break;
        case TypeCode::DC6:
            if (kx740e) {
                addPrefix("DC", fields);
            } else {
                fields.type = "DC";
            }
            fields.mode = 5;
            break;
        case TypeCode::L8:
        case TypeCode::L9:
            markKind("L", "L", kx740e, fields);
            break;
        case TypeCode::D10:
        case TypeCode::D11:
            markSemiconductor("D", "DUTQ", kx740e, record, fields);
            break;
        case TypeCode::J13:
        case TypeCode::J14:
            markKind("J", "JFW", kx740e, fields);
            setJumperValues(record.typeCode, fields);
            break;
        case TypeCode::Q15:
            markSemiconductor("Q", "TQ", kx740e, record, fields);
            break;
        default:
            break;
    }
    if (beginsWithAnyOf(fields.partsN, "X")) {
        fields.type = "C";
    }
}

}  // namespace zemra
