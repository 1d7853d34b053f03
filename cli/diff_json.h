#pragma once

#include <ostream>

#include "diff/board_diff.h"
#include "json_text.h"

namespace zemra::cli {

// The changes of --diff --report=json: one JSON object per change and line. Steps:
// {"change": "added"|"removed"|"changed", "partName", "oldStep", "newStep"} (null where the step
// has no number), with "fields" for a changed step: each record field that differs, under its
// --dump column name, as [old, new]. ICs: {"change": "icPin", "ic", "pin", "oldTesterPin",
// "newTesterPin"}, {"change": "icAdded"|"icRemoved", "ic", "pinCount"} and
// {"change": "icPinCount", "ic", "oldPinCount", "newPinCount"}.
class DiffJson : public DiffReceiver {
  public:
    explicit DiffJson(std::ostream& out) : out_(out) {}

    void takeStep(const StepChange& change) override;
    void takeIc(const IcChange& change) override;
    // {"change": "output", "output": ".icn"} for each output that differs though no step and no
    // IC pin does.
    void finish(const DiffCounts& counts);

  private:
    std::ostream& out_;
};

// The JSON objects of a step change and an IC change, as DiffJson writes them.
Json stepChangeJson(const StepChange& change);
Json icChangeJson(const IcChange& change);

}  // namespace zemra::cli
