// The packed pin steps of a report give back each step as it was kept, including records and
// steps beyond 32 bits and names of every length and byte.
#include <gtest/gtest.h>

#include "decode/component_record.h"
#include "report/pin_step_refs.h"

namespace zemra {
namespace {

void expectSame(const StepRef& kept, const StepRef& given, std::size_t at) {
    EXPECT_EQ(kept.offset, given.offset) << at;
    EXPECT_EQ(kept.step, given.step) << at;
    EXPECT_EQ(kept.partName.view(), given.partName.view()) << at;
    EXPECT_EQ(kept.hiP, given.hiP) << at;
    EXPECT_EQ(kept.loP, given.loP) << at;
}

TEST(PinStepRefs, GivesBackEachStepAsKept) {
    constexpr std::uint64_t kBeyond32 = std::uint64_t{1} << 32U;
    const std::string zero(1, '\0');
    const std::vector<StepRef> steps{
        {0, 1, PartsN("U1_1"), 4095, 0},
        {kRecordSize, 0xFFFFFFFE, PartsN(""), 1, 2},
        {2 * kRecordSize, 0xFFFFFFFF, PartsN("ABCDEFGHIJKLMNOP"), 65535, 65535},
        {(kBeyond32 - 1) * kRecordSize, -1, PartsN("\xFF" + zero), 7, 8},
        {kBeyond32 * kRecordSize, std::int64_t{1} << 40U, PartsN("J1_12"), 9, 10},
        {(kBeyond32 + 5) * kRecordSize, 12, PartsN("R2"), 11, 12},
        {(3 * kBeyond32) * kRecordSize, 13, PartsN("D1"), 13, 14},
    };
    PinStepRefs refs;
    for (const StepRef& step : steps) {
        refs.push_back(step);
    }
    ASSERT_EQ(refs.size(), steps.size());
    for (PinStepOrdinal at = 0; at < steps.size(); ++at) {
        expectSame(refs.at(at), steps[at], at);
    }
    EXPECT_THROW((void)refs.at(static_cast<PinStepOrdinal>(steps.size())), std::out_of_range);
}

// Steps that share a kept name: the first has the number the name was kept with, the others
// their own.
TEST(PinStepRefs, StepsOfOneNameKeepTheirOwnNumbers) {
    PartNames names;
    const std::uint32_t name = names.add("U1_1", 5);
    PinStepRefs refs;
    refs.push_back({0, 5, PartsN("U1_1"), 1, 2}, name, true);
    refs.push_back({kRecordSize, std::int64_t{1} << 40U, PartsN("U1_1"), 3, 4}, name, false);
    refs.push_back({2 * kRecordSize, 9, PartsN("U1_1"), 5, 6}, name, false);
    refs.adoptNames(std::move(names));
    for (const auto& [at, step] : std::vector<std::pair<PinStepOrdinal, std::int64_t>>{
             {0, 5}, {1, std::int64_t{1} << 40U}, {2, 9}}) {
        EXPECT_EQ(refs.at(at).step, step) << at;
        EXPECT_EQ(refs.at(at).partName.view(), "U1_1") << at;
        EXPECT_EQ(refs.at(at).offset, at * kRecordSize) << at;
    }
}

TEST(PinStepRefs, NamesSpanManyBlocks) {
    PinStepRefs refs;
    constexpr PinStepOrdinal kSteps = 200000;  // names of over 1 MiB in all
    for (std::uint64_t at = 0; at < kSteps; ++at) {
        refs.push_back({at * kRecordSize, static_cast<std::int64_t>(at + 1),
                        PartsN("PART_" + std::to_string(at) + "_XYZ"), 1, 2});
    }
    for (const PinStepOrdinal at :
         {PinStepOrdinal{0}, PinStepOrdinal{65535}, kSteps / 2, kSteps - 1}) {
        EXPECT_EQ(refs.at(at).partName.view(), "PART_" + std::to_string(at) + "_XYZ") << at;
        EXPECT_EQ(refs.at(at).step, static_cast<std::int64_t>(at + 1));
    }
}

}  // namespace
}  // namespace zemra
