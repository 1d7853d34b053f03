#pragma once

#include <functional>

#include "report/board_report.h"
#include "report/record_checks.h"
#include "run/record_observer.h"

namespace zemra {

// Builds the report of one board from a traced run: give it to the conversion as its observer,
// then hand it the run's outcome.
class ReportRecorder : public RecordObserver {
  public:
    explicit ReportRecorder(const ConversionSettings& settings);
    ReportRecorder(const ReportRecorder&) = delete;
    ReportRecorder& operator=(const ReportRecorder&) = delete;

    // Hands each row of the steps table to `sink` as its record is seen, keeping only the first
    // `rowsKept`: a page written as the board is converted holds the others.
    void streamRows(std::function<void(const StepRow&)> sink, std::size_t rowsKept);

    void expectRecords(std::uint64_t records) override;
    void observe(const RecordTrace& trace) override;
    void recordsSeen() override;
    bool wantsPinSources() const override { return true; }

    // The report of the records seen and of the run's outcome. Once only.
    BoardReport finish(RunOutcome outcome);

  private:
    void noteMisnamedJStep(const RecordTrace& trace);

    BoardReport report_;
    RecordChecker checker_;
    std::function<void(const StepRow&)> rowSink_;
    std::size_t rowsKept_ = 0;  // with a sink
};

// The report of an input that was not converted at all.
BoardReport unconvertedBoard(const ConversionSettings& settings, RunOutcome outcome);

}  // namespace zemra
