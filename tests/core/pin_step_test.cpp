// Which decoded steps become pin steps, and how their names split into device and pin.
#include "decode/pin_step.h"

#include <gtest/gtest.h>

#include "behaviour_name.h"

namespace zemra {
namespace {

struct PinStepCase {
    const char* behaviour;
    std::string partsN;
    std::int8_t typeCode;
    bool recorded;
    std::string device;
    int pinNumber;

    // Test listings name a case by its behaviour, not by its bytes.
    friend void PrintTo(const PinStepCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class PinStepCases : public ::testing::TestWithParam<PinStepCase> {};

TEST_P(PinStepCases, SplitTheName) {
    StepFields fields;
    fields.partsN.assign(GetParam().partsN);
    fields.lc.assign("B3");
    fields.hiP = 101;
    fields.loP = 102;
    NameTable names;
    const auto typeCode = static_cast<TypeCode>(GetParam().typeCode);
    const auto pinStep = selectPinStep(fields, typeCode, names);
    ASSERT_EQ(pinStep.has_value(), GetParam().recorded);
    if (pinStep) {
        EXPECT_EQ(names.text(pinStep->name), GetParam().device);
        EXPECT_EQ(*pinStep, (PinStep{.name = names.intern(GetParam().device),
                                     .lc = LcCode("B3"),
                                     .typeCode = typeCode,
                                     .hiPin = 101,
                                     .loPin = 102,
                                     .pinNumber = GetParam().pinNumber}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    PinSteps, PinStepCases,
    ::testing::Values(PinStepCase{"UnderscoreSeparatesThePin", "U12_3", 12, true, "U12", 3},
                      PinStepCase{"UDeviceWithoutPin", "U5", 1, true, "U5", 0},
                      PinStepCase{"CapitalGSeparates", "U1G14", 1, true, "U1", 14},
                      PinStepCase{"SecondTokenWithoutDigits", "U1_GND", 1, true, "U1", 0},
                      PinStepCase{"DigitsUpToTheFirstOther", "U2_3A", 1, true, "U2", 3},
                      PinStepCase{"JumperOfAUDeviceDropsTheJ", "JU7_2", 13, true, "U7", 2},
                      PinStepCase{"IcName", "IC3_2", 1, true, "IC3", 2},
                      PinStepCase{"IcJumperKeepsItsJ", "JIC3_2", 13, true, "JIC3", 2},
                      PinStepCase{"OtherNamesNeedAPinTypeCode", "R5", 4, false, "", 0},
                      PinStepCase{"DiodeCode", "D7", 10, true, "D7", 0},
                      PinStepCase{"CodeTwelveCounts", "Y1_4", 12, true, "Y1", 4},
                      PinStepCase{"CodeSixteenDoesNot", "Y1_4", 16, false, "", 0},
                      PinStepCase{"NegativeCodeDoesNot", "Y1_4", -6, false, "", 0},
                      PinStepCase{"NameOfDelimitersOnly", "G", 11, true, "", 0},
                      PinStepCase{"LeadingAndRepeatedDelimitersAreSkipped", "U9*-/+7", 1, true,
                                  "U9", 7},
                      PinStepCase{"TrailingBlanksAreDelimiters", "U9_4  ", 1, true, "U9", 4},
                      PinStepCase{"TabBeforeTheDigitsGivesNoPin", "U9_\t4", 1, true, "U9", 0},
                      PinStepCase{"LowercaseGDoesNotSeparate", "U1g14", 1, true, "U1g14", 0},
                      PinStepCase{"LongestPinNumber", "U_99999999", 1, true, "U", 99999999},
                      PinStepCase{"LowercaseUIsNotAPinStep", "u1_2", 1, false, "", 0}),
    testing::BehaviourName());

}  // namespace
}  // namespace zemra
