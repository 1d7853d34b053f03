#pragma once

#include <cstdint>

namespace zemra {

// The record's type code (byte 19), read as a signed byte. Codes 1 to 15 name the kind of a step;
// the enumerators carry the kind letters each gives. Every other byte value (0, 16 to 127, and
// 0x80 to 0xFF, which read as negative codes) is a type code too and names no kind.
enum class TypeCode : std::int8_t {
    R1 = 1,
    R2 = 2,
    R3 = 3,
    C4 = 4,
    RorC5 = 5,  // "R" or "C", by the range code in effect
    DC6 = 6,
    C7 = 7,
    L8 = 8,
    L9 = 9,
    D10 = 10,
    D11 = 11,
    Pin12 = 12,  // no kind letters, but a pin step
    J13 = 13,
    J14 = 14,
    Q15 = 15,
};

// Diode steps, from which an IC's common pin and known pins come.
constexpr bool isDiodeStep(TypeCode code) {
    return code == TypeCode::D10 || code == TypeCode::D11;
}

// J steps, whose pin number holds two IC pin numbers written one after the other.
constexpr bool isJStep(TypeCode code) {
    return code == TypeCode::J13 || code == TypeCode::J14;
}

// Codes 10 to 15 make a step a pin step whatever its name.
constexpr bool marksPinStep(TypeCode code) {
    return code >= TypeCode::D10 && code <= TypeCode::Q15;
}

// The kind of quantity of a range code (StandardRange, ActualRange): the high nibble names
// resistance, capacitance or inductance; 0x00 is no quantity; every other code is a voltage.
enum class RangeKind { None, Resistance, Capacitance, Inductance, Voltage };

constexpr RangeKind rangeKindOf(std::uint8_t rangeCode) {
    if (rangeCode == 0x00) {
        return RangeKind::None;
    }
    switch (rangeCode >> 4U) {
        case 0x1:
            return RangeKind::Resistance;
        case 0x2:
            return RangeKind::Capacitance;
        case 0x3:
            return RangeKind::Inductance;
        default:
            return RangeKind::Voltage;
    }
}

// The range within the kind: the low nibble.
constexpr unsigned rangeOf(std::uint8_t rangeCode) {
    return rangeCode & 0x0FU;
}

// Only when both limit codes hold this are the record's limits used as they are read.
inline constexpr std::uint8_t kLimitsAsRead = 0x71;

}  // namespace zemra
