// Kind letters of the type codes: the Type column under KX740 FE/FR, a name prefix under KX740E.
#include <gtest/gtest.h>

#include <cstdio>

#include "behaviour_name.h"
#include "decode/step_decoder.h"
#include "record_builder.h"

namespace zemra {
namespace {

struct TypeCase {
    const char* behaviour;
    RecordBuilder record;
    TesterVariant variant;
    std::string partsN;
    std::string type;
    int mode;

    // Test listings name a case by its behaviour, not by its bytes.
    friend void PrintTo(const TypeCase& testCase, std::ostream* out) { *out << testCase.behaviour; }
};

class TypeCases : public ::testing::TestWithParam<TypeCase> {};

TEST_P(TypeCases, GiveTheKindLetters) {
    StepFields fields;
    RunCounters counters;
    decodeStep(decodeRecord(GetParam().record.bytes()), {GetParam().variant, false}, fields,
               counters);
    EXPECT_EQ(fields.partsN.view(), GetParam().partsN);
    EXPECT_EQ(fields.type, GetParam().type);
    EXPECT_EQ(fields.mode, GetParam().mode);
}

RecordBuilder step(const char* name, std::int8_t typeCode, char modeCode = 0) {
    RecordBuilder record;
    record.name(name).typeCode(typeCode).mode(modeCode).limits(5, 5);
    return record;
}

constexpr TesterVariant E = TesterVariant::Kx740e;
constexpr TesterVariant FeFr = TesterVariant::Kx740FeFr;

INSTANTIATE_TEST_SUITE_P(
    TypeCodes, TypeCases,
    ::testing::Values(
        TypeCase{"ResistorPrefixUnderKx740e", step("VR3", 2), E, "RVR3", "Not", 0},
        TypeCase{"ResistorTypeUnderFeFr", step("VR3", 2), FeFr, "VR3", "R", 0},
        TypeCase{"ResistorNameLeavesTheStepAloneUnderBothVariants", step("R12", 1), FeFr, "R12",
                 "Not", 0},
        TypeCase{"ResistorNameKeepsTheTypeOfItsRange",
                 step("R12", 1).actual(470, 0x15).standard(4700, 0x14), FeFr, "R12", "R", 0},
        TypeCase{"CapacitorNameTakesNoPrefix", step("C7", 4), E, "C7", "Not", 0},
        TypeCase{"CapacitorPrefix", step("X1", 7), E, "CX1", "Not", 0},
        TypeCase{"CrystalIsACapacitorUnderFeFr", step("X1", 4), FeFr, "X1", "C", 0},
        TypeCase{"CrystalOverridesTheResistorType", step("X2", 1), FeFr, "X2", "C", 0},
        TypeCase{"CrystalKeepsItsTypeWhateverTheCode", step("X2", 12), FeFr, "X2", "C", 0},
        TypeCase{"ActualRangeDecidesCodeFiveWithoutStandard", step("Z5", 5).actual(100, 0x23), E,
                 "CZ5", "Not", 0},
        TypeCase{"StandardRangeDecidesCodeFive",
                 step("Z5", 5).actual(100, 0x23).standard(100, 0x14), E, "RZ5", "R", 0},
        TypeCase{"CodeFiveResistorNameUnderKx740e", step("R5", 5).standard(100, 0x14), E, "R5", "R",
                 0},
        TypeCase{"CodeFiveWithAVoltageRangeChangesNothing", step("Z5", 5).actual(100, 0x41), FeFr,
                 "Z5", "Not", 0},
        TypeCase{"DcAlwaysPrefixed", step("DC1", 6, '2'), E, "DCDC1", "Not", 5},
        TypeCase{"DcTypeAndMode", step("DC1", 6, '2'), FeFr, "DC1", "DC", 5},
        TypeCase{"InductorPrefix", step("T3", 9), E, "LT3", "Not", 0},
        TypeCase{"DiodePrefixTakesTheMode", step("CR5", 10, '5'), E, "DCR5", "Not", 4},
        TypeCase{"DiodeTypeLeavesTheMode", step("CR5", 10, '5'), FeFr, "CR5", "D", 0},
        TypeCase{"DiodeNameTakesNeitherPrefixNorMode", step("D4", 11, '2'), E, "D4", "Not", 0},
        TypeCase{"DiodeModeOutsideOneToSixIsKept", step("R8", 10, '9'), E, "DR8", "Not", 0},
        TypeCase{"IcDiodeStepKeepsTheUName", step("IC5", 10, '1'), E, "U5", "Not", 0},
        TypeCase{"IcDiodeStepReplacesTypeU", step("IC5", 10, '1'), FeFr, "IC5", "D", 0},
        TypeCase{"JumperPrefixOnAUDevice", step("U7", 13), E, "JU7", "Not", 0},
        TypeCase{"JumperNameWithW", step("W2", 14), E, "W2", "Not", 0},
        TypeCase{"TransistorNameKeepsItsMode", step("TR1", 15, '3'), E, "TR1", "Not", 0},
        TypeCase{"TransistorPrefixTakesTheMode", step("VT1", 15, '3'), E, "QVT1", "Not", 3},
        TypeCase{"TransistorType", step("VT1", 15, '3'), FeFr, "VT1", "Q", 0},
        TypeCase{"CodeTwelveChangesNothing", step("Y1", 12, '1'), E, "Y1", "Not", 0},
        TypeCase{"CodeZeroChangesNothing", step("Y1", 0), FeFr, "Y1", "Not", 0},
        TypeCase{"CodeSixteenChangesNothing", step("Y1", 16), FeFr, "Y1", "Not", 0},
        TypeCase{"NegativeCodeChangesNothing", step("Y1", -1), E, "Y1", "Not", 0},
        TypeCase{"NegativeCodeWithTheLowBitsOfDcChangesNothing", step("Y1", -122), FeFr, "Y1",
                 "Not", 0}),
    testing::BehaviourName());

TEST(TypeCodes, JumperValuesUnderBothVariantsWithoutTheJumperLimits) {
    for (const TesterVariant variant : {TesterVariant::Kx740e, TesterVariant::Kx740FeFr}) {
        StepFields fields;
        RunCounters counters;
        RecordBuilder record = step("U7", 13);
        record.limits(5, 5, 0x00, 0x00);
        decodeStep(decodeRecord(record.bytes()), {variant, false}, fields, counters);
        EXPECT_EQ(fields.actualV, 1.0F);
        EXPECT_EQ(fields.standV, 1.0F);
        // The jumper limits belong to names that begin with J before the kind letters come.
        EXPECT_EQ(fields.upperLimit, 5);
        EXPECT_EQ(fields.lowerLimit, 5);
    }
}

}  // namespace
}  // namespace zemra
