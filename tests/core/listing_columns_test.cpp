// The typed columns of a listed step: their values print as the listing's C formats print them,
// and the header's headings are the table's.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "decode/listing_columns.h"
#include "decode/listing_lines.h"
#include "diff/listed_step.h"
#include "io/byte_sink.h"
#include "run/listing_header.h"

namespace zemra {
namespace {

std::string written(const ListedColumns& columns) {
    MemorySink sink;
    TextWriter writer(sink);
    writeListedStep(columns, writer);
    writer.flush();
    return sink.text();
}

double valueOf(const ListedDecimal& value, int decimals) {
    const double magnitude = static_cast<double>(value.units) / (decimals == 1 ? 10.0 : 100.0);
    return value.negative ? -magnitude : magnitude;
}

struct TunedCase {
    const char* behaviour;
    ListedColumns columns;
};

class TunedColumns : public ::testing::TestWithParam<TunedCase> {};

// Every column at a value that no conversion writes prints as line 2's full format prints it.
TEST_P(TunedColumns, PrintAsTheirFormats) {
    const ListedColumns& c = GetParam().columns;
    std::array<char, 512> expected{};
    std::snprintf(expected.data(), expected.size(),
                  "%4lld %-13s%7.2f%2s   %2s %4d %4d  %4d  %4d  %4d  %4d  %4d     %1d %s\r\n"
                  "%15.1f   %7.2f%2s   %2d   %2d  %3d     %d%6d%6d%6d%6.1f%6.1f\r\n",
                  static_cast<long long>(c.step), std::string(c.partsN.view()).c_str(),
                  valueOf(c.actualV, 2), std::string(c.unit.view()).c_str(),
                  std::string(c.lc.view()).c_str(), c.pins[0], c.pins[1], c.pins[2], c.pins[3],
                  c.pins[4], c.pins[5], c.pins[6], c.skip, std::string(c.type.view()).c_str(),
                  valueOf(c.measV, 1), valueOf(c.standV, 2), std::string(c.unit.view()).c_str(),
                  c.upperLimit, c.lowerLimit, c.dly, c.mode, c.avge, c.rpt, c.smp,
                  valueOf(c.offset, 1), valueOf(c.devPercent, 1));
    EXPECT_EQ(written(c), expected.data());
}

ListedColumns tuned(void (*change)(ListedColumns&)) {
    ListedColumns columns;
    columns.step = 12;
    columns.partsN.assign("R12");
    columns.actualV = {470, false};
    columns.unit.assign("K ");
    columns.lc.assign("A1");
    columns.pins = {12, 34, 0, 0, 0, 0, 0};
    columns.hasType = true;
    columns.type.assign("R");
    columns.standV = {470, false};
    columns.upperLimit = 5;
    columns.lowerLimit = 5;
    change(columns);
    return columns;
}

INSTANTIATE_TEST_SUITE_P(
    Values, TunedColumns,
    ::testing::Values(TunedCase{"AsConverted", tuned([](ListedColumns&) {})},
                      TunedCase{"MeasuredValue", tuned([](ListedColumns& c) {
                                    c.measV = {47, false};
                                })},
                      TunedCase{"WideMeasuredValue", tuned([](ListedColumns& c) {
                                    c.measV = {123456789012, true};
                                })},
                      TunedCase{"Averaging", tuned([](ListedColumns& c) { c.avge = 10; })},
                      TunedCase{"RepeatsAndSamples", tuned([](ListedColumns& c) {
                                    c.rpt = 3;
                                    c.smp = 1234567;
                                })},
                      TunedCase{"OffsetAndDeviation", tuned([](ListedColumns& c) {
                                    c.offset = {5, true};
                                    c.devPercent = {1005, false};
                                })},
                      TunedCase{"NegativeZero", tuned([](ListedColumns& c) {
                                    c.actualV = {0, true};
                                })},
                      TunedCase{"WideLimitsAndDelay", tuned([](ListedColumns& c) {
                                    c.upperLimit = -120;
                                    c.lowerLimit = 250;
                                    c.dly = 99999;
                                    c.mode = -3;
                                })}),
    [](const auto& test) { return std::string(test.param.behaviour); });

TEST(ListingColumns, HeaderHeadingsComeFromTheTable) {
    EXPECT_EQ(listingHeadings(1, TesterVariant::Kx740FeFr),
              "!Step   Parts-N  Actual-V  LC  Hi-P  Lo-P  G-P1  G-P2  G-P3  G-P4  G-P5  Skip Type");
    EXPECT_EQ(listingHeadings(1, TesterVariant::Kx740e),
              "!Step   Parts-N  Actual-V  LC  Hi-P  Lo-P  G-P1  G-P2  G-P3  G-P4  G-P5  Skip");
    EXPECT_EQ(listingHeadings(2, TesterVariant::Kx740e),
              "!       Meas-V   Stand-V  +Lm%  -Lm%  DLY  MODE  AVGE  RPT   SMP  OFFSET  DEV%");
}

struct DecimalCase {
    float value;
    int decimals;
    ListedDecimal expected;
};

class ListedDecimals : public ::testing::TestWithParam<DecimalCase> {};

// Rounded as printf rounds the float's exact value, ties to even.
TEST_P(ListedDecimals, RoundAsPrintf) {
    EXPECT_EQ(listedDecimal(GetParam().value, GetParam().decimals), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ListedDecimals,
    ::testing::Values(DecimalCase{0.7F, 2, {70, false}}, DecimalCase{4.7F, 2, {470, false}},
                      DecimalCase{0.125F, 2, {12, false}}, DecimalCase{0.375F, 2, {38, false}},
                      DecimalCase{-0.001F, 2, {0, true}}, DecimalCase{0.25F, 1, {2, false}},
                      DecimalCase{3.3e13F, 2, {3299999953715200, false}}));

TEST(ListingColumns, ChangedColumnsNameTheirHeadingsAndTrimmedValues) {
    const ListedColumns before = tuned([](ListedColumns&) {});
    const ListedColumns after = tuned([](ListedColumns& c) {
        c.step = 13;
        c.avge = 10;
        c.actualV = {4700, false};
    });
    EXPECT_TRUE(changedColumns(before, after, false).size() == 1);
    const std::vector<ColumnChange> changes = changedColumns(before, after, true);
    ASSERT_EQ(changes.size(), 2U);
    EXPECT_EQ(changes[0].column->heading, "Actual-V");
    EXPECT_EQ(changes[0].before, "4.70K");
    EXPECT_EQ(changes[0].after, "47.00K");
    EXPECT_EQ(changes[1].column->heading, "AVGE");
    EXPECT_EQ(changes[1].before, "0");
    EXPECT_EQ(changes[1].after, "10");
}

}  // namespace
}  // namespace zemra
