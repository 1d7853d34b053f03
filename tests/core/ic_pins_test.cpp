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
    // Appends a pin step; its ordinal is the number of pin steps before it.
    void pinStep(const char* name, std::int8_t typeCode, int hiPin, int loPin, int pinNumber) {
        pinSteps.append({.name = id(name),
                         .lc = LcCode("A1"),
                         .typeCode = static_cast<TypeCode>(typeCode),
                         .hiPin = hiPin,
                         .loPin = loPin,
                         .pinNumber = pinNumber});
    }
    void diodeStep(const char* name, int hiPin, int loPin, int pinNumber) {
        pinStep(name, 10, hiPin, loPin, pinNumber);
    }
    void jStep(int hiPin, int loPin, int pinNumber, const char* name = "U1") {
        pinStep(name, 13, hiPin, loPin, pinNumber);
    }
    std::vector<IcDevice> devices(std::initializer_list<const char*> deviceNames) {
        std::vector<IcDevice> result;
        for (const char* name : deviceNames) {
            result.push_back({id(name), LcCode("A1")});
        }
        return result;
    }
    IcPin pin(const char* name, int testerPin, int pinNumber, PinStepOrdinal step) {
        return {id(name), testerPin, pinNumber, step};
    }
    std::vector<IcDiodePin> diodePinsOf(const IcCommonPin& common, std::size_t ic,
                                        const std::vector<IcDevice>& ics) {
        std::vector<IcDiodePin> pins;
        FindDiodePins(common, CollectIcDiodeSteps(ics, pinSteps).of(ic), pins);
        return pins;
    }
    // The pins that DeriveIcPins hands out for these ICs, over the pin steps appended.
    std::vector<IcPins> derive(const std::vector<IcDevice>& ics, bool keepIgnored = false) {
        const IcSteps diodeSteps = CollectIcDiodeSteps(ics, pinSteps);
        std::vector<IcPins> derived;
        DeriveIcPins(ics, FindCommonPins(ics, diodeSteps), diodeSteps,
                     CollectIcJSteps(ics, pinSteps), keepIgnored,
                     [&derived](const IcPins& pins) { derived.push_back(pins); });
        return derived;
    }
    // One IC U1 with diode pins 1 to 8 at tester pins 101 to 108 (pin steps 0 to 7) and common
    // pin 1000; then the J steps appended after.
    void eightDiodePins() {
        for (int pinNumber = 1; pinNumber <= 8; ++pinNumber) {
            diodeStep("U1", 100 + pinNumber, 1000, pinNumber);
        }
    }
    IcPins u1() {
        const auto derived = derive(devices({"U1"}));
        EXPECT_TRUE(derived.size() == 1 && derived.front().pinCount);
        return derived.empty() ? IcPins{} : derived.front();
    }

    struct WrittenPinFiles {
        std::string icn;
        std::vector<std::string> icpLines;
    };
    WrittenPinFiles written(const std::vector<IcPins>& ics) {
        MemorySink icnSink;
        MemorySink icpSink;
        {
            TextWriter icn(icnSink);
            TextWriter icp(icpSink);
            PinFiles pinFiles(icn, icp);
            IcPinTable table;
            for (const IcPins& ic : ics) {
                BuildIcPinTable(ic, table);
                pinFiles.writeIc(*ic.pinCount, names.text(ic.pinCount->name), table);
            }
            icn.flush();
            icp.flush();
        }
        return {icnSink.text(), testing::linesOf(icpSink.text())};
    }

    NameTable names;
    PinStepList pinSteps;
};

TEST_F(IcPinsTest, CommonPinIsTheSharedLowPinOfTheDiodeSteps) {
    const auto ics = devices({"U1"});
    diodeStep("U1", 5, 1, 1);
    diodeStep("U1", 6, 1, 2);
    diodeStep("U1", 7, 1, 3);
    const auto common = FindCommonPins(ics, CollectIcDiodeSteps(ics, pinSteps));
    EXPECT_EQ(common, (std::vector<IcCommonPin>{{id("U1"), 1}}));
    EXPECT_EQ(
        diodePinsOf(common[0], 0, ics),
        (std::vector<IcDiodePin>{pin("U1", 5, 1, 0), pin("U1", 6, 2, 1), pin("U1", 7, 3, 2)}));
}

TEST_F(IcPinsTest, CommonPinScanEndsOnTheLastLowPinWhenPinsAreExchanged) {
    const auto ics = devices({"U1"});
    diodeStep("U1", 1, 5, 1);
    diodeStep("U1", 1, 6, 2);
    diodeStep("U1", 1, 7, 3);
    const auto common = FindCommonPins(ics, CollectIcDiodeSteps(ics, pinSteps));
    EXPECT_EQ(common, (std::vector<IcCommonPin>{{id("U1"), 7}}));
    EXPECT_EQ(diodePinsOf(common[0], 0, ics), (std::vector<IcDiodePin>{pin("U1", 1, 3, 2)}));
}

TEST_F(IcPinsTest, LastStepsOfTheListDecideTheCommonPinForEveryIc) {
    diodeStep("U1", 5, 1, 1);
    diodeStep("U2", 8, 2, 1);
    diodeStep("U2", 2, 9, 2);
    // U1 and U3 take the last loPin. U2's scan comes to its own steps with the running pin 1 from
    // U1's step, takes loPin 2 from the first and keeps it through the second, whose hiPin is 2.
    const auto ics = devices({"U1", "U2", "U3"});
    EXPECT_EQ(FindCommonPins(ics, CollectIcDiodeSteps(ics, pinSteps)),
              (std::vector<IcCommonPin>{{id("U1"), 9}, {id("U2"), 2}, {id("U3"), 9}}));
}

TEST_F(IcPinsTest, WithoutDiodeStepsEveryIcGets1000AndNoPinCount) {
    const auto ics = devices({"U1", "U2"});
    EXPECT_EQ(FindCommonPins(ics, CollectIcDiodeSteps(ics, pinSteps)),
              (std::vector<IcCommonPin>{{id("U1"), 1000}, {id("U2"), 1000}}));
    const auto derived = derive(ics);
    ASSERT_EQ(derived.size(), 2U);
    EXPECT_FALSE(derived[0].pinCount || derived[1].pinCount);
}

TEST_F(IcPinsTest, DiodeStepTouchingTheCommonPinWithBothEndsGivesThatPin) {
    diodeStep("U1", 4, 4, 2);
    EXPECT_EQ(diodePinsOf({id("U1"), 4}, 0, devices({"U1"})),
              (std::vector<IcDiodePin>{pin("U1", 4, 2, 0)}));
}

TEST_F(IcPinsTest, PinCountIsTheHighestDiodePinOfAtLeastEight) {
    const IcDevice u1{id("U1"), LcCode("B2")};
    EXPECT_EQ(CountIcPins(u1, {pin("U1", 10, 7, 0)}), std::nullopt);
    EXPECT_EQ(CountIcPins(u1, {pin("U1", 10, 8, 0)}), (IcPinCount{id("U1"), 8, LcCode("B2")}));
    EXPECT_EQ(CountIcPins(u1, {pin("U1", 10, 1, 0), pin("U1", 11, 16, 1), pin("U1", 12, 2, 2)}),
              (IcPinCount{id("U1"), 16, LcCode("B2")}));
}

TEST_F(IcPinsTest, KnownPinGivesThePinAtTheOtherTesterPin) {
    KnownPins known;
    known.assign({pin("U1", 102, 2, 0)});
    IcPinCount count{id("U1"), 8, LcCode("A1")};
    FoundJPins found;
    found.clear(false);
    const auto step = [](int hiPin, int loPin, int pinNumber) {
        return IcJStep{hiPin, loPin, pinNumber, TypeCode::J13, 7};
    };
    EXPECT_TRUE(MatchJStepToKnownPins(PinText(23), step(102, 203, 23), known, count, found));
    EXPECT_FALSE(MatchJStepToKnownPins(PinText(5), step(102, 151, 5), known, count, found));
    EXPECT_FALSE(MatchJStepToKnownPins(PinText(23), step(150, 151, 23), known, count, found));
    IcPins pins;
    found.moveInto(pins);
    EXPECT_EQ(pins.jPins, (std::vector<IcJPin>{pin("U1", 203, 3, 7)}));
}

TEST_F(IcPinsTest, MatchedCandidateMustLieBetweenZeroAndTwentyBeyondThePinCount) {
    // 10 gives 0 and 128 gives 28 (not below 8 + 20): both dropped. 227 gives 27 and raises the
    // count: 149 (49) stays out of reach, 146 (46) comes within it.
    eightDiodePins();
    jStep(102, 203, 23);
    jStep(101, 300, 10);
    jStep(101, 301, 128);
    jStep(301, 102, 227);
    jStep(101, 302, 149);
    jStep(101, 303, 146);
    const IcPins pins = u1();
    EXPECT_EQ(pins.jPins, (std::vector<IcJPin>{pin("U1", 203, 3, 8), pin("U1", 301, 27, 11),
                                               pin("U1", 303, 46, 13)}));
    EXPECT_EQ(pins.pinCount->pinCount, 46);
}

TEST_F(IcPinsTest, PairingTwelveAndTwentyThree) {
    eightDiodePins();
    jStep(501, 502, 12);
    jStep(502, 503, 23);
    const IcPins pins = u1();
    // The shared pin 2 and pin 1 come from the earlier step, pin 3 from the later.
    EXPECT_EQ(pins.jPins, (std::vector<IcJPin>{pin("U1", 501, 1, 8), pin("U1", 502, 2, 8),
                                               pin("U1", 503, 3, 9)}));
    EXPECT_EQ(pins.ignoredJPinCount, 0U);
}

TEST_F(IcPinsTest, PairingSplitsLongPinTextsEveryWayTheyShare) {
    // Pairing 1213 with 1314 finds pins 1, 213, 314, 13, 12 and 14; only pin 1 lies within 8.
    eightDiodePins();
    jStep(501, 502, 1213);
    jStep(502, 503, 1314);
    const auto derived = derive(devices({"U1"}), true);
    ASSERT_EQ(derived.size(), 1U);
    EXPECT_EQ(derived[0].jPins, (std::vector<IcJPin>{pin("U1", 502, 1, 8)}));
    EXPECT_EQ(derived[0].ignoredJPinCount, 5U);
    EXPECT_EQ(
        derived[0].ignoredJPins,
        (std::vector<IcJPin>{pin("U1", 501, 213, 8), pin("U1", 503, 314, 9), pin("U1", 502, 13, 8),
                             pin("U1", 501, 12, 8), pin("U1", 503, 14, 9)}));
    // A run that does not ask keeps only the count.
    EXPECT_TRUE(u1().ignoredJPins.empty());
}

TEST_F(IcPinsTest, PairingStopsAtTheFirstStepThatMatchingMarkedDone) {
    eightDiodePins();
    jStep(501, 502, 1213);
    jStep(102, 503, 23);
    jStep(503, 502, 1314);
    EXPECT_EQ(u1().jPins, (std::vector<IcJPin>{pin("U1", 503, 3, 9)}));
}

TEST_F(IcPinsTest, IcWhoseJStepsDoNotHeadTheListPairsNothing) {
    for (int pinNumber = 1; pinNumber <= 8; ++pinNumber) {
        diodeStep("U1", 100 + pinNumber, 1000, pinNumber);
        diodeStep("U2", 200 + pinNumber, 1000, pinNumber);
    }
    jStep(601, 602, 12);
    jStep(602, 603, 23);
    jStep(701, 702, 12, "U2");
    jStep(702, 703, 23, "U2");
    const auto derived = derive(devices({"U1", "U2"}));
    ASSERT_EQ(derived.size(), 2U);
    EXPECT_EQ(derived[0].jPins.size(), 3U);
    EXPECT_TRUE(derived[1].jPins.empty());
}

TEST_F(IcPinsTest, OneDigitPinTextsNeverSplit) {
    eightDiodePins();
    jStep(101, 102, 1);
    jStep(102, 101, 2);
    EXPECT_TRUE(u1().jPins.empty());
}

TEST_F(IcPinsTest, ManyIdenticalDiodeAndJStepsGiveOnePin) {
    diodeStep("U1", 110, 1, 10);
    for (int copy = 0; copy < 20000; ++copy) {
        diodeStep("U1", 102, 1, 2);
    }
    for (int copy = 0; copy < 20000; ++copy) {
        jStep(102, 103, 23);
    }
    const IcPins pins = u1();
    // The last J step that found it.
    EXPECT_EQ(pins.jPins, (std::vector<IcJPin>{pin("U1", 103, 3, 40000)}));
    EXPECT_EQ(pins.pinCount->pinCount, 10);
}

TEST_F(IcPinsTest, PinFilesNumberThePinsOfAllIcsInOneRun) {
    IcPins u1;
    u1.pinCount = {id("U1"), 16, LcCode("A1")};
    u1.diodePins = {pin("U1", 5, 1, 0), pin("U1", 6, 1, 1), pin("U1", 9, 0, 3)};
    u1.jPins = {pin("U1", 8, 1, 4), pin("U1", 4, 2, 5)};
    IcPins u12;
    u12.pinCount = {id("U12"), 14, LcCode("B3")};
    u12.diodePins = {pin("U12", 7, 14, 2)};
    const WrittenPinFiles files = written({u1, u12});
    EXPECT_EQ(files.icn,
              " 1    U1  A1   16   0      0      1   0  30  30   0   0   0   0\r\n"
              " 2   U12  B3   14   0      0     17   0  30  30   0   0   0   0\r\n");
    ASSERT_EQ(files.icpLines.size(), 30U);
    EXPECT_EQ(files.icpLines[0], "ICP /    1 =    8 0");  // the J pin wins over both diode pins
    EXPECT_EQ(files.icpLines[1], "ICP /    2 =    4 0");
    EXPECT_EQ(files.icpLines[2], "ICP /    3 =    0 0");
    EXPECT_EQ(files.icpLines[29], "ICP /   30 =    7 0");
    IcPinTable table;
    BuildIcPinTable(u1, table);
    EXPECT_EQ(table.foundPins,
              (std::vector<PinSlot>{{1, 8, PinOrigin::J, 4}, {2, 4, PinOrigin::J, 5}}));
    BuildIcPinTable(u12, table);
    EXPECT_EQ(table.foundPins, (std::vector<PinSlot>{{14, 7, PinOrigin::Diode, 2}}));
}

TEST_F(IcPinsTest, WideColumnsShiftTheRestOfTheLine) {
    IcPins ic;
    ic.pinCount = {id("U123456"), 12345, LcCode("A")};
    const WrittenPinFiles files = written({ic});
    EXPECT_EQ(files.icn, " 1 U123456   A 12345   0      0      1   0  30  30   0   0   0   0\r\n");
    EXPECT_EQ(files.icpLines.back(), "ICP / 12345 =    0 0");
}

TEST_F(IcPinsTest, HugePinNumberCostsNoTableSlots) {
    const IcPinCount count{id("U1"), 20000, LcCode("A1")};
    FoundJPins found;
    found.clear(false);
    found.add(99999999, 7, 0, count);
    found.add(20000, 9, 1, count);
    IcPins ic;
    ic.pinCount = count;
    found.moveInto(ic);
    EXPECT_EQ(ic.ignoredJPinCount, 1U);
    IcPinTable table;
    BuildIcPinTable(ic, table);
    EXPECT_EQ(table.foundPins.size(), 1U);
    const WrittenPinFiles files = written({ic});
    ASSERT_EQ(files.icpLines.size(), 20000U);
    EXPECT_EQ(files.icpLines.back(), "ICP / 20000 =    9 0");
}

}  // namespace
}  // namespace zemra
