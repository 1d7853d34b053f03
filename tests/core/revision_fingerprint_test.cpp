// What a comparison keeps of a revision in little room: its IC pin tables packed, and the step
// number of each pin step as one bit a step. Both give back exactly what went in.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "behaviour_name.h"
#include "diff/packed_pin_tables.h"
#include "diff/pin_step_numbers.h"

namespace zemra {
namespace {

struct PackedCase {
    std::string behaviour;
    IcPinTable table;
};

class PackedPinTablesTest : public ::testing::TestWithParam<PackedCase> {};

TEST_P(PackedPinTablesTest, UnpackWhatWasAppended) {
    // Between two other tables, so that each table's bytes are found where they begin.
    const IcPinTable other{
        .name = 3,
        .pinCount = 2,
        .foundPins = {{.pin = 2, .testerPin = 4095, .origin = PinOrigin::J, .pinStep = 7}}};
    PackedPinTables tables;
    tables.append(other);
    tables.append(GetParam().table);
    tables.append(other);
    tables.shrinkToFit();
    IcPinTable unpacked{.name = 99, .pinCount = 99, .foundPins = {{}, {}, {}}};
    for (const std::size_t index : {std::size_t{1}, std::size_t{0}, std::size_t{2}}) {
        tables.unpack(index, unpacked);
        const IcPinTable& expected = index == 1 ? GetParam().table : other;
        EXPECT_EQ(unpacked.name, expected.name);
        EXPECT_EQ(unpacked.pinCount, expected.pinCount);
        EXPECT_EQ(unpacked.foundPins, expected.foundPins);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, PackedPinTablesTest,
    ::testing::ValuesIn(std::vector<PackedCase>{
        {"NoPinFound", {.name = 0, .pinCount = 16, .foundPins = {}}},
        {"PinsOfBothSources",
         {.name = 12,
          .pinCount = 8,
          .foundPins = {{1, 225, PinOrigin::Diode, 0},
                        {2, 230, PinOrigin::J, 5},
                        {8, 1, PinOrigin::Diode, 3}}}},
        // Far apart and falling: pin steps and tester pins in any order, at the ends of int.
        {"ExtremeValues",
         {.name = 0xFFFFFFFFU,
          .pinCount = INT_MAX,
          .foundPins = {{1, INT_MAX, PinOrigin::J, 0xFFFFFFFFU},
                        {2, INT_MIN, PinOrigin::Diode, 0},
                        {INT_MAX, -1, PinOrigin::J, 1U << 31U}}}},
        {"PinCountBelowItsPins",
         {.name = 1, .pinCount = 0, .foundPins = {{1000000, 12, PinOrigin::J, 9}}}},
    }),
    testing::BehaviourName());

struct NumbersCase {
    std::string behaviour;
    std::vector<std::int64_t> steps;  // ascending
};

class PinStepNumbersTest : public ::testing::TestWithParam<NumbersCase> {};

TEST_P(PinStepNumbersTest, GiveTheNumberOfEachPinStep) {
    PinStepNumbers numbers;
    for (const std::int64_t step : GetParam().steps) {
        numbers.add(step);
    }
    ASSERT_EQ(numbers.size(), GetParam().steps.size());
    for (std::size_t ordinal = 0; ordinal < GetParam().steps.size(); ++ordinal) {
        EXPECT_EQ(numbers.numberOf(static_cast<PinStepOrdinal>(ordinal)), GetParam().steps[ordinal])
            << "pin step " << ordinal;
    }
    EXPECT_EQ(numbers.numberOf(static_cast<PinStepOrdinal>(GetParam().steps.size())), 0);
}

std::vector<std::int64_t> everyStep(std::int64_t first, std::int64_t last, std::int64_t stride) {
    std::vector<std::int64_t> steps;
    for (std::int64_t step = first; step <= last; step += stride) {
        steps.push_back(step);
    }
    return steps;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PinStepNumbersTest,
    ::testing::ValuesIn(std::vector<NumbersCase>{
        {"None", {}},
        {"EveryStep", everyStep(1, 5000, 1)},
        // Gaps longer than the blocks that are counted ahead, and steps on their edges.
        {"FewAndFarApart", {1, 63, 64, 511, 512, 513, 100000, 100001, 4000000}},
        {"EveryThirdStep", everyStep(3, 30000, 3)},
    }),
    testing::BehaviourName());

}  // namespace
}  // namespace zemra
