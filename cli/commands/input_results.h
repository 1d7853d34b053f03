#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "arguments.h"
#include "report/report_recorder.h"
#include "report_page.h"

namespace zemra::cli {

// What a call says of each input besides its messages: on standard output its output folder, or
// its text or JSON report in that line's place; and, for --html, its board on the page, written
// as it is converted. Only these reports trace a run: without them no input is traced.
class InputResults {
  public:
    // `page` is the page of --html, if the call writes one.
    InputResults(const ConvertRequest& request, std::ostream& out, ReportPageWriter* page)
        : request_(request), out_(out), page_(page) {}

    // Starts the next input, named as given: what is to see its records, if anything.
    RecordObserver* begin(std::filesystem::path input);
    // A message of the input's run, or any other reason why it failed.
    void note(std::string message);
    // Ends the input with the outcome of its run; an input that was not run gets a default one.
    // A converted board's page shows the tuning its conversion carried, if any.
    void end(RunOutcome outcome = {}, std::shared_ptr<const CarriedTuning> tuning = {});

  private:
    const ConvertRequest& request_;
    std::ostream& out_;
    std::filesystem::path input_;
    std::vector<std::string> messages_;
    std::optional<ReportRecorder> recorder_;
    ReportPageWriter* page_;
};

}  // namespace zemra::cli
