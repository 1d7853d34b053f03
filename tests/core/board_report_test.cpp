// The board report of a traced run: the drawn pins and the steps table, and their bounds.
#include <gtest/gtest.h>

#include "in_memory_conversion.h"
#include "report/report_recorder.h"

namespace zemra {
namespace {

BoardReport reportOf(const std::vector<RecordBuilder>& records) {
    ReportRecorder recorder({});
    const auto converted = testing::convertInMemory(records, recorder);
    return recorder.finish({.committed = true, .summary = converted.summary});
}

// Device `device` with diode steps to common tester pin 1 for the pins given, at tester pin
// 100 + pin, after a resistor.
std::vector<RecordBuilder> icWithDiodePins(const std::string& device,
                                           const std::vector<int>& pins) {
    std::vector<RecordBuilder> records{RecordBuilder().name("R1").typeCode(1).pins(1, 2)};
    for (const int pin : pins) {
        records.push_back(RecordBuilder()
                              .name(device + "_" + std::to_string(pin))
                              .typeCode(10)
                              .pins(100 + pin % 1000, 1));
    }
    return records;
}

TEST(BoardReport, DrawnPinsNameTheStepThatGaveEach) {
    auto records = icWithDiodePins("U1", {1, 2, 3, 4, 5, 6, 8});
    // The J step between pins 8 and 9 shares tester pin 108 with diode pin 8: it gives pin 9.
    records.push_back(RecordBuilder().name("U1_89").typeCode(13).pins(108, 109));
    const BoardReport report = reportOf(records);
    ASSERT_EQ(report.icCount(), 1U);
    const std::vector<DrawnPin> pins = report.drawnPins(0);
    ASSERT_EQ(pins.size(), 9U);
    EXPECT_EQ(pins[0].origin, PinOrigin::Diode);
    EXPECT_EQ(pins[0].testerPin, 101);
    EXPECT_EQ(pins[0].source->step, 2);
    EXPECT_EQ(pins[0].source->offset, 64U);
    EXPECT_EQ(pins[6].origin, PinOrigin::None);
    EXPECT_EQ(pins[6].testerPin, 0);
    EXPECT_EQ(pins[6].source, nullptr);
    EXPECT_EQ(pins[8].origin, PinOrigin::J);
    EXPECT_EQ(pins[8].testerPin, 109);
    EXPECT_EQ(pins[8].source->partName.view(), "U1_89");
    EXPECT_EQ(report.pinsNotDrawn(0), 0);
}

TEST(BoardReport, PinWhoseStepGaveTesterPin0IsDrawnUnresolved) {
    auto records = icWithDiodePins("U1", {1, 2, 3, 4, 5, 6, 7, 8});
    // Diode pin 8 at tester pin 108 gives pin 9 the other end: tester pin 0.
    records.push_back(RecordBuilder().name("U1_89").typeCode(13).pins(108, 0));
    const BoardReport report = reportOf(records);
    const std::vector<DrawnPin> pins = report.drawnPins(0);
    ASSERT_EQ(pins.size(), 9U);
    EXPECT_EQ(pins[8].testerPin, 0);
    EXPECT_EQ(pins[8].origin, PinOrigin::None);
    ASSERT_NE(pins[8].source, nullptr);
    EXPECT_EQ(pins[8].source->partName.view(), "U1_89");
}

TEST(BoardReport, PinCountBeyondTheBoundDrawsOnlyItsFirstPins) {
    const BoardReport report = reportOf(icWithDiodePins("U", {1, 2, 3, 4, 5, 6, 7, 4000}));
    ASSERT_EQ(report.icCount(), 1U);
    EXPECT_EQ(report.outcome.summary->ics[0].pinCount, 4000);
    const std::vector<DrawnPin> pins = report.drawnPins(0);
    ASSERT_EQ(pins.size(), static_cast<std::size_t>(BoardReport::kMostDrawnPins));
    EXPECT_EQ(pins.back().pin, BoardReport::kMostDrawnPins);
    EXPECT_EQ(pins[6].testerPin, 107);
    EXPECT_EQ(pins[7].origin, PinOrigin::None);
    EXPECT_EQ(report.pinsNotDrawn(0), 4000 - BoardReport::kMostDrawnPins);
}

TEST(BoardReport, IcsBeyondThePinsOfABoardGetNoMap) {
    // ICs of 500 pins each, a diode step for pin 1 to 7 and one for pin 500.
    std::vector<RecordBuilder> records;
    const std::size_t ics = BoardReport::kMostPinsPerBoard / 500 + 2;
    for (std::size_t ic = 0; ic < ics; ++ic) {
        const auto pins = icWithDiodePins("U" + std::to_string(ic + 1), {1, 2, 3, 4, 5, 6, 7, 500});
        records.insert(records.end(), pins.begin(), pins.end());
    }
    const BoardReport report = reportOf(records);
    ASSERT_EQ(report.icCount(), ics);
    EXPECT_EQ(report.mappedIcs, static_cast<std::size_t>(BoardReport::kMostPinsPerBoard / 500));
    EXPECT_EQ(report.drawnPins(report.mappedIcs - 1).size(), 500U);
    EXPECT_TRUE(report.drawnPins(report.mappedIcs).empty());
    EXPECT_EQ(report.pinsNotDrawn(report.mappedIcs), 500);
}

TEST(BoardReport, StepsTableKeepsTheFirstRecordsAndCountsTheRest) {
    std::vector<RecordBuilder> records(BoardReport::kMostStepRows + 3,
                                       RecordBuilder().name("C1").typeCode(4));
    records.front() = RecordBuilder().skip();
    records[1] = RecordBuilder().name("1X");
    const BoardReport report = reportOf(records);
    ASSERT_EQ(report.stepRows.size(), BoardReport::kMostStepRows);
    EXPECT_EQ(report.rowsNotShown, 3U);
    EXPECT_EQ(report.stepRows[0].kind, StepKind::Skipped);
    EXPECT_EQ(report.stepRows[1].kind, StepKind::Dropped);
    EXPECT_EQ(report.stepRows[1].fields.partsN.view(), "1X");
    EXPECT_EQ(report.stepRows[2].offset, 128U);
    EXPECT_EQ(report.stepRows[2].fields.step, 2);
    EXPECT_EQ(report.stepRows[2].fields.type, "C");
}

TEST(BoardReport, ChecksOfTheFilesOnlyForAConvertedBoard) {
    const BoardReport report = unconvertedBoard({}, {});
    EXPECT_TRUE(report.checks.listed().empty());
    EXPECT_EQ(report.icCount(), 0U);
}

}  // namespace
}  // namespace zemra
