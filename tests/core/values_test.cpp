// Values, units, limits, delay, mode and the reverse-pins exchange of decoded steps.
#include <gtest/gtest.h>

#include <cstdio>

#include "behaviour_name.h"
#include "decode/step_decoder.h"
#include "record_builder.h"

namespace zemra {
namespace {

std::string printed(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
    return text;
}

struct Expected {
    std::string actualV;
    std::string standV;
    std::string unit;
    std::string type;
    int upperLimit;
    int lowerLimit;
};

struct ValueCase {
    const char* behaviour;
    RecordBuilder record;
    Expected expected;

    // Test listings name a case by its behaviour, not by its bytes.
    friend void PrintTo(const ValueCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class ValueCases : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ValueCases, DecodeToTheListedValues) {
    StepFields fields;
    RunCounters counters;
    ASSERT_EQ(decodeStep(decodeRecord(GetParam().record.bytes()), {}, fields, counters),
              StepKind::Decoded);
    const Expected& expected = GetParam().expected;
    EXPECT_EQ(printed(fields.actualV), expected.actualV);
    EXPECT_EQ(printed(fields.standV), expected.standV);
    EXPECT_EQ(fields.unit, expected.unit);
    EXPECT_EQ(fields.type, expected.type);
    EXPECT_EQ(fields.upperLimit, expected.upperLimit);
    EXPECT_EQ(fields.lowerLimit, expected.lowerLimit);
}

RecordBuilder part(std::int16_t actual, std::uint8_t actualRange, std::int16_t standard,
                   std::uint8_t standardRange) {
    RecordBuilder record;
    record.name("P1").actual(actual, actualRange).standard(standard, standardRange).limits(5, 5);
    return record;
}

INSTANTIATE_TEST_SUITE_P(
    Values, ValueCases,
    ::testing::Values(ValueCase{"ResistorInKiloOhm",
                                part(470, 0x15, 4700, 0x14),
                                {"4.70", "4.70", "K ", "R", 5, 5}},
                      ValueCase{"StandardInOhmConvertedToKiloOhm",
                                part(470, 0x15, 4700, 0x13),
                                {"4.70", "0.47", "K ", "R", 5, 5}},
                      ValueCase{"StandardInMegaOhmConvertedToOhm",
                                part(1000, 0x11, 1000, 0x17),
                                {"1.00", "1000000.00", "  ", "R", 5, 5}},
                      ValueCase{"PicofaradStandardIsTheNominal",
                                part(220, 0x22, 2300, 0x21),
                                {"22.00", "22.00", "PF", "C", 5, 5}},
                      ValueCase{"PicofaradWithoutNominalEndsAtZero",
                                part(0, 0x00, 150, 0x21),
                                {"0.00", "0.00", "PF", "C", 5, 5}},
                      ValueCase{"NanofaradStandardInMicrofarad",
                                part(100, 0x26, 1000, 0x23),
                                {"0.10", "0.00", "UF", "C", 5, 5}},
                      ValueCase{"InductorWithoutNominalTakesTheStandard",
                                part(0, 0x00, 5, 0x39),
                                {"5.00", "5.00", "H ", "L", 5, 5}},
                      ValueCase{"BothValuesZeroPrintOne",
                                part(0, 0x15, 0, 0x14),
                                {"1.00", "1.00", "", "Not", 5, 5}},
                      ValueCase{"ResistorWithoutStandardHasNoType",
                                part(470, 0x15, 0, 0x14),
                                {"4.70", "4.70", "K ", "Not", 5, 5}},
                      ValueCase{"NegativeUpperResistorTestsAtTwiceTheNominal",
                                part(470, 0x15, 4700, 0x14).limits(-10, 10),
                                {"4.70", "9.40", "K ", "R", -1, 15}},
                      ValueCase{"ResistorWithOneOtherLimitCodeDropsThatSide",
                                part(470, 0x15, 4700, 0x14).limits(7, 8, 0x71, 0x00),
                                {"4.70", "4.70", "K ", "R", 7, -1}},
                      ValueCase{"NegativeUpperCapacitorTestsAtATenth",
                                part(1000, 0x26, 1000, 0x26).limits(-5, 5),
                                {"1.00", "0.10", "UF", "C", 30, -1}},
                      ValueCase{"NegativeUpperPicofaradKeepsItsStandard",
                                part(1000, 0x21, 1000, 0x21).limits(-5, 5),
                                {"10.00", "10.00", "PF", "C", -5, 5}},
                      ValueCase{"CapacitorWithOtherLimitCodes",
                                part(1000, 0x26, 1000, 0x26).limits(5, 5, 0x00, 0x00),
                                {"1.00", "1.00", "UF", "C", 30, 20}},
                      ValueCase{"InductorWithOtherLimitCodes",
                                part(100, 0x34, 100, 0x34).limits(5, 5, 0x00, 0x71),
                                {"1.00", "1.00", "MH", "L", 30, 30}},
                      ValueCase{"NegativeUpperVoltageTestsAt1Point5",
                                part(650, 0x40, 700, 0x40).limits(-5, 5),
                                {"0.65", "1.50", "V ", "Not", -1, 30}},
                      ValueCase{"VoltageWithOtherLimitCodes",
                                part(650, 0x40, 700, 0x40).limits(5, 5, 0x00, 0x71),
                                {"0.65", "0.70", "V ", "Not", 30, 30}},
                      ValueCase{"LowRangeCodesAreVoltages",
                                part(650, 0x05, 700, 0x0F),
                                {"0.65", "0.70", "V ", "Not", 5, 5}},
                      ValueCase{"NominalRangeOutsideTheTableLeavesUnitAndValueUnset",
                                part(470, 0x1C, 4700, 0x14),
                                {"0.00", "4.70", "", "R", 5, 5}},
                      ValueCase{"VoltageNominalKeepsTheStandardInItsOwnUnit",
                                part(500, 0x40, 4700, 0x14),
                                {"0.00", "4.70", "V ", "R", 5, 5}},
                      ValueCase{"CrossKindRangeIndexIsLookedUpInTheStandardKind",
                                part(470, 0x15, 2000, 0x23),
                                {"4.70", "2.00", "NF", "C", 5, 5}},
                      ValueCase{"StandardWithoutRangeClearsTheUnit",
                                part(470, 0x15, 4700, 0x00),
                                {"4.70", "0.00", "  ", "Not", 5, 5}}),
    testing::BehaviourName());

struct VoltageResult {
    int dly;
    int mode;
    int hiP;
    int loP;
};

VoltageResult decodeVoltageStep(const RecordBuilder& record, int reversePins) {
    StepFields fields;
    RunCounters counters;
    decodeStep(decodeRecord(record.bytes()), {TesterVariant::Kx740FeFr, reversePins != 0}, fields,
               counters);
    return {fields.dly, fields.mode, fields.hiP, fields.loP};
}

TEST(VoltageSteps, ModeDelayAndReversedPins) {
    RecordBuilder record = part(650, 0x40, 700, 0x40);
    record.limits(0, 0).mode('2').delay(3).pins(5, 9);
    const VoltageResult reversed = decodeVoltageStep(record, 1);
    EXPECT_EQ(reversed.dly, 30);
    EXPECT_EQ(reversed.mode, 3);
    EXPECT_EQ(reversed.hiP, 9);
    EXPECT_EQ(reversed.loP, 5);

    const VoltageResult straight = decodeVoltageStep(record.mode('6').delay(-1), 0);
    EXPECT_EQ(straight.dly, -10);
    EXPECT_EQ(straight.mode, 4);
    EXPECT_EQ(straight.hiP, 5);

    EXPECT_EQ(decodeVoltageStep(record.mode('7'), 0).mode, 0);
}

TEST(VoltageSteps, OnlyAVoltageStandardExchangesPins) {
    RecordBuilder resistor = part(470, 0x15, 4700, 0x14);
    resistor.pins(5, 9);
    EXPECT_EQ(decodeVoltageStep(resistor, 1).hiP, 5);
    RecordBuilder noStandard = part(650, 0x40, 0, 0x40);
    noStandard.pins(5, 9);
    EXPECT_EQ(decodeVoltageStep(noStandard, 1).hiP, 5);
}

TEST(RunCounters, CountLettersDigitsAndPinsOfNamedRecordsOnly) {
    StepFields fields;
    RunCounters counters;
    const auto decode = [&](const RecordBuilder& record) {
        decodeStep(decodeRecord(record.bytes()), {}, fields, counters);
    };
    decode(RecordBuilder().name("R1").lc("B3").pins(300, 12).guards({4000, 0, 0, 0, 0}));
    decode(RecordBuilder().name("R2").lc("C2").pins(7, 187));
    decode(RecordBuilder().name("R3").lc("A\xC2").pins(1, 2));
    decode(RecordBuilder().lc("Z9").pins(4000, 4000).skip());
    EXPECT_EQ(counters.maxPin, 300);
    EXPECT_EQ(counters.maxLcLetter, 'C');
    EXPECT_EQ(counters.maxLcDigit, '3');

    RunCounters onlyDefaults;
    StepFields other;
    decodeStep(decodeRecord(RecordBuilder().name("R1").lc("").bytes()), {}, other, onlyDefaults);
    EXPECT_EQ(onlyDefaults.maxLcLetter, 'A');
    EXPECT_EQ(onlyDefaults.maxLcDigit, '1');
}

}  // namespace
}  // namespace zemra
