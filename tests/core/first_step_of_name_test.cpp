// The first step of each part name: every repeat finds it, however many names came between, and
// names that differ in any byte or in length are names of their own.
#include <gtest/gtest.h>

#include "report/first_step_of_name.h"

namespace zemra {
namespace {

TEST(FirstStepOfName, ARepeatFindsTheFirstStepAfterManyOtherNames) {
    FirstStepOfName names;
    constexpr int kNames = 100000;  // far more than the table's first slots
    for (int step = 1; step <= kNames; ++step) {
        ASSERT_EQ(names.firstOrNote(PartsN("U" + std::to_string(step)), step), std::nullopt);
    }
    for (const int step : {1, 2, 1023, 1024, 1025, 65536, kNames}) {
        EXPECT_EQ(names.firstOrNote(PartsN("U" + std::to_string(step)), kNames + step), step);
    }
    // A repeat does not become the first.
    EXPECT_EQ(names.firstOrNote(PartsN("U7"), 3 * kNames), 7);
}

TEST(FirstStepOfName, NamesThatDifferInAnyByteOrInLengthAreTheirOwn) {
    FirstStepOfName names;
    const std::string zero(1, '\0');
    const std::vector<std::string> distinct{"U1", "U1 ", "u1",   "U1" + zero,
                                            zero, "",    "\xFF", "ABCDEFGHIJKLMNOP"};
    for (std::size_t at = 0; at < distinct.size(); ++at) {
        EXPECT_EQ(names.firstOrNote(PartsN(distinct[at]), static_cast<std::int64_t>(at)),
                  std::nullopt)
            << at;
    }
    for (std::size_t at = 0; at < distinct.size(); ++at) {
        EXPECT_EQ(names.firstOrNote(PartsN(distinct[at]), 99), static_cast<std::int64_t>(at)) << at;
    }
}

// Each name is kept once, where the steps that have it find it, also once the table is gone.
TEST(FirstStepOfName, KeepsEachNameOnceWhereItsStepsFindIt) {
    FirstStepOfName names;
    ASSERT_EQ(names.firstOrNote(PartsN("U1_1"), 1), std::nullopt);
    const std::uint32_t u1 = names.lastName();
    ASSERT_EQ(names.firstOrNote(PartsN("R2"), 2), std::nullopt);
    const std::uint32_t r2 = names.lastName();
    ASSERT_EQ(names.firstOrNote(PartsN("U1_1"), 3), 1);
    EXPECT_EQ(names.lastName(), u1);
    const PartNames kept = names.takeNames();
    EXPECT_EQ(kept.nameAt(u1), "U1_1");
    EXPECT_EQ(kept.stepAt(u1), 1);
    EXPECT_EQ(kept.nameAt(r2), "R2");
    EXPECT_EQ(names.firstOrNote(PartsN("U1_1"), 4), std::nullopt);
}

TEST(FirstStepOfName, StepsThatDoNotFitInFourBytesAreKeptWhole) {
    FirstStepOfName names;
    const std::vector<std::int64_t> steps{std::int64_t{1} << 32U, 0xFFFFFFFF, 0xFFFFFFFE, -1,
                                          std::int64_t{1} << 40U};
    for (std::size_t at = 0; at < steps.size(); ++at) {
        ASSERT_EQ(names.firstOrNote(PartsN("R" + std::to_string(at)), steps[at]), std::nullopt);
    }
    for (std::size_t at = 0; at < steps.size(); ++at) {
        EXPECT_EQ(names.firstOrNote(PartsN("R" + std::to_string(at)), 1), steps[at]) << at;
    }
}

}  // namespace
}  // namespace zemra
