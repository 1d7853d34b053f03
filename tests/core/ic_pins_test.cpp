// Common pins, diode pins, pin counts, the pins found from J steps, and the pin files.
#include <gtest/gtest.h>

#include "icpins/common_pins.h"
#include "icpins/derive_ic_pins.h"
#include "icpins/diode_pins.h"
#include "icpins/j_pins.h"
#include "in_memory_conversion.h"
#include "pinfiles/pin_files.h"

namespace zemra {
namespace {

class IcPinsTest : public ::testing::Test {
  protected:
    NameId id(const char* name) { return names.intern(name); }
    PinStep pinStep(const char* name, std::int8_t typeCode, int hiPin, int loPin, int pinNumber) {
        return {.name = id(name),
                .lc = LcCode("A1"),
                .typeCode = static_cast<TypeCode>(typeCode),
                .hiPin = hiPin,
                .loPin = loPin,
                .pinNumber = pinNumber};
    }
    IcDiodeStep diodeStep(const char* name, int hiPin, int loPin, int pinNumber) {
        return pinStep(name, 10, hiPin, loPin, pinNumber);
    }
    IcJStep jStep(int hiPin, int loPin, int pinNumber, const char* name = "U1") {
        return pinStep(name, 13, hiPin, loPin, pinNumber);
    }
    std::vector<IcDevice> devices(std::initializer_list<const char*> deviceNames) {
        std::vector<IcDevice> result;
        for (const char* name : deviceNames) {
            result.push_back({id(name), LcCode("A1")});
        }
        return result;
    }
    IcPin pin(const char* name, int testerPin, int pinNumber) {
        return {id(name), testerPin, pinNumber};
    }

    // One IC U1 with diode pins 1 to 8 at tester pins 101 to 108 and common pin 1000, and
    // these J steps.
    IcPins eightPinIcWith(const std::vector<IcJStep>& jSteps) {
        std::vector<IcDiodeStep> diodeSteps;
        for (int pinNumber = 1; pinNumber <= 8; ++pinNumber) {
            diodeSteps.push_back(diodeStep("U1", 100 + pinNumber, 1000, pinNumber));
        }
        const auto ics = devices({"U1"});
        return DeriveIcPins(ics, FindCommonPins(ics, diodeSteps), diodeSteps, jSteps);
    }

    std::string writtenIcn(const std::vector<IcPinCount>& pinCounts) {
        MemorySink sink;
        TextWriter writer(sink);
        WriteIcnFile(pinCounts, names, writer);
        writer.flush();
        return sink.text();
    }
    std::vector<std::string> writtenIcp(const std::vector<IcPinTable>& tables) {
        MemorySink sink;
        TextWriter writer(sink);
        WriteIcpFile(tables, writer);
        writer.flush();
        return testing::linesOf(sink.text());
    }

    NameTable names;
};

TEST_F(IcPinsTest, CommonPinIsTheSharedLowPinOfTheDiodeSteps) {
    const auto ics = devices({"U1"});
    const std::vector<IcDiodeStep> steps{diodeStep("U1", 5, 1, 1), diodeStep("U1", 6, 1, 2),
                                         diodeStep("U1", 7, 1, 3)};
    const auto common = FindCommonPins(ics, steps);
    EXPECT_EQ(common, (std::vector<IcCommonPin>{{id("U1"), 1}}));
    EXPECT_EQ(FindDiodePins(common, steps),
              (std::vector<IcDiodePin>{pin("U1", 5, 1), pin("U1", 6, 2), pin("U1", 7, 3)}));
}

TEST_F(IcPinsTest, CommonPinScanEndsOnTheLastLowPinWhenPinsAreExchanged) {
    const auto ics = devices({"U1"});
    const std::vector<IcDiodeStep> steps{diodeStep("U1", 1, 5, 1), diodeStep("U1", 1, 6, 2),
                                         diodeStep("U1", 1, 7, 3)};
    const auto common = FindCommonPins(ics, steps);
    EXPECT_EQ(common, (std::vector<IcCommonPin>{{id("U1"), 7}}));
    EXPECT_EQ(FindDiodePins(common, steps), (std::vector<IcDiodePin>{pin("U1", 1, 3)}));
}

TEST_F(IcPinsTest, LastStepsOfTheListDecideTheCommonPinForEveryIc) {
    const std::vector<IcDiodeStep> steps{diodeStep("U1", 5, 1, 1), diodeStep("U2", 8, 2, 1),
                                         diodeStep("U2", 2, 9, 2)};
    // U1 and U3 take the last loPin. U2's scan comes to its own steps with the running pin 1 from
    // U1's step, takes loPin 2 from the first and keeps it through the second, whose hiPin is 2.
    EXPECT_EQ(FindCommonPins(devices({"U1", "U2", "U3"}), steps),
              (std::vector<IcCommonPin>{{id("U1"), 9}, {id("U2"), 2}, {id("U3"), 9}}));
}

TEST_F(IcPinsTest, WithoutDiodeStepsEveryIcGets1000AndNoPinCount) {
    const auto ics = devices({"U1", "U2"});
    const auto common = FindCommonPins(ics, {});
    EXPECT_EQ(common, (std::vector<IcCommonPin>{{id("U1"), 1000}, {id("U2"), 1000}}));
    EXPECT_TRUE(DeriveIcPins(ics, common, {}, {}).icPinCounts.empty());
}

TEST_F(IcPinsTest, DiodeStepTouchingTheCommonPinWithBothEndsGivesThatPin) {
    const std::vector<IcDiodeStep> steps{diodeStep("U1", 4, 4, 2)};
    EXPECT_EQ(FindDiodePins({{id("U1"), 4}}, steps), (std::vector<IcDiodePin>{pin("U1", 4, 2)}));
}

TEST_F(IcPinsTest, PinCountIsTheHighestDiodePinOfAtLeastEight) {
    std::vector<IcDevice> ics{
        {id("U1"), LcCode("B2")}, {id("U2"), LcCode("C3")}, {id("U3"), LcCode("D4")}};
    const std::vector<IcDiodePin> pins{pin("U1", 10, 7), pin("U2", 10, 8), pin("U3", 10, 1),
                                       pin("U3", 11, 16), pin("U3", 12, 2)};
    EXPECT_EQ(CountIcPins(ics, pins),
              (std::vector<IcPinCount>{{id("U2"), 8, LcCode("C3")}, {id("U3"), 16, LcCode("D4")}}));
}

TEST_F(IcPinsTest, KnownPinGivesThePinAtTheOtherTesterPin) {
    std::vector<IcDiodePin> diodePins{pin("U1", 102, 2)};
    const std::size_t positions[] = {0};
    const KnownPins known(diodePins, positions);
    IcPinCount count{id("U1"), 8, LcCode("A1")};
    FoundJPins found;
    EXPECT_TRUE(MatchJStepToKnownPins(PinText(23), jStep(102, 203, 23), known, count, found));
    EXPECT_FALSE(MatchJStepToKnownPins(PinText(5), jStep(102, 151, 5), known, count, found));
    EXPECT_FALSE(MatchJStepToKnownPins(PinText(23), jStep(150, 151, 23), known, count, found));
    EXPECT_EQ(found.shownPins(id("U1")), (std::vector<IcJPin>{pin("U1", 203, 3)}));
}

TEST_F(IcPinsTest, MatchedCandidateMustLieBetweenZeroAndTwentyBeyondThePinCount) {
    // 10 gives 0 and 128 gives 28 (not below 8 + 20): both dropped. 227 gives 27 and raises the
    // count: 149 (49) stays out of reach, 146 (46) comes within it.
    const IcPins pins =
        eightPinIcWith({jStep(102, 203, 23), jStep(101, 300, 10), jStep(101, 301, 128),
                        jStep(301, 102, 227), jStep(101, 302, 149), jStep(101, 303, 146)});
    EXPECT_EQ(pins.icJPins,
              (std::vector<IcJPin>{pin("U1", 203, 3), pin("U1", 301, 27), pin("U1", 303, 46)}));
    EXPECT_EQ(pins.icPinCounts[0].pinCount, 46);
}

TEST_F(IcPinsTest, PairingTwelveAndTwentyThree) {
    const IcPins pins = eightPinIcWith({jStep(501, 502, 12), jStep(502, 503, 23)});
    EXPECT_EQ(pins.icJPins,
              (std::vector<IcJPin>{pin("U1", 501, 1), pin("U1", 502, 2), pin("U1", 503, 3)}));
    EXPECT_EQ(pins.ignoredJPins, 0U);
}

TEST_F(IcPinsTest, PairingSplitsLongPinTextsEveryWayTheyShare) {
    // Pairing 1213 with 1314 finds pins 1, 213, 314, 13, 12 and 14; only pin 1 lies within 8.
    const IcPins pins = eightPinIcWith({jStep(501, 502, 1213), jStep(502, 503, 1314)});
    EXPECT_EQ(pins.icJPins, (std::vector<IcJPin>{pin("U1", 502, 1)}));
    EXPECT_EQ(pins.ignoredJPins, 5U);
}

TEST_F(IcPinsTest, PairingStopsAtTheFirstStepThatMatchingMarkedDone) {
    const IcPins pins =
        eightPinIcWith({jStep(501, 502, 1213), jStep(102, 503, 23), jStep(503, 502, 1314)});
    EXPECT_EQ(pins.icJPins, (std::vector<IcJPin>{pin("U1", 503, 3)}));
}

TEST_F(IcPinsTest, IcWhoseJStepsDoNotHeadTheListPairsNothing) {
    std::vector<IcDiodeStep> diodeSteps;
    for (int pinNumber = 1; pinNumber <= 8; ++pinNumber) {
        diodeSteps.push_back(diodeStep("U1", 100 + pinNumber, 1000, pinNumber));
        diodeSteps.push_back(diodeStep("U2", 200 + pinNumber, 1000, pinNumber));
    }
    const auto ics = devices({"U1", "U2"});
    const IcPins pins = DeriveIcPins(ics, FindCommonPins(ics, diodeSteps), diodeSteps,
                                     {jStep(601, 602, 12), jStep(602, 603, 23),
                                      jStep(701, 702, 12, "U2"), jStep(702, 703, 23, "U2")});
    ASSERT_EQ(pins.icJPins.size(), 3U);
    for (const IcJPin& found : pins.icJPins) {
        EXPECT_EQ(found.name, id("U1"));
    }
}

TEST_F(IcPinsTest, OneDigitPinTextsNeverSplit) {
    EXPECT_TRUE(eightPinIcWith({jStep(101, 102, 1), jStep(102, 101, 2)}).icJPins.empty());
}

TEST_F(IcPinsTest, ManyIdenticalDiodeAndJStepsGiveOnePin) {
    std::vector<IcDiodeStep> diodeSteps{diodeStep("U1", 110, 1, 10)};
    std::vector<IcJStep> jSteps;
    for (int copy = 0; copy < 20000; ++copy) {
        diodeSteps.push_back(diodeStep("U1", 102, 1, 2));
        jSteps.push_back(jStep(102, 103, 23));
    }
    const auto ics = devices({"U1"});
    const IcPins pins = DeriveIcPins(ics, FindCommonPins(ics, diodeSteps), diodeSteps, jSteps);
    EXPECT_EQ(pins.icJPins, (std::vector<IcJPin>{pin("U1", 103, 3)}));
    EXPECT_EQ(pins.icPinCounts[0].pinCount, 10);
}

TEST_F(IcPinsTest, PinFilesNumberThePinsOfAllIcsInOneRun) {
    const std::vector<IcPinCount> counts{{id("U1"), 16, LcCode("A1")},
                                         {id("U12"), 14, LcCode("B3")}};
    const std::vector<IcDiodePin> diodePins{pin("U1", 5, 1), pin("U1", 6, 1), pin("U12", 7, 14),
                                            pin("U1", 9, 0)};
    const std::vector<IcJPin> jPins{pin("U1", 8, 1), pin("U1", 4, 2)};
    const auto tables = BuildIcPinTables(counts, diodePins, jPins);
    EXPECT_EQ(writtenIcn(counts),
              " 1    U1  A1   16   0      0      1   0  30  30   0   0   0   0\r\n"
              " 2   U12  B3   14   0      0     17   0  30  30   0   0   0   0\r\n");
    const auto lines = writtenIcp(tables);
    ASSERT_EQ(lines.size(), 30U);
    EXPECT_EQ(lines[0], "ICP /    1 =    8 0");  // the J pin wins over both diode pins
    EXPECT_EQ(lines[1], "ICP /    2 =    4 0");
    EXPECT_EQ(lines[2], "ICP /    3 =    0 0");
    EXPECT_EQ(lines[29], "ICP /   30 =    7 0");
    EXPECT_EQ(tables[0].foundPins[0], (PinSlot{1, 8, PinSource::JPin}));
    EXPECT_EQ(tables[1].foundPins, (std::vector<PinSlot>{{14, 7, PinSource::DiodePin}}));
}

TEST_F(IcPinsTest, WideColumnsShiftTheRestOfTheLine) {
    const std::vector<IcPinCount> counts{{id("U123456"), 12345, LcCode("A")}};
    EXPECT_EQ(writtenIcn(counts),
              " 1 U123456   A 12345   0      0      1   0  30  30   0   0   0   0\r\n");
    const auto lines = writtenIcp(BuildIcPinTables(counts, {}, {}));
    EXPECT_EQ(lines.back(), "ICP / 12345 =    0 0");
}

TEST_F(IcPinsTest, HugePinNumberCostsNoTableSlots) {
    const std::vector<IcPinCount> counts{{id("U1"), 20000, LcCode("A1")}};
    const auto tables = BuildIcPinTables(counts, {}, {pin("U1", 7, 99999999), pin("U1", 9, 20000)});
    EXPECT_EQ(tables[0].foundPins.size(), 1U);
    const auto lines = writtenIcp(tables);
    ASSERT_EQ(lines.size(), 20000U);
    EXPECT_EQ(lines.back(), "ICP / 20000 =    9 0");
}

}  // namespace
}  // namespace zemra
