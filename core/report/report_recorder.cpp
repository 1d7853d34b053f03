#include "report/report_recorder.h"

#include <algorithm>

#include "decode/pin_step.h"
#include "decode/record_codes.h"
#include "platform/utf8_paths.h"
#include "report/ic_checks.h"
#include "run/input_file.h"
#include "zemra_version.h"

namespace zemra {
namespace {

// Says what went in, which program converted it and what went wrong, and the tuning that a
// converted board carries.
void describeInput(BoardReport& report, ReportedInput input) {
    report.input = platform::utf8Of(input.path);
    report.title = fileTitle(input.path);
    report.version = kProgramVersion;
    report.messages = std::move(input.messages);
    if (report.outcome.committed) {
        report.tuning = std::move(input.tuning);
    }
}

}  // namespace

ReportRecorder::ReportRecorder(const ConversionSettings& settings) : checker_(report_.checks) {
    report_.settings = settings;
}

void ReportRecorder::expectRecords(std::uint64_t records) {
    // Room that no pin step fills is never touched, and so costs no memory.
    report_.pinSteps.reserve(static_cast<std::size_t>(records));
    report_.rows.reserve(records);
    checker_.expectRecords(records);
}

void ReportRecorder::observe(const RecordTrace& trace) {
    checker_.fetch(trace);
    if (behind_.full()) {
        record(behind_.takeOldest());
    }
    behind_.hold(trace);
}

void ReportRecorder::recordHeld() {
    while (!behind_.empty()) {
        record(behind_.takeOldest());
    }
}

void ReportRecorder::record(const RecordTrace& trace) {
    const std::uint64_t offset = trace.ordinal * kRecordSize;
    const std::size_t checksListed = report_.checks.listed().size();
    checker_.check(trace);
    if (trace.pinStep) {
        // The check of repeated names kept the step's name: the pin step names it there.
        report_.pinSteps.push_back({offset, trace.fields.step, trace.fields.partsN,
                                    static_cast<std::uint16_t>(trace.fields.hiP),
                                    static_cast<std::uint16_t>(trace.fields.loP)},
                                   checker_.lastPartName(), checker_.lastPartNameNew());
        noteMisnamedJStep(trace);
    }
    // Past the bound, the page still reaches every step that an IC pin or a check names.
    if (trace.ordinal < BoardReport::kMostStepRows || trace.pinStep ||
        report_.checks.listed().size() > checksListed) {
        report_.rows.keep(trace.ordinal);
        StepRow row{offset, trace.kind, trace.pinStep.has_value(), trace.fields};
        if (rowSink_) {
            rowSink_(row);
        }
        if (!rowSink_ || report_.stepRows.size() < rowsKept_) {
            report_.stepRows.push_back(std::move(row));
        }
    } else {
        ++report_.rowsNotShown;
    }
}

void ReportRecorder::recordsSeen(const ConversionSummary& counted) {
    recordHeld();
    // The part names served the checks of records, and name the pin steps from now on. The lists
    // by pin step took their room before the first record, and what they did not fill was never
    // touched: fitting them would copy them, with both copies held at once.
    report_.pinSteps.adoptNames(checker_.takePartNames());
    namesAdopted_ = true;
    checkTrailingBytes(counted.records, counted.ignoredBytes, fileChecks_);
    // The ICs to come are explained by their misnamed J steps, searched by name.
    std::stable_sort(report_.misnamedJSteps.begin(), report_.misnamedJSteps.end(),
                     MisnamedJStepOrder());
}

bool ReportRecorder::takeIc(const IcTrace& ic) {
    report_.icsWithProblems.push_back(checkIcPins(
        ic, [this](PinStepOrdinal ordinal) { return report_.pinSteps.at(ordinal); }, fileChecks_));
    if (!icSink_) {
        return false;
    }
    if (icSink_(ic, report_) && ic.sources != nullptr) {
        report_.keptIcs.push_back({ic.index, ic.table, *ic.sources});
    }
    return true;
}

void ReportRecorder::streamIcs(IcSink sink) {
    icSink_ = std::move(sink);
}

void ReportRecorder::streamRows(std::function<void(const StepRow&)> sink, std::size_t rowsKept) {
    rowSink_ = std::move(sink);
    rowsKept_ = rowsKept;
}

void ReportRecorder::noteMisnamedJStep(const RecordTrace& trace) {
    const std::string_view partsN = trace.fields.partsN.view();
    if (report_.settings.options.variant != TesterVariant::Kx740e ||
        !isJStep(trace.record.typeCode) || !trace.record.partName.view().starts_with("IC") ||
        !partsN.starts_with("JIC")) {
        return;
    }
    const std::string meantName = "U" + std::string(partsN.substr(3));
    const PinStepName meant = pinStepNameOf(meantName);
    report_.misnamedJSteps.push_back({.meantFor = std::string(meant.device),
                                      .countedFor = std::string(pinStepNameOf(partsN).device),
                                      .pinStep = *trace.pinStep,
                                      .hiPin = trace.fields.hiP,
                                      .loPin = trace.fields.loP,
                                      .pinNumber = meant.pinNumber});
}

BoardReport ReportRecorder::finish(RunOutcome outcome, ReportedInput input) {
    // A run that ended among its records still reports those it saw and names their pin steps.
    if (!namesAdopted_) {
        recordHeld();
        report_.pinSteps.adoptNames(checker_.takePartNames());
    }
    report_.outcome = std::move(outcome);
    describeInput(report_, std::move(input));
    if (report_.outcome.summary) {
        report_.checks.append(fileChecks_);
    }
    return std::move(report_);
}

BoardReport unconvertedBoard(const ConversionSettings& settings, RunOutcome outcome,
                             ReportedInput input) {
    BoardReport report;
    report.settings = settings;
    report.outcome = std::move(outcome);
    describeInput(report, std::move(input));
    return report;
}

}  // namespace zemra
