// The board report of a traced run: the steps table and its bound, and the checks of the files.
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

TEST(BoardReport, ChecksOfTheFilesOnlyForAConvertedBoard) {
    const BoardReport report = unconvertedBoard({}, {});
    EXPECT_TRUE(report.checks.listed().empty());
    EXPECT_EQ(report.icCount(), 0U);
}

}  // namespace
}  // namespace zemra
