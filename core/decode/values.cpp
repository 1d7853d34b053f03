#include "decode/values.h"

#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "decode/mode_code.h"
#include "decode/record_codes.h"

namespace zemra {
namespace {

struct Range {
    std::string_view unit;
    int unitNumber;  // position on the kind's unit ladder
    double factor;
};

constexpr std::array<Range, 9> kResistanceRanges{{
    {"  ", 0, 0.001},
    {"  ", 0, 0.01},
    {"  ", 0, 0.1},
    {"K ", 1, 0.001},
    {"K ", 1, 0.01},
    {"K ", 1, 0.1},
    {"M ", 2, 0.001},
    {"M ", 2, 0.01},
    {"M ", 2, 0.1},
}};

constexpr std::array<Range, 10> kCapacitanceRanges{{
    {"PF", 0, 0.01},
    {"PF", 0, 0.1},
    {"NF", 1, 0.001},
    {"NF", 1, 0.01},
    {"NF", 1, 0.1},
    {"UF", 2, 0.001},
    {"UF", 2, 0.01},
    {"UF", 2, 0.1},
    {"MF", 3, 0.001},
    {"MF", 3, 0.01},
}};

constexpr std::array<Range, 9> kInductanceRanges{{
    {"UH", 0, 0.01},
    {"UH", 0, 0.1},
    {"MH", 1, 0.001},
    {"MH", 1, 0.01},
    {"MH", 1, 0.1},
    {"H ", 2, 0.001},
    {"H ", 2, 0.01},
    {"H ", 2, 0.1},
    {"H ", 2, 1.0},
}};

// 1000 raised to (standard unit - nominal unit), for differences of -3 to 3.
constexpr std::array<double, 7> kUnitStepFactors{1e-9, 1e-6, 0.001, 1.0, 1000.0, 1e6, 1e9};

constexpr float kSiliconDropVolts = 1.5F;
constexpr float kCapacitorFraction = 0.1F;

bool isComponentKind(RangeKind kind) {
    return kind == RangeKind::Resistance || kind == RangeKind::Capacitance ||
           kind == RangeKind::Inductance;
}

std::optional<Range> lookUpRange(RangeKind kind, unsigned range) {
    auto pick = [range](const auto& table) -> std::optional<Range> {
        if (range >= 1 && range <= table.size()) {
            return table[range - 1];
        }
        return std::nullopt;
    };
    switch (kind) {
        case RangeKind::Resistance:
            return pick(kResistanceRanges);
        case RangeKind::Capacitance:
            return pick(kCapacitanceRanges);
        case RangeKind::Inductance:
            return pick(kInductanceRanges);
        default:
            return std::nullopt;
    }
}

// A float scaled by a double factor in double precision, rounded back to float.
float scale(float value, double factor) {
    return static_cast<float>(static_cast<double>(value) * factor);
}

// Phase 1: the nominal value. Returns the actual range index, if this phase sets one.
std::optional<unsigned> decodeNominalValue(const ComponentRecord& record, float nominal,
                                           StepFields& fields, StepFlags& flags) {
    const RangeKind kind = rangeKindOf(record.actualRange);
    const unsigned range = rangeOf(record.actualRange);
    if (kind == RangeKind::None) {
        fields.unit = "  ";
        return std::nullopt;
    }
    if (!isComponentKind(kind)) {
        fields.unit = "V ";
        if (fields.lowerLimit > 0 && fields.upperLimit < 0) {
            flags.negUpperV = true;
        }
        return std::nullopt;
    }
    if (const auto entry = lookUpRange(kind, range)) {
        fields.unit = entry->unit;
        fields.actualV = scale(nominal, entry->factor);
    } else {
        fields.markUnknown(UnknownCode::ActualRange);
    }
    const bool negativeUpper = fields.upperLimit < 0 && fields.lowerLimit > 0;
    if (kind == RangeKind::Resistance && negativeUpper) {
        flags.negUpperR = true;
    } else if (kind == RangeKind::Capacitance && negativeUpper) {
        flags.negUpperC = true;
    }
    return range;
}

// Scales the standard value into its range's unit, then into the nominal unit when there is a
// nominal value, else takes the standard unit.
void scaleStandardValue(RangeKind kind, const Range& standard, float value, bool hasNominal,
                        std::optional<unsigned> actualRangeIndex, StepFields& fields) {
    fields.standV = scale(value, standard.factor);
    if (!hasNominal) {
        fields.unit = standard.unit;
        return;
    }
    if (!actualRangeIndex) {
        return;
    }
    const auto nominal = lookUpRange(kind, *actualRangeIndex);
    if (!nominal) {
        return;
    }
    fields.unit = nominal->unit;
    const int step = standard.unitNumber - nominal->unitNumber;
    fields.standV = scale(fields.standV, kUnitStepFactors[static_cast<std::size_t>(step + 3)]);
}

void applyResistanceRules(const ComponentRecord& record, StepFields& fields,
                          const StepFlags& flags) {
    if (flags.negUpperR && !flags.otherLimitCode) {
        fields.standV = 2.0F * fields.actualV;
        fields.upperLimit = -1;
        fields.lowerLimit = 15;
    }
    if (flags.otherLimitCode) {
        if (record.upperLimitCode != kLimitsAsRead) {
            fields.upperLimit = -1;
        }
        if (record.lowerLimitCode != kLimitsAsRead) {
            fields.lowerLimit = -1;
        }
    }
    fields.type = "R";
}

void applyCapacitanceRules(StepFields& fields, const StepFlags& flags) {
    const bool picofarads = fields.unit == "PF";
    if (picofarads) {
        fields.standV = fields.actualV;
    }
    if (flags.negUpperC && !picofarads && !flags.otherLimitCode) {
        fields.standV = fields.actualV * kCapacitorFraction;
        fields.upperLimit = 30;
        fields.lowerLimit = -1;
    }
    if (flags.otherLimitCode) {
        fields.upperLimit = 30;
        fields.lowerLimit = 20;
    }
    fields.type = "C";
}

void applyInductanceRules(StepFields& fields, const StepFlags& flags) {
    if (flags.otherLimitCode) {
        fields.upperLimit = 30;
        fields.lowerLimit = 30;
    }
    fields.type = "L";
}

void decodeVoltage(const ComponentRecord& record, float standard, float nominal, bool reversePins,
                   StepFields& fields, const StepFlags& flags) {
    fields.unit = "V ";
    fields.standV = scale(standard, 0.001);
    fields.actualV = scale(nominal, 0.001);
    applyModeCode(record.modeCode, fields);
    if (flags.negUpperV && !flags.otherLimitCode) {
        fields.standV = kSiliconDropVolts;
        fields.lowerLimit = 30;
        fields.upperLimit = -1;
    }
    fields.dly = record.delay;
    if (flags.otherLimitCode) {
        fields.upperLimit = 30;
        fields.lowerLimit = 30;
    }
    if (reversePins) {
        std::swap(fields.hiP, fields.loP);
    }
    fields.dly *= 10;
}

// Phase 2: the standard value.
void decodeStandardValue(const ComponentRecord& record, float standard, float nominal,
                         std::optional<unsigned> actualRangeIndex, bool reversePins,
                         StepFields& fields, StepFlags& flags) {
    const RangeKind kind = rangeKindOf(record.standardRange);
    if (kind == RangeKind::None) {
        fields.unit = "  ";
        return;
    }
    if (!isComponentKind(kind)) {
        decodeVoltage(record, standard, nominal, reversePins, fields, flags);
        return;
    }
    if (const auto entry = lookUpRange(kind, rangeOf(record.standardRange))) {
        scaleStandardValue(kind, *entry, standard, nominal != 0.0F, actualRangeIndex, fields);
    } else {
        fields.markUnknown(UnknownCode::StandardRange);
    }
    if (kind == RangeKind::Resistance) {
        applyResistanceRules(record, fields, flags);
    } else if (kind == RangeKind::Capacitance) {
        applyCapacitanceRules(fields, flags);
    } else {
        applyInductanceRules(fields, flags);
    }
}

// Phase 3: a value that is zero takes the other one; both zero give 1.0.
void fillZeroValues(float standard, float nominal, StepFields& fields) {
    if (standard == 0.0F && nominal == 0.0F) {
        fields.actualV = 1.0F;
        fields.standV = 1.0F;
    } else if (standard == 0.0F) {
        fields.standV = fields.actualV;
    } else if (nominal == 0.0F) {
        fields.actualV = fields.standV;
    }
}

}  // namespace

void decodeValues(const ComponentRecord& record, bool reversePins, StepFields& fields,
                  StepFlags& flags) {
    const auto standard = static_cast<float>(record.standardValue);
    const auto nominal = static_cast<float>(record.actualValue);
    std::optional<unsigned> actualRangeIndex;
    if (nominal != 0.0F) {
        actualRangeIndex = decodeNominalValue(record, nominal, fields, flags);
    }
    if (standard != 0.0F) {
        decodeStandardValue(record, standard, nominal, actualRangeIndex, reversePins, fields,
                            flags);
    }
    fillZeroValues(standard, nominal, fields);
}

}  // namespace zemra
