// The indexed passes against literal head-to-tail scans, on many random pin-step lists built to
// make names, tester pins and pin texts collide often.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "head_to_tail.h"
#include "in_memory_conversion.h"
#include "text/format.h"

namespace zemra {
namespace {

std::vector<PinStep> randomPinSteps(std::mt19937& random) {
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    static const char* const kNames[] = {"U1", "U2", "U3", "IC4", "", "u1"};
    static const std::int8_t kCodes[] = {10, 11, 13, 14, 12, 1, 10, 13};
    std::vector<PinStep> steps(static_cast<std::size_t>(pick(0, 90)));
    const int testerSpread = pick(2, 12);
    for (PinStep& step : steps) {
        step.name = kNames[pick(0, pick(0, 5))];
        step.lc = pick(0, 1) == 0 ? "A1" : "B2";
        step.typeCode = kCodes[pick(0, 7)];
        step.hiPin = pick(1, testerSpread);
        step.loPin = pick(0, 3) == 0 ? 1 : pick(1, testerSpread);
        const bool jStep = step.typeCode == 13 || step.typeCode == 14;
        if (jStep && pick(0, 2) > 0) {
            const int first = pick(1, 25);
            step.pinNumber =
                std::stoi(std::to_string(first) + std::to_string(first + pick(-2, 2) + 2));
        } else {
            step.pinNumber = pick(0, 4) == 0 ? pick(0, 3000) : pick(0, 20);
        }
    }
    return steps;
}

std::string icpOf(const testing::HeadToTailResult& expected) {
    std::string text;
    int icpNumber = 1;
    for (const auto& table : expected.denseTables) {
        for (std::size_t pin = 1; pin < table.size(); ++pin) {
            appendFormatted(text, "ICP / %4d = %4d 0\r\n", icpNumber++, table[pin]);
        }
    }
    return text;
}

TEST(HeadToTailEquivalence, EveryListAndPinFileMatches) {
    std::mt19937 random(20261207);
    int runsWithJPins = 0;
    for (int trial = 0; trial < 1500; ++trial) {
        const auto pinSteps = randomPinSteps(random);
        const testing::HeadToTailResult expected = testing::runHeadToTail(pinSteps);
        testing::InMemoryConversion run;
        run.lists().pinSteps = pinSteps;
        run.finish();
        const ConversionLists& lists = run.lists();
        ASSERT_EQ(lists.deviceList, expected.lists.deviceList) << trial;
        ASSERT_EQ(lists.icDevices, expected.lists.icDevices) << trial;
        ASSERT_EQ(lists.icDiodeSteps, expected.lists.icDiodeSteps) << trial;
        ASSERT_EQ(lists.icCommonPins, expected.lists.icCommonPins) << trial;
        ASSERT_EQ(lists.icJSteps, expected.lists.icJSteps) << trial;
        ASSERT_EQ(lists.icDiodePins, expected.lists.icDiodePins) << trial;
        ASSERT_EQ(lists.icPinCounts, expected.lists.icPinCounts) << trial;
        ASSERT_EQ(lists.icJPins, expected.lists.icJPins) << trial;
        ASSERT_EQ(run.icp(), icpOf(expected)) << trial;
        runsWithJPins += lists.icJPins.empty() ? 0 : 1;
    }
    // The lists must be rich enough to exercise the J-step stages, not just the empty paths.
    EXPECT_GT(runsWithJPins, 150);
}

}  // namespace
}  // namespace zemra
