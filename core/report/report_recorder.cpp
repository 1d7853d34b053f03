#include "report/report_recorder.h"

#include "report/ic_checks.h"

namespace zemra {

ReportRecorder::ReportRecorder(const ConversionSettings& settings) : checker_(report_.checks) {
    report_.settings = settings;
}

void ReportRecorder::observe(const RecordTrace& trace) {
    const std::uint64_t offset = trace.ordinal * kRecordSize;
    if (trace.pinStep) {
        report_.pinSteps.push_back({offset, trace.fields.step, trace.fields.partsN});
    }
    if (report_.stepRows.size() < BoardReport::kMostStepRows) {
        report_.stepRows.push_back({offset, trace.kind, trace.pinStep.has_value(), trace.fields});
    } else {
        ++report_.rowsNotShown;
    }
    checker_.check(trace);
}

BoardReport ReportRecorder::finish(RunOutcome outcome) {
    report_.outcome = std::move(outcome);
    if (const auto& summary = report_.outcome.summary) {
        checkTrailingBytes(summary->records, summary->ignoredBytes, report_.checks);
        checkIcPins(*summary, report_.pinSteps, report_.checks);
        report_.mapIcs();
    }
    return std::move(report_);
}

BoardReport unconvertedBoard(const ConversionSettings& settings, RunOutcome outcome) {
    BoardReport report;
    report.settings = settings;
    report.outcome = std::move(outcome);
    return report;
}

}  // namespace zemra
