// The passes against literal head-to-tail scans, on many random pin-step lists built to make
// names, tester pins and pin texts collide often, and on lists full of duplicates.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "head_to_tail.h"
#include "pinfiles/pin_files.h"
#include "run/board_lists.h"
#include "text/text_writer.h"

namespace zemra {
namespace {

using testing::TextIcPin;
using testing::TextPinStep;

std::vector<TextPinStep> randomPinSteps(std::mt19937& random) {
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    static const char* const kNames[] = {"U1", "U2", "U3", "IC4", "", "u1"};
    static const std::int8_t kCodes[] = {10, 11, 13, 14, 12, 1, 10, 13};
    std::vector<TextPinStep> steps(static_cast<std::size_t>(pick(0, 90)));
    const int testerSpread = pick(2, 12);
    for (TextPinStep& step : steps) {
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

// One IC with few distinct diode pins repeated many times and interleaved, and J steps whose
// texts split into values close to the reach of the pin count: the duplicates that the engine
// does not visit one by one, and the candidates that come within reach part-way through a scan.
std::vector<TextPinStep> duplicateHeavyPinSteps(std::mt19937& random) {
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::vector<TextPinStep> steps;
    const int ground = 1;
    const int highest = pick(8, 12);
    steps.push_back({"U1", "A1", 100 + highest, ground, highest, 10});
    const int repeats = pick(20, 200);
    const int distinct = pick(1, 4);
    for (int repeat = 0; repeat < repeats; ++repeat) {
        const int pin = pick(1, distinct + 1);
        steps.push_back({"U1", "A1", 100 + pin % pick(1, 3), ground, pin, 10});
    }
    const int jSteps = pick(1, 60);
    for (int index = 0; index < jSteps; ++index) {
        const int known = pick(1, distinct + 1);
        const int other = pick(0, 4) == 0 ? pick(highest + 15, highest + 45) : pick(1, 40);
        const std::string pinText = pick(0, 1) == 0 ? std::to_string(known) + std::to_string(other)
                                                    : std::to_string(other) + std::to_string(known);
        const int hi = 100 + pick(0, 3);
        const int lo = pick(0, 5) == 0 ? hi : 100 + pick(0, 3);
        steps.push_back({"U1", "A1", hi, lo, std::stoi(pinText.substr(0, 8)),
                         static_cast<std::int8_t>(pick(13, 14))});
    }
    return steps;
}

// The engine's lists with their names as texts.
class EngineRun {
  public:
    explicit EngineRun(const std::vector<TextPinStep>& textSteps) {
        for (const TextPinStep& step : textSteps) {
            lists.pinSteps.append({.name = lists.names.intern(step.name),
                                   .lc = LcCode(step.lc),
                                   .typeCode = static_cast<TypeCode>(step.typeCode),
                                   .hiPin = step.hiPin,
                                   .loPin = step.loPin,
                                   .pinNumber = step.pinNumber});
        }
        TextWriter icn(icnSink);
        TextWriter icp(icpSink);
        PinFiles pinFiles(icn, icp);
        RunPasses(lists, {.keepIcPinLists = true, .keepIgnoredJPins = false},
                  [&](const IcPins& pins, const IcPinTable& table) {
                      pinFiles.writeIc(*pins.pinCount, lists.names.text(pins.pinCount->name),
                                       table);
                  });
        icn.flush();
        icp.flush();
    }

    std::string name(NameId id) const { return std::string(lists.names.text(id)); }

    template <class Device>
    std::vector<testing::TextDevice> devices(const std::vector<Device>& entries) const {
        std::vector<testing::TextDevice> texts;
        for (const Device& device : entries) {
            texts.emplace_back(name(device.name), std::string(device.lc.view()));
        }
        return texts;
    }
    // The steps of every IC, in the order of the list; no pass reads their LC, so none is kept.
    std::vector<TextPinStep> steps(const IcSteps& icSteps) const {
        std::vector<TextPinStep> texts;
        for (std::size_t ic = 0; ic < icSteps.icCount(); ++ic) {
            for (const DeviceStep& step : icSteps.of(ic)) {
                texts.push_back({name(lists.icDevices[ic].name), "", step.hiPin, step.loPin,
                                 step.pinNumber, static_cast<std::int8_t>(step.typeCode)});
            }
        }
        return texts;
    }
    // The pin steps of the input that the steps of every IC say they are.
    std::vector<TextPinStep> namedSteps(const IcSteps& icSteps,
                                        const std::vector<TextPinStep>& input) const {
        std::vector<TextPinStep> texts;
        for (std::size_t ic = 0; ic < icSteps.icCount(); ++ic) {
            for (const DeviceStep& step : icSteps.of(ic)) {
                texts.push_back(input.at(step.pinStep));
            }
        }
        return texts;
    }
    std::vector<TextIcPin> pins(const std::vector<IcPin>& entries) const {
        std::vector<TextIcPin> texts;
        for (const IcPin& pin : entries) {
            texts.push_back({name(pin.name), pin.testerPin, pin.pinNumber});
        }
        return texts;
    }
    std::vector<std::pair<std::string, int>> commonPins() const {
        std::vector<std::pair<std::string, int>> texts;
        for (const IcCommonPin& common : lists.icCommonPins) {
            texts.emplace_back(name(common.name), common.commonPin);
        }
        return texts;
    }
    std::vector<testing::TextPinCount> pinCounts() const {
        std::vector<testing::TextPinCount> texts;
        for (const IcPinCount& count : lists.icPinCounts) {
            texts.push_back({name(count.name), count.pinCount, std::string(count.lc.view())});
        }
        return texts;
    }

    BoardLists lists;
    MemorySink icnSink;
    MemorySink icpSink;
};

std::vector<TextPinStep> withoutLc(std::vector<TextPinStep> steps) {
    for (TextPinStep& step : steps) {
        step.lc.clear();
    }
    return steps;
}

void expectSameAsHeadToTail(const std::vector<TextPinStep>& pinSteps, int trial) {
    const testing::HeadToTailResult expected = testing::runHeadToTail(pinSteps);
    const EngineRun run(pinSteps);
    ASSERT_EQ(run.devices(run.lists.deviceList), expected.deviceList) << trial;
    ASSERT_EQ(run.devices(run.lists.icDevices), expected.icDevices) << trial;
    ASSERT_EQ(run.steps(run.lists.icDiodeSteps()), withoutLc(expected.icDiodeSteps)) << trial;
    ASSERT_EQ(run.commonPins(), expected.icCommonPins) << trial;
    ASSERT_EQ(run.steps(run.lists.icJSteps()), withoutLc(expected.icJSteps)) << trial;
    // Each IC step names the pin step it is.
    ASSERT_EQ(run.namedSteps(run.lists.icDiodeSteps(), pinSteps), expected.icDiodeSteps) << trial;
    ASSERT_EQ(run.namedSteps(run.lists.icJSteps(), pinSteps), expected.icJSteps) << trial;
    ASSERT_EQ(run.pins(run.lists.icDiodePins), expected.icDiodePins) << trial;
    ASSERT_EQ(run.pinCounts(), expected.icPinCounts) << trial;
    ASSERT_EQ(run.pins(run.lists.icJPins), expected.shownJPins) << trial;
    ASSERT_EQ(run.lists.ignoredJPins, expected.ignoredJPins) << trial;
    ASSERT_EQ(run.icnSink.text(), expected.icn) << trial;
    ASSERT_EQ(run.icpSink.text(), expected.icp) << trial;
}

TEST(HeadToTailEquivalence, EveryListAndPinFileMatches) {
    std::mt19937 random(20261207);
    int runsWithJPins = 0;
    for (int trial = 0; trial < 1500; ++trial) {
        const auto pinSteps = randomPinSteps(random);
        expectSameAsHeadToTail(pinSteps, trial);
        runsWithJPins += testing::runHeadToTail(pinSteps).icJPins.empty() ? 0 : 1;
    }
    // The lists must be rich enough to exercise the J-step stages, not just the empty paths.
    EXPECT_GT(runsWithJPins, 150);
}

TEST(HeadToTailEquivalence, DuplicateHeavyListsMatch) {
    std::mt19937 random(7);
    int runsWithRaisedCounts = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const auto pinSteps = duplicateHeavyPinSteps(random);
        expectSameAsHeadToTail(pinSteps, trial);
        const auto expected = testing::runHeadToTail(pinSteps);
        runsWithRaisedCounts +=
            !expected.icPinCounts.empty() && expected.icPinCounts[0].pinCount > 12 ? 1 : 0;
    }
    // Matching must often raise the pin count, so that later candidates come within reach.
    EXPECT_GT(runsWithRaisedCounts, 100);
}

}  // namespace
}  // namespace zemra
