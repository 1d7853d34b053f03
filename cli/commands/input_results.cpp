#include "input_results.h"

#include "checks_text.h"
#include "conversion_report.h"
#include "escaped_text.h"
#include "page_limits.h"
#include "report_json.h"

namespace zemra::cli {

RecordObserver* InputResults::begin(std::filesystem::path input) {
    input_ = std::move(input);
    messages_.clear();
    recorder_.reset();
    if (request_.report == ReportFormat::None && !request_.htmlPage) {
        return nullptr;
    }
    recorder_.emplace(request_.settings);
    if (page_ != nullptr) {
        page_->beginBoard();
        recorder_->streamRows(
            [this](const StepRow& row) {
                page_->writeStepRow(row, request_.settings.options.variant);
            },
            kMostTableRows);
        recorder_->streamIcs([this](const IcTrace& ic, const BoardReport& soFar) {
            return page_->writeIc(ic, soFar);
        });
    }
    return &*recorder_;
}

void InputResults::note(std::string message) {
    messages_.push_back(std::move(message));
}

void InputResults::end(RunOutcome outcome, std::shared_ptr<const CarriedTuning> tuning) {
    if (!recorder_) {
        if (outcome.committed) {
            out_ << consoleEscapedName(outcome.outputFolder) << '\n';
        }
        return;
    }
    ReportedInput input{input_, std::move(messages_), std::move(tuning)};
    BoardReport board =
        outcome.summary ? recorder_->finish(std::move(outcome), std::move(input))
                        : unconvertedBoard(request_.settings, std::move(outcome), std::move(input));
    recorder_.reset();
    if (request_.report == ReportFormat::Text) {
        writeTextReport(input_, board.outcome, out_);
        writeTextChecks(board.checks, out_);
    } else if (request_.report == ReportFormat::Json) {
        writeJsonReport(board, out_);
    } else if (board.outcome.committed) {
        out_ << consoleEscapedName(board.outcome.outputFolder) << '\n';
    }
    if (page_ != nullptr) {
        page_->endBoard(board);
    }
}

}  // namespace zemra::cli
