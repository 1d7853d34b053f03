// What a conversion reports it could not resolve, against what its outputs show.
#include <gtest/gtest.h>

#include <sstream>

#include "behaviour_name.h"
#include "board_generator.h"
#include "in_memory_conversion.h"

namespace zemra {
namespace {

using testing::convertInMemory;
using testing::linesOf;

// An IC U1 whose diode steps to tester pin 1 give its pins up to `pins`, but for pin 3, each at
// tester pin 100 + its number; then `more`. Seven steps alone do not make an IC.
std::vector<RecordBuilder> ic(std::vector<RecordBuilder> more, int pins = 8) {
    std::vector<RecordBuilder> records;
    for (int pin = 1; pin <= pins; ++pin) {
        if (pin != 3) {
            records.push_back(
                RecordBuilder().name("U1_" + std::to_string(pin)).typeCode(10).pins(100 + pin, 1));
        }
    }
    records.insert(records.end(), more.begin(), more.end());
    return records;
}

RecordBuilder jStep(const std::string& pins, int hi, int lo) {
    return RecordBuilder().name("U1_" + pins).typeCode(13).pins(hi, lo);
}

struct SummaryCase {
    const char* behaviour;
    std::vector<RecordBuilder> records;
    std::size_t trailingBytes;
    std::vector<std::uint64_t> counts;  // records, steps, "*" steps, dropped, ignored J pins
    std::vector<std::int64_t> pins;     // pinCount, from diode steps, from J steps, unresolved
    std::vector<int> unresolvedPins;

    friend void PrintTo(const SummaryCase& testCase, std::ostream* out) {
        *out << testCase.behaviour;
    }
};

class SummaryCases : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(SummaryCases, CountWhatTheOutputsShow) {
    const SummaryCase& testCase = GetParam();
    const auto board = convertInMemory(testing::recordsOf(testCase.records) +
                                       std::string(testCase.trailingBytes, 'x'));
    const ConversionSummary& summary = board.summary;
    EXPECT_EQ(summary.ignoredBytes, testCase.trailingBytes);
    EXPECT_EQ((std::vector<std::uint64_t>{summary.records, summary.steps, summary.skippedSteps,
                                          summary.droppedRecords, summary.ignoredJPins}),
              testCase.counts);
    if (testCase.pins.empty()) {
        EXPECT_TRUE(summary.ics.empty());
        return;
    }
    ASSERT_EQ(summary.ics.size(), 1U);
    const IcSummary& u1 = summary.ics[0];
    EXPECT_EQ(u1.name.view(), "U1");
    EXPECT_EQ((std::vector<std::int64_t>{u1.pinCount, u1.pinsFromDiodeSteps, u1.pinsFromJSteps,
                                         u1.unresolvedCount}),
              testCase.pins);
    EXPECT_EQ(u1.unresolvedPins(100), testCase.unresolvedPins);
}

INSTANTIATE_TEST_SUITE_P(
    Summaries, SummaryCases,
    ::testing::Values(
        SummaryCase{"PinWithoutDiodeOrJStepIsUnresolved",
                    ic({RecordBuilder().name("U1_3").typeCode(12).pins(103, 1)}),
                    0,
                    {8, 8, 0, 0, 0},
                    {8, 7, 0, 1},
                    {3}},
        SummaryCase{
            "PinFromAJStep", ic({jStep("23", 102, 203)}), 0, {8, 8, 0, 0, 0}, {8, 7, 1, 0}, {}},
        SummaryCase{"JPinWinsOverADiodePin",
                    ic({jStep("12", 101, 99)}),
                    0,
                    {8, 8, 0, 0, 0},
                    {8, 6, 1, 1},
                    {3}},
        SummaryCase{"JPinAtTesterPinZeroStaysUnresolved",
                    ic({jStep("23", 102, 0)}),
                    0,
                    {8, 8, 0, 0, 0},
                    {8, 7, 0, 1},
                    {3}},
        SummaryCase{"JPinsBeyondThePinCountAreIgnored",
                    ic({RecordBuilder().name("U1_1213").typeCode(13).pins(501, 502),
                        RecordBuilder().name("U1_1314").typeCode(13).pins(502, 503)}),
                    0,
                    {9, 9, 0, 0, 5},
                    {8, 6, 1, 1},
                    {3}},
        SummaryCase{
            "StarStepsDroppedRecordsAndTrailingBytes",
            {RecordBuilder().skip(), RecordBuilder().name("1X"), RecordBuilder().name("R1")},
            17,
            {3, 2, 1, 1, 0},
            {},
            {}},
        SummaryCase{"IcBelowEightPinsIsInNoPinFile", ic({}, 7), 0, {6, 6, 0, 0, 0}, {}, {}}),
    testing::BehaviourName());

// The .icn columns and the .icp lines with tester pin 0, read back from the files.
TEST(ConversionSummary, AgreesWithThePinFilesOnGeneratedBoards) {
    for (const std::uint64_t seed : {1U, 2U, 3U, 4U, 5U, 6U, 7U, 8U}) {
        const auto bytes = generateBoard(seed, 3000);
        const auto board =
            convertInMemory(std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        const auto icnLines = linesOf(board.icn);
        const auto icpLines = linesOf(board.icp);
        ASSERT_EQ(icnLines.size(), board.summary.ics.size()) << seed;
        for (std::size_t index = 0; index < icnLines.size(); ++index) {
            const IcSummary& ic = board.summary.ics[index];
            std::istringstream columns(icnLines[index]);
            int number = 0;
            std::string name;
            std::string lc;
            int pinCount = 0;
            int zero = 0;
            int alsoZero = 0;
            std::int64_t firstIcp = 0;
            columns >> number >> name >> lc >> pinCount >> zero >> alsoZero >> firstIcp;
            EXPECT_EQ(name, ic.name.view());
            EXPECT_EQ(pinCount, ic.pinCount);
            EXPECT_EQ(firstIcp, ic.firstIcp);
            std::vector<int> zeros;
            for (int pin = 1; pin <= ic.pinCount; ++pin) {
                const std::string& line = icpLines.at(static_cast<std::size_t>(firstIcp + pin - 2));
                if (line.ends_with("=    0 0")) {
                    zeros.push_back(pin);
                }
            }
            EXPECT_EQ(ic.unresolvedPins(100000), zeros) << seed << " " << ic.name.view();
            EXPECT_EQ(ic.unresolvedCount, static_cast<std::int64_t>(zeros.size()));
        }
        EXPECT_EQ(board.summary.records, 3000U);
    }
}

}  // namespace
}  // namespace zemra
