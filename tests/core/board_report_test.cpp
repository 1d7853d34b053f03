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
    ASSERT_EQ(report.mappedIcs.size(),
              static_cast<std::size_t>(BoardReport::kMostPinsPerBoard / 500));
    const std::size_t firstWithoutMap = report.mappedIcs.size();
    EXPECT_EQ(report.mappedIcs.back(), firstWithoutMap - 1);
    EXPECT_EQ(report.drawnPins(firstWithoutMap - 1).size(), 500U);
    EXPECT_TRUE(report.drawnPins(firstWithoutMap).empty());
    EXPECT_FALSE(report.hasMap(firstWithoutMap));
    // The page's data still holds its pins, for a map drawn on demand.
    EXPECT_EQ(report.pinsOf(firstWithoutMap).size(), 500U);
    EXPECT_EQ(report.pinsNotDrawn(firstWithoutMap), 500);
}

// The maps of ICs with an error or a warning come first, wherever those ICs stand on the board.
TEST(BoardReport, IcsWithProblemsGetTheirMapsFirst) {
    std::vector<RecordBuilder> records;
    const std::size_t cleanIcs = BoardReport::kMostPinsPerBoard / 8 + 1;
    for (std::size_t ic = 0; ic < cleanIcs; ++ic) {
        const auto pins = icWithDiodePins("U" + std::to_string(ic + 1), {1, 2, 3, 4, 5, 6, 7, 8});
        records.insert(records.end(), pins.begin(), pins.end());
    }
    // Pin 8 of the last IC has no step: an unresolved pin, an error.
    const auto unresolved = icWithDiodePins("X1", {1, 2, 3, 4, 5, 6, 7, 9});
    records.insert(records.end(), unresolved.begin(), unresolved.end());
    const BoardReport report = reportOf(records);
    ASSERT_EQ(report.icCount(), cleanIcs + 1);
    ASSERT_FALSE(report.mappedIcs.empty());
    EXPECT_EQ(report.mappedIcs.front(), cleanIcs);
    EXPECT_TRUE(report.hasMap(cleanIcs));
    EXPECT_EQ(report.mappedIcs[1], 0U);
    EXPECT_FALSE(report.hasMap(cleanIcs - 1));
}

// Every record up to the bound, and after it those that a pin step or a listed check names.
TEST(BoardReport, StepsTableKeepsTheRecordsThatThePageMustReach) {
    std::vector<RecordBuilder> records(BoardReport::kMostStepRows,
                                       RecordBuilder().name("C1").typeCode(4));
    records.front() = RecordBuilder().skip();
    records[1] = RecordBuilder().name("1X");
    for (const RecordBuilder& after :
         {RecordBuilder().name("C1").typeCode(4), RecordBuilder().name("U1_1").typeCode(10),
          RecordBuilder().name("1Y"), RecordBuilder().name("C1").typeCode(4)}) {
        records.push_back(after);
    }
    const BoardReport report = reportOf(records);
    ASSERT_EQ(report.stepRows.size(), BoardReport::kMostStepRows + 2);
    EXPECT_EQ(report.rowsNotShown, 2U);
    EXPECT_EQ(report.stepRows[0].kind, StepKind::Skipped);
    EXPECT_EQ(report.stepRows[1].kind, StepKind::Dropped);
    EXPECT_EQ(report.stepRows[1].fields.partsN.view(), "1X");
    EXPECT_EQ(report.stepRows[2].offset, 128U);
    EXPECT_EQ(report.stepRows[2].fields.step, 2);
    EXPECT_EQ(report.stepRows[2].fields.type, "C");
    const std::uint64_t bound = BoardReport::kMostStepRows * kRecordSize;
    EXPECT_EQ(report.rowAt(bound), nullptr);
    ASSERT_NE(report.rowAt(bound + kRecordSize), nullptr);
    EXPECT_EQ(report.rowAt(bound + kRecordSize)->fields.partsN.view(), "U1_1");
    ASSERT_NE(report.rowAt(bound + 2 * kRecordSize), nullptr);
    EXPECT_EQ(report.rowAt(bound + 2 * kRecordSize)->kind, StepKind::Dropped);
    EXPECT_EQ(report.rowAt(bound + 3 * kRecordSize), nullptr);
    EXPECT_EQ(report.rowAt(64)->kind, StepKind::Dropped);
}

// The checks of the whole files (an IC pin without a step, bytes after the last record) and the
// maps come of a board read to its end; a run that ended before its summary gets none of them,
// only the checks of the records it read.
TEST(BoardReport, ChecksOfTheFilesOnlyForAConvertedBoard) {
    std::vector<RecordBuilder> records = icWithDiodePins("U1", {1, 2, 3, 4, 5, 6, 7, 9});
    records.push_back(RecordBuilder().skip());
    for (const bool converted : {true, false}) {
        ReportRecorder recorder({});
        const auto run = testing::convertInMemory(records, recorder);
        const BoardReport report =
            recorder.finish({.committed = converted,
                             .summary = converted ? std::optional(run.summary) : std::nullopt});
        EXPECT_EQ(report.checks.found(CheckId::UnresolvedIcPin), converted ? 1U : 0U) << converted;
        EXPECT_EQ(report.checks.found(CheckId::SkippedStep), 1U) << converted;
        EXPECT_EQ(report.icCount(), converted ? 1U : 0U);
        EXPECT_EQ(report.mappedIcs.size(), converted ? 1U : 0U);
    }
}

}  // namespace
}  // namespace zemra
