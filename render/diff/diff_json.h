#pragma once

#include <ostream>

#include "diff/board_diff.h"
#include "diff_header.h"
#include "json_text.h"

namespace zemra::cli {

// The changes of --diff --report=json: one JSON object per change and line, after a first line
// {"change": "header", ...} (headerJson()). Steps:
// {"change": "added"|"removed"|"changed"|"moved", "partName", "oldStep", "newStep"} (null where
// the step has no number), with "fields" for a changed step and a moved one that changed too: each
// record field that differs, under its --dump column name, as [old, new]. ICs: {"change": "icPin",
// "ic", "pin", "oldTesterPin", "newTesterPin", "oldSourceStep", "oldSourcePartName",
// "newSourceStep", "newSourcePartName"} (the steps that gave the tester pins, null where none
// did), {"change": "icAdded"|"icRemoved", "ic", "pinCount"} and {"change": "icPinCount", "ic",
// "oldPinCount", "newPinCount"}. Board checks:
// {"change": "checkAdded"|"checkResolved", "id", "severity", "offset", "step", "message"}, the
// offset and step those of the revision that gives the check.
class DiffJson : public DiffReceiver {
  public:
    DiffJson(std::ostream& out, DiffHeader header) : out_(out), header_(std::move(header)) {}

    // The first line: {"change": "header", ...}.
    void takeRevisions(const Fingerprint& before, const Fingerprint& after) override;

    void takeStep(const StepChange& change) override;
    void takeIc(const IcChange& change) override;
    void takeCheck(const CheckChange& change) override;
    // {"change": "output", "output": ".icn"} for each output that differs though no step and no
    // IC pin does.
    void finish(const DiffCounts& counts);

  private:
    std::ostream& out_;
    DiffHeader header_;
};

// The JSON objects of a step change and an IC change, as DiffJson writes them.
Json stepChangeJson(const StepChange& change);
Json icChangeJson(const IcChange& change);
Json checkChangeJson(const CheckChange& change);

}  // namespace zemra::cli
