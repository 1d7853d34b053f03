#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "report/board_report.h"
#include "report/record_checks.h"
#include "report/records_behind.h"
#include "run/record_observer.h"

namespace zemra {

// What a report tells of its input besides what the run saw.
struct ReportedInput {
    std::filesystem::path path;         // as named
    std::vector<std::string> messages;  // what went wrong, as the operator reads it
    // With --tuned: the tuning that the conversion carried, shown once the board is converted.
    std::shared_ptr<const CarriedTuning> tuning;
};

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
    // Hands each IC of the pin files to `sink` as the run makes it, with the report so far (its
    // pin steps, their rows and its misnamed J steps are whole by then); the report keeps the
    // pin table and sources only of those for which `sink` returns true (BoardReport::keptIcs).
    using IcSink = std::function<bool(const IcTrace& ic, const BoardReport& soFar)>;
    void streamIcs(IcSink sink);

    void expectRecords(std::uint64_t records) override;
    void observe(const RecordTrace& trace) override;
    void recordsSeen(const ConversionSummary& counted) override;
    bool wantsPinSources() const override { return true; }
    bool takeIc(const IcTrace& ic) override;

    // The whole report of the records seen, of the run's outcome and of `input`. Once only.
    BoardReport finish(RunOutcome outcome, ReportedInput input = {});

  private:
    void record(const RecordTrace& trace);
    void recordHeld();
    void noteMisnamedJStep(const RecordTrace& trace);

    BoardReport report_;
    RecordChecker checker_;
    // Each record is taken some records after it came, once the check of repeated names has
    // fetched its slot: on the IC-dense board that search was 15% of the run, nearly all of it
    // waiting on memory.
    RecordsBehind behind_;
    std::function<void(const StepRow&)> rowSink_;
    std::size_t rowsKept_ = 0;  // with a sink
    IcSink icSink_;
    // The checks of the whole files, which a report gets only with the run's summary.
    CheckList fileChecks_;
    bool namesAdopted_ = false;  // by report_.pinSteps, from the check of repeated names
};

// The whole report of an input that was not converted at all.
BoardReport unconvertedBoard(const ConversionSettings& settings, RunOutcome outcome,
                             ReportedInput input = {});

}  // namespace zemra
