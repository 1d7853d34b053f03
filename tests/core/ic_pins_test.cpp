// Common pins, diode pins, pin counts and the pins found from J steps.
#include <gtest/gtest.h>

#include "in_memory_conversion.h"

namespace zemra {
namespace {

using testing::InMemoryConversion;

IcDiodeStep diodeStep(const char* name, int hiPin, int loPin, int pinNumber) {
    return {name, "A1", hiPin, loPin, pinNumber, 10};
}

IcJStep jStep(const char* name, int hiPin, int loPin, int pinNumber) {
    return {name, "A1", hiPin, loPin, pinNumber, 13, 0};
}

TEST(CommonPins, SharedLowPinOfTheDiodeSteps) {
    InMemoryConversion run;
    run.lists().icDevices = {{"U1", "A1"}};
    run.lists().icDiodeSteps = {diodeStep("U1", 5, 1, 1), diodeStep("U1", 6, 1, 2),
                                diodeStep("U1", 7, 1, 3)};
    run.conversion().FindCommonPins();
    run.conversion().DeriveIcPins();
    EXPECT_EQ(run.lists().icCommonPins, (std::vector<IcCommonPin>{{"U1", 1}}));
    EXPECT_EQ(run.lists().icDiodePins,
              (std::vector<IcDiodePin>{{"U1", 5, 1}, {"U1", 6, 2}, {"U1", 7, 3}}));
}

TEST(CommonPins, ScanEndsOnTheLastLowPinWhenPinsAreExchanged) {
    InMemoryConversion run;
    run.lists().icDevices = {{"U1", "A1"}};
    run.lists().icDiodeSteps = {diodeStep("U1", 1, 5, 1), diodeStep("U1", 1, 6, 2),
                                diodeStep("U1", 1, 7, 3)};
    run.conversion().FindCommonPins();
    run.conversion().DeriveIcPins();
    EXPECT_EQ(run.lists().icCommonPins, (std::vector<IcCommonPin>{{"U1", 7}}));
    EXPECT_EQ(run.lists().icDiodePins, (std::vector<IcDiodePin>{{"U1", 1, 3}}));
}

TEST(CommonPins, LastStepsOfTheListDecideForEveryIc) {
    InMemoryConversion run;
    run.lists().icDevices = {{"U1", "A1"}, {"U2", "A1"}, {"U3", "A1"}};
    run.lists().icDiodeSteps = {diodeStep("U1", 5, 1, 1), diodeStep("U2", 8, 2, 1),
                                diodeStep("U2", 2, 9, 2)};
    run.conversion().FindCommonPins();
    // U1 and U3 take the last loPin. U2's scan comes to its own steps with runningPin 1 from
    // U1's step, takes loPin 2 from the first and keeps it through the second, whose hiPin is 2.
    EXPECT_EQ(run.lists().icCommonPins,
              (std::vector<IcCommonPin>{{"U1", 9}, {"U2", 2}, {"U3", 9}}));
}

TEST(CommonPins, WithoutDiodeStepsEveryIcGets1000) {
    InMemoryConversion run;
    run.lists().icDevices = {{"U1", "A1"}, {"U2", "A1"}};
    run.conversion().FindCommonPins();
    run.conversion().DeriveIcPins();
    EXPECT_EQ(run.lists().icCommonPins, (std::vector<IcCommonPin>{{"U1", 1000}, {"U2", 1000}}));
    EXPECT_TRUE(run.lists().icPinCounts.empty());
}

TEST(PinCounts, HighestDiodePinOfAtLeastEight) {
    InMemoryConversion run;
    run.lists().icDevices = {{"U1", "B2"}, {"U2", "C3"}, {"U3", "D4"}};
    run.lists().icDiodePins = {
        {"U1", 10, 7}, {"U2", 10, 8}, {"U3", 10, 1}, {"U3", 11, 16}, {"U3", 12, 2}};
    run.conversion().CountIcPins();
    EXPECT_EQ(run.lists().icPinCounts,
              (std::vector<IcPinCount>{{"U2", 8, "C3"}, {"U3", 16, "D4"}}));
}

// One IC with diode pins 1 to 8 at tester pins 101 to 108 and common pin 1000.
InMemoryConversion& withEightPinIc(InMemoryConversion& run) {
    run.lists().icDevices = {{"U1", "A1"}};
    for (int pin = 1; pin <= 8; ++pin) {
        run.lists().icDiodeSteps.push_back(diodeStep("U1", 100 + pin, 1000, pin));
    }
    run.conversion().FindCommonPins();
    return run;
}

TEST(JPins, KnownPinGivesThePinAtTheOtherTesterPin) {
    InMemoryConversion run;
    withEightPinIc(run).lists().icJSteps = {jStep("U1", 102, 203, 23), jStep("U1", 150, 151, 5)};
    run.conversion().DeriveIcPins();
    EXPECT_EQ(run.lists().icJPins, (std::vector<IcJPin>{{"U1", 203, 3}}));
    EXPECT_EQ(run.lists().icJSteps[0].done, 1);
    EXPECT_EQ(run.lists().icJSteps[1].done, 0);
}

TEST(JPins, CandidateMustLieBetweenZeroAndTwentyBeyondThePinCount) {
    InMemoryConversion run;
    // The first step is matched, so the pairing scan is blocked from the start.
    withEightPinIc(run).lists().icJSteps = {jStep("U1", 102, 203, 23),  jStep("U1", 101, 300, 10),
                                            jStep("U1", 101, 301, 128), jStep("U1", 301, 102, 227),
                                            jStep("U1", 101, 302, 149), jStep("U1", 101, 303, 146)};
    run.conversion().DeriveIcPins();
    // 10 gives 0 and 128 gives 28 (not below 8 + 20): both dropped, steps not done. 227 gives 27
    // and raises the count: 149 (49) stays out of reach, 146 (46) comes within it.
    EXPECT_EQ(run.lists().icJPins,
              (std::vector<IcJPin>{{"U1", 203, 3}, {"U1", 301, 27}, {"U1", 303, 46}}));
    EXPECT_EQ(run.lists().icPinCounts[0].pinCount, 46);
    EXPECT_EQ(run.lists().icJSteps[1].done, 0);
    EXPECT_EQ(run.lists().icJSteps[2].done, 0);
    EXPECT_EQ(run.lists().icJSteps[4].done, 0);
}

TEST(JPins, PairingTwelveAndTwentyThree) {
    InMemoryConversion run;
    withEightPinIc(run).lists().icJSteps = {jStep("U1", 501, 502, 12), jStep("U1", 502, 503, 23)};
    run.conversion().DeriveIcPins();
    EXPECT_EQ(run.lists().icJPins,
              (std::vector<IcJPin>{{"U1", 502, 2}, {"U1", 501, 1}, {"U1", 503, 3}}));
}

TEST(JPins, PairingSplitsLongPinTextsEveryWayTheyShare) {
    InMemoryConversion run;
    withEightPinIc(run).lists().icJSteps = {jStep("U1", 501, 502, 1213),
                                            jStep("U1", 502, 503, 1314)};
    run.conversion().DeriveIcPins();
    EXPECT_EQ(run.lists().icJPins, (std::vector<IcJPin>{{"U1", 502, 1},
                                                        {"U1", 501, 213},
                                                        {"U1", 503, 314},
                                                        {"U1", 502, 13},
                                                        {"U1", 501, 12},
                                                        {"U1", 503, 14}}));
    // Pins beyond the count have no line; pins 12, 13 and 14 lie beyond 8 as well.
    run.conversion().WriteIcpFile();
    EXPECT_EQ(testing::linesOf(run.icp()).size(), 8U);
}

TEST(JPins, PairingStopsAtTheFirstStepThatMatchingMarkedDone) {
    InMemoryConversion run;
    withEightPinIc(run).lists().icJSteps = {jStep("U1", 501, 502, 1213), jStep("U1", 102, 503, 23),
                                            jStep("U1", 503, 502, 1314)};
    run.conversion().DeriveIcPins();
    EXPECT_EQ(run.lists().icJPins, (std::vector<IcJPin>{{"U1", 503, 3}}));
}

TEST(JPins, IcWhoseJStepsDoNotHeadTheListPairsNothing) {
    InMemoryConversion run;
    run.lists().icDevices = {{"U1", "A1"}, {"U2", "A1"}};
    for (int pin = 1; pin <= 8; ++pin) {
        run.lists().icDiodeSteps.push_back(diodeStep("U1", 100 + pin, 1000, pin));
    }
    for (int pin = 1; pin <= 8; ++pin) {
        run.lists().icDiodeSteps.push_back(diodeStep("U2", 200 + pin, 1000, pin));
    }
    run.lists().icJSteps = {jStep("U1", 601, 602, 12), jStep("U1", 602, 603, 23),
                            jStep("U2", 701, 702, 12), jStep("U2", 702, 703, 23)};
    run.conversion().FindCommonPins();
    run.conversion().DeriveIcPins();
    ASSERT_EQ(run.lists().icJPins.size(), 3U);
    EXPECT_EQ(run.lists().icJPins[0].name, "U1");
}

TEST(JPins, OneDigitPinTextsNeverSplit) {
    InMemoryConversion run;
    withEightPinIc(run).lists().icJSteps = {jStep("U1", 101, 102, 1), jStep("U1", 102, 101, 2)};
    run.conversion().DeriveIcPins();
    EXPECT_TRUE(run.lists().icJPins.empty());
}

TEST(PinFiles, IcnAndIcpNumberThePinsOfAllIcsInOneRun) {
    InMemoryConversion run;
    run.lists().icPinCounts = {{"U1", 16, "A1"}, {"U12", 14, "B3"}};
    run.lists().icDiodePins = {{"U1", 5, 1}, {"U1", 6, 1}, {"U12", 7, 14}, {"U1", 9, 0}};
    run.lists().icJPins = {{"U1", 8, 1}, {"U1", 4, 2}, {"U12", 3, 15}};
    run.conversion().WriteIcnFile();
    run.conversion().WriteIcpFile();
    EXPECT_EQ(run.icn(),
              " 1    U1  A1   16   0      0      1   0  30  30   0   0   0   0\r\n"
              " 2   U12  B3   14   0      0     17   0  30  30   0   0   0   0\r\n");
    const auto lines = testing::linesOf(run.icp());
    ASSERT_EQ(lines.size(), 30U);
    EXPECT_EQ(lines[0], "ICP /    1 =    8 0");  // the J pin wins over both diode pins
    EXPECT_EQ(lines[1], "ICP /    2 =    4 0");
    EXPECT_EQ(lines[2], "ICP /    3 =    0 0");
    EXPECT_EQ(lines[29], "ICP /   30 =    7 0");  // U12 pin 14; its pin 15 has no line
}

TEST(PinFiles, EmptyWithoutIcs) {
    InMemoryConversion run;
    run.finish();
    EXPECT_EQ(run.icn(), "");
    EXPECT_EQ(run.icp(), "");
}

TEST(PinFiles, HugePinNumberCostsNoTableSlots) {
    InMemoryConversion run;
    run.lists().icPinCounts = {{"U1", 20000, "A1"}};
    run.lists().icJPins = {{"U1", 7, 99999999}, {"U1", 9, 20000}};
    run.conversion().WriteIcpFile();
    EXPECT_EQ(run.lists().icPinTables[0].testerPins.size(), 1U);
    const auto lines = testing::linesOf(run.icp());
    ASSERT_EQ(lines.size(), 20000U);
    EXPECT_EQ(lines.back(), "ICP / 20000 =    9 0");
}

}  // namespace
}  // namespace zemra
