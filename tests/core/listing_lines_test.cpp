// Whole listing lines of single records, under both tester variants.
#include <gtest/gtest.h>

#include "behaviour_name.h"
#include "in_memory_conversion.h"

namespace zemra {
namespace {

using testing::linesOf;
using testing::stepLinesOf;

constexpr DecodeOptions kFeFr{TesterVariant::Kx740FeFr, false};
constexpr DecodeOptions kKx740e{TesterVariant::Kx740e, false};

RecordBuilder resistorR12() {
    RecordBuilder record;
    record.name("R12").lc("A1").pins(12, 34).typeCode(1).actual(470, 0x15).standard(4700, 0x14);
    record.limits(5, 5);
    return record;
}

TEST(ListingLines, ResistorUnderBothVariants) {
    EXPECT_EQ(
        stepLinesOf(resistorR12(), kFeFr),
        (std::vector<std::string>{
            "   1 R12             4.70K    A1   12   34     0     0     0     0     0     0 R",
            "            0.0      4.70K     5    5    0     0     0     0     0   0.0   0.0"}));
    EXPECT_EQ(
        stepLinesOf(resistorR12(), kKx740e),
        (std::vector<std::string>{
            "   1 R12             4.70K    A1   12   34     0     0     0     0     0     0",
            "            0.0      4.70K     5    5    0     0     0     0     0   0.0   0.0"}));
}

TEST(ListingLines, SkippedRecordWithoutNameIsAStarStepWithAllPinsZero) {
    RecordBuilder skipped;
    skipped.skip().pins(300, 12).guards({1, 2, 3, 4, 5}).lc("B2").actual(470, 0x15);
    for (const DecodeOptions options : {kFeFr, kKx740e}) {
        EXPECT_EQ(
            stepLinesOf(skipped, options),
            (std::vector<std::string>{
                "   1 *               0.00           0    0     0     0     0     0     0     1",
                "            0.0      0.00      0    0    0     0     0     0     0   0.0   0.0"}));
    }
}

TEST(ListingLines, SkippedRecordWithoutNameKeepsStepNumbers) {
    const auto board =
        testing::convertInMemory({RecordBuilder().pins(5, 6),              // dropped: empty name
                                  RecordBuilder().name("1R5").pins(5, 6),  // dropped: digit first
                                  RecordBuilder().name("_R5").skip(),      // "*" step 1
                                  resistorR12()},                          // step 2
                                 kFeFr);
    const auto lines = linesOf(board.listing);
    ASSERT_EQ(lines.size(), 5U + 4U);
    EXPECT_EQ(lines[5].substr(0, 6), "   1 *");
    EXPECT_EQ(lines[7].substr(0, 8), "   2 R12");
    EXPECT_EQ(linesOf(board.scp)[1], "SCP /13 = 34");  // the pins of dropped records do not count
    EXPECT_EQ(board.summary.records, 4U);
    EXPECT_EQ(board.summary.droppedRecords, 2U);
    EXPECT_EQ(board.summary.skippedSteps, 1U);
    EXPECT_EQ(board.summary.steps, 2U);
}

TEST(ListingLines, SkipMarkOfANamedStepIsPrinted) {
    RecordBuilder record = resistorR12();
    record.skip();
    EXPECT_EQ(stepLinesOf(record, kFeFr)[0],
              "   1 R12             4.70K    A1   12   34     0     0     0     0     0     1 R");
}

struct LineCase {
    const char* behaviour;
    RecordBuilder record;
    DecodeOptions options;
    std::string line1;
    std::string line2;

    // Test listings name a case by its behaviour, not by its bytes.
    friend void PrintTo(const LineCase& testCase, std::ostream* out) { *out << testCase.behaviour; }
};

class ListingLineCases : public ::testing::TestWithParam<LineCase> {};

TEST_P(ListingLineCases, PrintExactly) {
    const auto lines = stepLinesOf(GetParam().record, GetParam().options);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(lines[0], GetParam().line1);
    EXPECT_EQ(lines[1], GetParam().line2);
}

// A test point without values: no value rule touches its limits, delay or name.
RecordBuilder testPoint(const char* name) {
    RecordBuilder record;
    record.name(name).lc("A1").pins(1, 2);
    return record;
}

INSTANTIATE_TEST_SUITE_P(
    StepFields, ListingLineCases,
    ::testing::Values(
        LineCase{
            "LimitsAbove99AreClamped", testPoint("TP1").limits(100, -128), kFeFr,
            "   1 TP1             1.00     A1    1    2     0     0     0     0     0     0 Not",
            "            0.0      1.00     99   99    0     0     0     0     0   0.0   0.0"},
        LineCase{
            "NegativeLimitsReadAsSignedBytes", testPoint("TP1").limits(-10, -10), kFeFr,
            "   1 TP1             1.00     A1    1    2     0     0     0     0     0     0 Not",
            "            0.0      1.00     -10   10    0     0     0     0     0   0.0   0.0"},
        LineCase{
            "NegativeDelayOfAStepWithoutVoltageIsZero", testPoint("TP1").delay(-1), kFeFr,
            "   1 TP1             1.00     A1    1    2     0     0     0     0     0     0 Not",
            "            0.0      1.00      0    0    0     0     0     0     0   0.0   0.0"},
        LineCase{
            "InnerHyphensBecomeUnderscoresAndTrailingOnesBlanks", testPoint("R-1 -").limits(5, 5),
            kFeFr,
            "   1 R_1             1.00     A1    1    2     0     0     0     0     0     0 Not",
            "            0.0      1.00      5    5    0     0     0     0     0   0.0   0.0"},
        LineCase{
            "LcStartingWithADigitIsKept", testPoint("TP1").lc("3B").limits(5, 5), kFeFr,
            "   1 TP1             1.00     3B    1    2     0     0     0     0     0     0 Not",
            "            0.0      1.00      5    5    0     0     0     0     0   0.0   0.0"},
        LineCase{
            "LcStartingWithAnythingElseBecomesA1", testPoint("TP1").lc("#x").limits(5, 5), kFeFr,
            "   1 TP1             1.00     A1    1    2     0     0     0     0     0     0 Not",
            "            0.0      1.00      5    5    0     0     0     0     0   0.0   0.0"},
        LineCase{"IcNameUnderKx740eBecomesU", testPoint("IC7").typeCode(12).limits(5, 5), kKx740e,
                 "   1 U7              1.00V    A1    1    2     0     0     0     0     0     0",
                 "            0.0      1.00V     5    5    0     0     0     0     0   0.0   0.0"},
        LineCase{"IcNameUnderFeFrKeepsItsNameWithTypeU", testPoint("IC7").typeCode(12).limits(5, 5),
                 kFeFr,
                 "   1 IC7             1.00V    A1    1    2     0     0     0     0     0     0 U",
                 "            0.0      1.00V     5    5    0     0     0     0     0   0.0   0.0"},
        LineCase{"IcJumperStepGetsThePrefixJNotU", testPoint("IC7").typeCode(13).limits(5, 5),
                 kKx740e,
                 "   1 JIC7            1.00     A1    1    2     0     0     0     0     0     0",
                 "            0.0      1.00      5    5    0     0     0     0     0   0.0   0.0"},
        LineCase{"RegulatorOfTenCharactersGrowsToEleven", testPoint("REG4567890").limits(5, 5),
                 kKx740e,
                 "   1 QREG4567890     0.70V    A1    1    2     0     0     0     0     0     0",
                 "            0.0      0.70V     5    5    0     0     0     0     0   0.0   0.0"},
        LineCase{"LsiUnderKx740eBecomesU", testPoint("LSI5").limits(5, 5), kKx740e,
                 "   1 U5              0.70V    A1    1    2     0     0     0     0     0     0",
                 "            0.0      0.70V     5    5    0     0     0     0     0   0.0   0.0"},
        LineCase{"OpenJumperWithOtherLimitCodesTestsAt4WithTenPercent",
                 testPoint("JP1").typeCode(14).limits(5, 5, 0x71, 0x00), kFeFr,
                 "   1 JP1             4.00     A1    1    2     0     0     0     0     0     0 J",
                 "            0.0      4.00     10   10    0     0     0     0     0   0.0   0.0"},
        LineCase{"LongestNameWithTheLongestPrefixFillsThirteenColumns",
                 testPoint("REG4567890").typeCode(6).limits(5, 5), kKx740e,
                 "   1 DCQREG4567890   0.70V    A1    1    2     0     0     0     0     0     0",
                 "            0.0      0.70V     5    5    0     5     0     0     0   0.0   0.0"},
        LineCase{
            "FloatRoundingDecidesTheSecondDecimal",
            testPoint("V1").actual(4705, 0x40).standard(4715, 0x40).limits(5, 5), kFeFr,
            "   1 V1              4.70V    A1    1    2     0     0     0     0     0     0 Not",
            "            0.0      4.72V     5    5    0     0     0     0     0   0.0   0.0"}),
    testing::BehaviourName());

TEST(ListingLines, LineFeedInANameIsWrittenAsCrLf) {
    const std::string listing =
        testing::convertInMemory({testPoint("R\n1").limits(5, 5)}, kFeFr).listing;
    // The name keeps its three bytes for the column width; only the file's line end grows.
    EXPECT_NE(listing.find("   1 R\r\n1" + std::string(13, ' ') + "1.00"), std::string::npos);
    EXPECT_EQ(listing.find("\n1"), listing.find("R\r\n1") + 2);
}

}  // namespace
}  // namespace zemra
