// The board report of a traced run: the steps table and its bound, and the checks of the files.
#include <gtest/gtest.h>

#include "in_memory_conversion.h"
#include "report/report_recorder.h"
#include "traced_boards.h"

namespace zemra {
namespace {

using testing::icWithDiodePins;
using testing::reportOf;

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
// ICs come of a board read to its end; a run that ended before its summary gets none of them,
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
    }
}

// A run that ends among its records, whose observer then sees none of what follows them.
class RecordsOnly : public RecordObserver {
  public:
    explicit RecordsOnly(RecordObserver& observer) : observer_(observer) {}
    void observe(const RecordTrace& trace) override { observer_.observe(trace); }

  private:
    RecordObserver& observer_;
};

// Each record the run saw is in the report, however the run ended: the last ones too, which the
// recorder takes a little after they come.
TEST(BoardReport, EveryRecordSeenIsReportedWhereTheRunEnded) {
    for (const std::size_t count :
         {std::size_t{1}, std::size_t{15}, std::size_t{16}, std::size_t{17}, std::size_t{100}}) {
        const std::vector<RecordBuilder> records(count, RecordBuilder().skip());
        ReportRecorder recorder({});
        RecordsOnly recordsOnly(recorder);
        const auto run = testing::convertInMemory(records, recordsOnly);
        const BoardReport report = recorder.finish({.summary = run.summary});
        EXPECT_EQ(report.stepRows.size(), count);
        EXPECT_EQ(report.checks.found(CheckId::SkippedStep), count);
    }
}

}  // namespace
}  // namespace zemra
