#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "arguments.h"
#include "report/report_recorder.h"

namespace zemra::cli {

// What a call says of each input besides its messages: on standard output its output folder, or
// its text or JSON report in that line's place; and, for --html, its board for the page. Only
// these reports trace a run: without them no input is traced.
class InputResults {
  public:
    InputResults(const ConvertRequest& request, std::ostream& out) : request_(request), out_(out) {}

    // Starts the next input, named as given: what is to see its records, if anything.
    RecordObserver* begin(std::filesystem::path input);
    // A message of the input's run, or any other reason why it failed.
    void note(std::string message);
    // Ends the input with the outcome of its run; an input that was not run gets a default one.
    void end(RunOutcome outcome = {});

    // The boards of every input ended, in order, when the call writes a page.
    const std::vector<BoardReport>& boards() const { return boards_; }

  private:
    const ConvertRequest& request_;
    std::ostream& out_;
    std::filesystem::path input_;
    std::vector<std::string> messages_;
    std::optional<ReportRecorder> recorder_;
    std::vector<BoardReport> boards_;
};

}  // namespace zemra::cli
